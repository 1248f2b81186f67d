#include "documents/rtf_fragments.h"

#include "framework/cp1252.h"

#include <cstdint>

namespace {
constexpr const char* kHeader = "{\\rtf1\\ansi\\ansicpg1252\\uc1 \\deff0";
constexpr const char* kFonts = "{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}}";
constexpr const char* kCrLf = "\r\n";
} // namespace

std::string EscapeRtfValue(const QString& value) {
    std::string out;
    out.reserve(std::size_t(value.size()));
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20) {
            if (u == '\t') out += '\t';
        } else if (u < 0x80) {
            out += char(u);
        } else if (unsigned char b = c.isSurrogate() ? 0 : UnicodeToCp1252(u); b != 0) {
            out += char(b);
        } else {
            // Each UTF-16 unit on its own, as a signed 16-bit number.
            out += "\\u" + std::to_string(std::int16_t(u)) + "?";
        }
    }
    return out;
}

std::string BuildTitleRtf(const TTitleValues& v, const QString& organisation) {
    const std::string org = EscapeRtfValue(organisation);
    const std::string title = EscapeRtfValue(v.title);
    const std::string subtitle = EscapeRtfValue(v.subtitle);
    const std::string date = EscapeRtfValue(v.date);
    const std::string time = EscapeRtfValue(v.timeAllowed);
    const std::string marks = EscapeRtfValue(v.totalMarks);
    const std::string instructions = EscapeRtfValue(v.instructions);
    std::string rtf = std::string(kHeader) + kFonts;
    if (!v.fullPage) {
        rtf += "\\par\\pard\\plain\\qc\\sa480\\f0\\fs24 " + org;
        rtf += "\\par\\sb240\\sa240\\ATXbrdr60\\fs52\\b " + title;
        rtf += "\\par\\pard\\qc\\sb480\\sa288\\ATXbrdr0\\fs36\\b0 " + subtitle;
        rtf += "\\par\\pard\\qc\\fs32\\b " + date;
        rtf += "\\par\\fs28 \\b0 " + time;
        rtf += "\\par " + marks;
        rtf += "\\par\\fs24\\i " + instructions;
        rtf += "\\par\\pard -\\par\\pard}";
        return rtf;
    }
    rtf += "\\par\\pard\\plain\\qc\\sb1440\\sa960\\f0\\fs24 ";
    rtf += kCrLf + org + kCrLf;
    rtf += "\\par\\sb480\\sa480\\ATXbrdr60\\fs52\\b " + title + kCrLf;
    rtf += "\\par\\pard\\qc\\sb960\\ATXbrdr0\\fs36\\b0 " + subtitle + kCrLf;
    rtf += "\\par\\sb720\\fs32\\b " + date + kCrLf;
    rtf += "\\par\\fs28 \\b0 " + time;
    rtf += "\\par\\fs28 \\b0 " + marks + kCrLf;
    rtf += "\\par\\fs24\\i " + instructions + kCrLf;
    rtf += "\\par\\sb0\\pard ";
    for (int i = 0; i < 14; ++i)
        rtf += "\\par";
    rtf += " -\\par}";
    return rtf;
}

std::string BuildSectionRtf(const TSectionValues& v) {
    const std::string title = EscapeRtfValue(v.title);
    const std::string instruction = EscapeRtfValue(v.instruction);
    std::string rtf = std::string(kHeader) + kFonts + "{\\*\\generator TX_RTF32 10.0.321.500;}";
    const char* instructionFormat =
        "\\par\\plain\\pard\\qc\\sa480\\li1440\\fi1440\\ri1440\\f0\\fs24\\i1 ";
    if (!v.newPage) {
        rtf += "\\plain\\pard\\qc\\sb1440\\sa480\\f0\\fs32\\b1 " + title;
        rtf += instructionFormat + instruction;
    } else {
        rtf += "\\plain\\pard\\qc ~\\par\\sa480\\f0\\fs32\\b1 ";
        rtf += kCrLf + title;
        rtf += instructionFormat;
        rtf += kCrLf + std::string("\t") + instruction + kCrLf;
    }
    rtf += "\\par -\\par}";
    return rtf;
}
