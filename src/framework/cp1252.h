#pragma once

#include <string>
#include <string_view>

// The files keep 8-bit code page 1252 text. These are the only conversions to and
// from Unicode; characters that the code page lacks become "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);
// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF. Tells text
// that came as UTF-8 from text already in the code page.
bool IsValidUtf8(std::string_view s);
// The Unicode code point of one code page 1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);
// The byte for a code point, or 0 when the code page has none (0 itself maps to 0).
unsigned char UnicodeToCp1252(char32_t cp);
