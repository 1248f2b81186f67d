#include "output/rtf/rtf_write_output.h"

#include "framework/cp1252.h"

#include <QChar>
#include <QString>

#include <cstdint>
#include <string_view>

namespace {
constexpr char kHexDigits[] = "0123456789abcdef";
constexpr std::size_t kHexLine = 128; // hex digits per line of picture data

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Characters a symbol font's glyph table maps to themselves.
bool SameInSymbolFont(char16_t u) {
    constexpr std::string_view kSame = "0123456789 !#%&()+,./:;<=>?[]_|";
    return u < 0x80 && kSame.find(static_cast<char>(u)) != std::string_view::npos;
}

// Close ASCII stand-ins for signs that have no decomposition.
struct TFallback {
    char32_t cp;
    char ascii;
};
constexpr TFallback kFallbacks[] = {
    {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2015, '-'},  {0x2043, '-'}, {0x2212, '-'},
    {0x2190, '<'}, {0x21D0, '<'}, {0x2264, '<'}, {0x226A, '<'},  {0x2192, '>'}, {0x21D2, '>'},
    {0x2265, '>'}, {0x226B, '>'}, {0x2044, '/'}, {0x2215, '/'},  {0x2217, '*'}, {0x2219, '*'},
    {0x22C5, '*'}, {0x223C, '~'}, {0x2248, '~'}, {0x2032, '\''}, {0x2033, '"'},
};

// The code page 1252 byte a reader without Unicode support shows in place of a
// character the code page lacks: the base letter of an accented letter, a close
// ASCII sign for dashes and mathematical signs, '?' otherwise.
char FallbackChar(char32_t cp) {
    for (const TFallback& f : kFallbacks)
        if (f.cp == cp) return f.ascii;
    if (cp >= 0x2000 && cp <= 0x200A) return ' '; // the typographic spaces
    if (cp == 0x202F) return ' ';
    if (cp < 0x10000) {
        // An accented letter falls back to its base letter.
        const QString decomposed = QChar(char16_t(cp)).decomposition();
        if (!decomposed.isEmpty()) {
            const char16_t base = decomposed.at(0).unicode();
            const unsigned char b = UnicodeToCp1252(base);
            if (b >= 0x20 && b != '\\' && b != '{' && b != '}' && (b < 0x80 || b >= 0xA0))
                return static_cast<char>(b);
        }
    }
    return '?';
}
} // namespace

void TRtfSink::Word(std::string_view name) {
    out_ += '\\';
    out_ += name;
    delimit_ = true;
}

void TRtfSink::Word(std::string_view name, long long param) {
    out_ += '\\';
    out_ += name;
    char digits[24];
    int n = 0;
    const bool negative = param < 0;
    unsigned long long v = negative ? 0ULL - static_cast<unsigned long long>(param)
                                    : static_cast<unsigned long long>(param);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative) out_ += '-';
    while (n > 0)
        out_ += digits[--n];
    delimit_ = true;
}

void TRtfSink::Open() {
    out_ += '{';
    delimit_ = false;
}

void TRtfSink::Close() {
    out_ += '}';
    delimit_ = false;
}

void TRtfSink::Raw(std::string_view rtf) {
    out_ += rtf;
    const char last = rtf.empty() ? '}' : rtf.back();
    delimit_ = last != '}' && last != '{' && last != ' ';
}

void TRtfSink::EscapedByte(unsigned char byte) {
    out_ += "\\'";
    out_ += kHexDigits[byte >> 4];
    out_ += kHexDigits[byte & 0xF];
    delimit_ = false;
}

void TRtfSink::LineBreak() {
    out_ += "\r\n";
    delimit_ = false;
}

void TRtfSink::Text(QStringView text) {
    const char16_t* p = reinterpret_cast<const char16_t*>(text.data());
    const char16_t* end = p + text.size();
    while (p < end) {
        const char16_t u = *p++;
        // Plain ASCII text is by far the most common; keep its path short.
        if (u >= 0x20 && u < 0x7F && u != '\\' && u != '{' && u != '}') {
            if (delimit_) {
                out_ += ' ';
                delimit_ = false;
            }
            out_ += static_cast<char>(u);
            continue;
        }
        if (IsHighSurrogate(u) && p < end && IsLowSurrogate(*p)) {
            // Outside the 16-bit range: \u takes the two halves one after another.
            Unicode(u, '?');
            Unicode(*p++, '?');
            continue;
        }
        Char(u);
    }
}

void TRtfSink::SymbolText(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (SameInSymbolFont(u))
            Literal(static_cast<char>(u));
        else if (u < 0x20 || u == 0x2028 || u == 0x2029 || u == 0xFFFC)
            Char(u);
        else
            Unicode(u, '?');
    }
}

void TRtfSink::Char(char32_t cp) {
    switch (cp) {
    case '\\':
    case '{':
    case '}':
        out_ += '\\';
        out_ += static_cast<char>(cp);
        delimit_ = false;
        return;
    case '\t':
        Word("tab");
        return;
    case '\n':
    case '\r':
    case '\v':
    case 0x2028:
    case 0x2029:
        Word("line");
        return;
    case '\f':
        Word("page");
        return;
    case 0xA0:
        out_ += "\\~";
        delimit_ = false;
        return;
    case 0xAD:
        out_ += "\\-";
        delimit_ = false;
        return;
    case 0x2011:
        out_ += "\\_";
        delimit_ = false;
        return;
    case 0xFFFC: // an object without a picture behind it: nothing to write
        return;
    default:
        break;
    }
    // Other control characters (and DEL) have no meaning in a text.
    if (cp < 0x20 || cp == 0x7F) return;
    if (cp < 0x7F) {
        Literal(static_cast<char>(cp));
        return;
    }
    const unsigned char b = (cp >= 0x80 && cp < 0xA0) ? 0 : UnicodeToCp1252(cp);
    if (b >= 0x80) {
        out_ += "\\'";
        out_ += kHexDigits[b >> 4];
        out_ += kHexDigits[b & 0xF];
        delimit_ = false;
        return;
    }
    Unicode(cp, FallbackChar(cp));
}

void TRtfSink::Unicode(char32_t unit, char fallback) {
    Word("u", static_cast<int16_t>(static_cast<uint16_t>(unit)));
    const auto b = static_cast<unsigned char>(fallback);
    if (b >= 0x80) {
        out_ += "\\'";
        out_ += kHexDigits[b >> 4];
        out_ += kHexDigits[b & 0xF];
        delimit_ = false;
    } else {
        Literal(fallback);
    }
}

void TRtfSink::Hex(const QByteArray& data) {
    out_.reserve(out_.size() + std::size_t(data.size()) * 2 + std::size_t(data.size()) / 32 + 4);
    LineBreak();
    std::size_t column = 0;
    for (const char c : data) {
        const auto b = static_cast<unsigned char>(c);
        out_ += kHexDigits[b >> 4];
        out_ += kHexDigits[b & 0xF];
        column += 2;
        if (column == kHexLine) {
            out_ += "\r\n";
            column = 0;
        }
    }
    if (column != 0) out_ += "\r\n";
    delimit_ = false;
}
