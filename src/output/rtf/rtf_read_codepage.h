#pragma once

#include <QString>

#include <string_view>
#include <vector>

// Code pages of the 8-bit text in an RTF file. The two fonts that carry their own
// glyph encoding get numbers of their own.
namespace RtfCodePage {
constexpr int Ansi = 1252;
constexpr int Symbol = -2;    // the Symbol font: Greek letters and mathematical signs
constexpr int Wingdings = -3; // bullets and check marks of the Wingdings font
} // namespace RtfCodePage

// The code page of a font's \fcharsetN; `ansiCodePage` serves the charsets that
// mean "whatever the document says".
int CodePageForCharset(int charset, int ansiCodePage);

// Unicode for one byte of the Symbol / Wingdings font, or 0 when it has none.
char32_t SymbolFontToUnicode(unsigned char byte);
char32_t WingdingsFontToUnicode(unsigned char byte);

// The text without control characters (\'00, \'07, \u1, U+0080..U+009F...), which
// no reader of the text can show; the tab stays. A line break inside a paragraph
// is U+2028 here, not a control character.
QString RtfWithoutControls(QString text);

// Turns 8-bit text into Unicode. Code page 1252 and the symbol fonts are decoded
// by table; other code pages (Central European, Cyrillic, Greek, the East Asian
// double-byte ones...) go through the C library's iconv, one converter per code
// page kept open for the life of the decoder. Bytes a converter rejects are read
// as code page 1252, so no byte is ever lost.
class TRtfTextDecoder {
public:
    TRtfTextDecoder() = default;
    TRtfTextDecoder(const TRtfTextDecoder&) = delete;
    TRtfTextDecoder& operator=(const TRtfTextDecoder&) = delete;
    ~TRtfTextDecoder();

    void Decode(int codePage, std::string_view bytes, QString& out);
    // True when a byte of this code page may start a two-byte character, so that
    // the caller must keep bytes together until the run ends.
    static bool IsMultiByte(int codePage);

private:
    void* ConverterFor(int codePage); // iconv_t, or nullptr when unavailable
    void DecodeWithIconv(void* handle, std::string_view bytes, QString& out);

    struct TConverter {
        int codePage;
        void* handle;
    };
    std::vector<TConverter> converters_;
};
