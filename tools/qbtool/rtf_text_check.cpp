#include "rtf_text_check.h"

#include <cstdint>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool CheckRtfText(std::string& bytes, TRtfProblem& problem) {
    int line = 1;
    int lastContentLine = 1; // where the last byte other than white space stands
    auto fail = [&](std::string message) {
        problem = {line, std::move(message)};
        return false;
    };
    if (!bytes.starts_with("{\\rtf")) return fail("not an RTF text: it must begin with {\\rtf");
    int depth = 0;
    std::size_t i = 0;
    std::size_t end = 0; // just past the brace that closes the document
    while (i < bytes.size()) {
        char c = bytes[i];
        auto u = static_cast<unsigned char>(c);
        if (c == '\n') ++line;
        if (!IsSpace(c)) lastContentLine = line;
        if (u == 0) return fail("the file holds a zero byte");
        if (u >= 0x80)
            return fail("a character outside ASCII: write it as \\'xx (code page 1252) or \\uN?");
        if (depth == 0 && end != 0) {
            if (!IsSpace(c)) return fail("text after the brace that closes the document");
            ++i;
            continue;
        }
        if (c == '{') {
            ++depth;
            ++i;
        } else if (c == '}') {
            --depth;
            ++i;
            if (depth == 0) end = i;
        } else if (c == '\\' && i + 1 < bytes.size() && IsLetter(bytes[i + 1])) {
            std::size_t word = i + 1;
            i = word;
            while (i < bytes.size() && IsLetter(bytes[i]))
                ++i;
            bool isBin = bytes.compare(word, i - word, "bin") == 0;
            std::size_t digits = i;
            if (i < bytes.size() && bytes[i] == '-') ++i;
            std::int64_t value = 0;
            while (i < bytes.size() && IsDigit(bytes[i])) {
                if (value < 1'000'000'000) value = value * 10 + (bytes[i] - '0');
                ++i;
            }
            if (i < bytes.size() && bytes[i] == ' ') ++i;
            if (isBin && i > digits && bytes[digits] != '-') {
                // \binN: N bytes of raw data follow, braces and all.
                if (static_cast<std::uint64_t>(value) > bytes.size() - i)
                    return fail("\\bin data runs past the end of the file");
                for (std::size_t k = i; k < i + static_cast<std::size_t>(value); ++k)
                    if (bytes[k] == '\n') ++line;
                i += static_cast<std::size_t>(value);
            }
        } else if (c == '\\') {
            // \{ \} and \\ are characters, not structure; any other symbol after the
            // backslash is looked at as usual.
            bool escaped = i + 1 < bytes.size() &&
                           (bytes[i + 1] == '{' || bytes[i + 1] == '}' || bytes[i + 1] == '\\');
            i += escaped ? 2 : 1;
        } else {
            ++i;
        }
    }
    if (depth > 0) {
        line = lastContentLine;
        return fail("the braces do not balance: " + std::to_string(depth) +
                    (depth == 1 ? " group is" : " groups are") + " left open at the end");
    }
    bytes.resize(end);
    return true;
}
