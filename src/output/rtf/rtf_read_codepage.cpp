#include "output/rtf/rtf_read_codepage.h"

#include "framework/cp1252.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace {
void AppendCodePoint(QString& out, char32_t cp) {
    if (cp < 0x10000) {
        out.append(QChar(static_cast<char16_t>(cp)));
    } else {
        const char32_t v = cp - 0x10000;
        out.append(QChar(static_cast<char16_t>(0xD800 + (v >> 10))));
        out.append(QChar(static_cast<char16_t>(0xDC00 + (v & 0x3FF))));
    }
}

void AppendCp1252(QString& out, std::string_view bytes) {
    for (char c : bytes)
        AppendCodePoint(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
}

std::string IconvName(int codePage) {
    switch (codePage) {
    case 10000:
        return "MACINTOSH";
    case 932:
        return "CP932";
    case 936:
        return "GBK";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 1361:
        return "JOHAB";
    default:
        return "CP" + std::to_string(codePage);
    }
}
} // namespace

int CodePageForCharset(int charset, int ansiCodePage) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return RtfCodePage::Symbol;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return ansiCodePage;
    }
}

TRtfTextDecoder::~TRtfTextDecoder() {
    for (const TConverter& c : converters_)
        if (c.handle) iconv_close(static_cast<iconv_t>(c.handle));
}

bool TRtfTextDecoder::IsMultiByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361;
}

void* TRtfTextDecoder::ConverterFor(int codePage) {
    for (const TConverter& c : converters_)
        if (c.codePage == codePage) return c.handle;
    iconv_t h = iconv_open("UTF-16LE", IconvName(codePage).c_str());
    void* handle = h == reinterpret_cast<iconv_t>(-1) ? nullptr : static_cast<void*>(h);
    converters_.push_back({codePage, handle});
    return handle;
}

void TRtfTextDecoder::Decode(int codePage, std::string_view bytes, QString& out) {
    if (bytes.empty()) return;
    if (codePage == RtfCodePage::Symbol || codePage == RtfCodePage::Wingdings) {
        for (char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            char32_t u = codePage == RtfCodePage::Symbol ? SymbolFontToUnicode(b)
                                                         : WingdingsFontToUnicode(b);
            AppendCodePoint(out, u ? u : Cp1252ToUnicode(b));
        }
        return;
    }
    if (codePage == 1252 || codePage <= 0) {
        AppendCp1252(out, bytes);
        return;
    }
    // Pure ASCII reads the same in every code page we meet.
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    void* handle = ascii ? nullptr : ConverterFor(codePage);
    if (!handle) {
        AppendCp1252(out, bytes);
        return;
    }
    DecodeWithIconv(handle, bytes, out);
}

void TRtfTextDecoder::DecodeWithIconv(void* handle, std::string_view bytes, QString& out) {
    auto cd = static_cast<iconv_t>(handle);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char16_t buffer[256];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        std::size_t outLeft = sizeof(buffer);
        const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const std::size_t produced = (sizeof(buffer) - outLeft) / sizeof(char16_t);
        out.append(reinterpret_cast<const QChar*>(buffer), qsizetype(produced));
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or cut-off sequence: keep the byte as code page 1252, go on.
        AppendCp1252(out, std::string_view(in, 1));
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

namespace {
bool IsDroppedControl(char16_t c) {
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
}
} // namespace

QString RtfWithoutControls(QString text) {
    const auto first = std::find_if(text.cbegin(), text.cend(),
                                    [](QChar c) { return IsDroppedControl(c.unicode()); });
    if (first == text.cend()) return text;
    text.removeIf([](QChar c) { return IsDroppedControl(c.unicode()); });
    return text;
}
