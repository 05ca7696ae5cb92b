#pragma once

#include <QString>

#include <cstdint>

// A library text as a window shows it, in the language a report window was given.
QString LibraryCaption(int textNumber, std::int32_t languageIndex);

// A caption as it is read aloud: without its mnemonic marker and without the
// colon that ends a field's caption.
QString SpokenCaption(const QString &caption);
