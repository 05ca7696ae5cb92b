#pragma once

#include <QFont>

// A screen font given as the layouts give it: a family and a character
// height in pixels (the screens are laid out at 96 pixels per inch).
QFont ScreenFont(const char *family, int pixels, bool bold = false);

class QLabel;
class QWidget;

// The layouts name fonts of another desktop. Without a choice of ours they
// fall to one wide family, which cuts captions the layouts size tightly, so
// each is replaced once, at start-up, by an installed family of similar width.
void UseScreenFontSubstitutes();

// The layouts' fonts may resolve to wider ones on this desktop; a control
// whose caption would be cut is widened to fit it, keeping its corner.
void WidenToCaption(QWidget *control);

// The same for a word-wrapped label: widened, up to `maxWidth`, until its
// longest word fits on a line.
void WidenToLongestWord(QLabel *label, int maxWidth);

inline constexpr const char *kSansSerif = "MS Sans Serif";
inline constexpr const char *kLucida = "Lucida Sans Unicode";
