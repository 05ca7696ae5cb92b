#pragma once

#include <string_view>

// The characters that text wrapping and the devices treat specially. Texts
// are UTF-8, so the paragraph-end marker ("$" followed by the pilcrow) takes
// three bytes.
struct TppTextMarkups {
    static constexpr char Tab = '\t';
    static constexpr char CarriageReturn = '\r';
    static constexpr char LineFeed = '\n';
    static constexpr char EndOfText = '\0';
    static constexpr char Space = ' ';
    static constexpr std::string_view LineBreak = "\r\n";
    static constexpr std::string_view ParagraphEnd = "$\xC2\xB6";
};
