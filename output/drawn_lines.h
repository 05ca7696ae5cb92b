#pragma once

#include "platform/canvas.h"

#include <string>
#include <string_view>

class TppDrawText;

// What the devices ask of a text line as the wrapper left it, before they
// draw it: lines may carry the paragraph-end marker, which is never drawn.
namespace drawn_lines {

std::string WithoutParagraphEnds(std::string_view line);
bool EndsParagraph(std::string_view line);
// A line without a blank between its first and last non-blank characters.
bool IsSingleWord(std::string_view line);

} // namespace drawn_lines

// How a device draws the lines of a text command. The devices differ only in
// the font they select, the pixels they count in and what they clip: the
// rest (line positions, alignment, justification, auto-size) is one routine.
struct TppTextLineDrawing {
    // Draws the text with the command's font already selected; it measures
    // the lines too, so they take the room they took when laid out.
    platform::Canvas &canvas;
    // Tab stops of a memo in the canvas's pixels.
    platform::TabStops tabStops = {};
    // Distance between line tops in the canvas's pixels; it may have a
    // fraction where the canvas shows a layout made at another resolution.
    double lineHeight = 0;
    // A memo's lines are kept inside its rectangle.
    bool clipMemo = false;
    // An auto-sized single line is clipped to its line like any other.
    bool clipAutoSizedLine = true;
};

// Draws the lines of `text` (its wrapped lines, or its single text) into its
// DeviceBounds; an auto-sized text's bounds become those of what was drawn.
void DrawTextLines(TppDrawText &text, const TppTextLineDrawing &drawing);
