#include "source_words.h"

#include "framework/cp1252.h"

#include <cstdio>

namespace {

// Decodes one UTF-8 sequence at `i`; returns false for a malformed, overlong or
// surrogate sequence.
bool DecodeUtf8(std::string_view s, std::size_t& i, char32_t& cp) {
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = b < 0x80             ? 1
                      : (b & 0xE0) == 0xC0 ? 2
                      : (b & 0xF0) == 0xE0 ? 3
                      : (b & 0xF8) == 0xF0 ? 4
                                           : 0;
    if (len == 0 || i + len > s.size()) return false;
    cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < len; ++k) {
        auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
    return true;
}

// Splits the text of one line (indentation removed) into words.
bool SplitWords(std::string_view text, std::vector<std::string>& words, std::string& problem) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        std::string word;
        if (text[i] != '"') {
            while (i < text.size() && text[i] != ' ') {
                if (text[i] == '"') {
                    problem = "a double quote inside a word; quote the whole word instead";
                    return false;
                }
                word += text[i++];
            }
            words.push_back(std::move(word));
            continue;
        }
        ++i; // the opening quote
        bool closed = false;
        while (i < text.size()) {
            char c = text[i++];
            if (c == '"') {
                closed = true;
                break;
            }
            if (c == '\\') {
                if (i < text.size() && (text[i] == '"' || text[i] == '\\')) {
                    word += text[i++];
                    continue;
                }
                problem = "inside quotes a backslash must be followed by \" or \\";
                return false;
            }
            word += c;
        }
        if (!closed) {
            problem = "a quoted word is not closed";
            return false;
        }
        if (i < text.size() && text[i] != ' ') {
            problem = "a quoted word must be followed by a space";
            return false;
        }
        words.push_back(std::move(word));
    }
    return true;
}

} // namespace

std::vector<TSourceLine> SplitSourceLines(std::string_view text, const std::string& file,
                                          std::vector<TSourceError>& errors) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<TSourceLine> lines;
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        auto fail = [&](std::string message) {
            errors.push_back({file, number, std::move(message)});
        };
        std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos) continue; // blank
        if (line[indent] == '#') continue;              // comment
        if (line[indent] == '\t') {
            fail("indent with spaces, not tabs");
            continue;
        }
        if (indent % 2 != 0) {
            fail("indentation must be a multiple of two spaces");
            continue;
        }
        if (!IsValidUtf8(line)) {
            fail("the line is not valid UTF-8");
            continue;
        }
        TSourceLine parsed;
        parsed.Number = number;
        parsed.Depth = static_cast<int>(indent / 2);
        std::string problem;
        if (!SplitWords(line.substr(indent), parsed.Words, problem)) {
            fail(problem);
            continue;
        }
        lines.push_back(std::move(parsed));
    }
    return lines;
}

std::optional<std::string> ToCodePage(std::string_view utf8, std::string& problem) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!DecodeUtf8(utf8, i, cp)) {
            problem = "not valid UTF-8";
            return std::nullopt;
        }
        bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
        unsigned char byte = control ? 0 : UnicodeToCp1252(cp);
        if (byte == 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            problem = control ? std::string("the control character ") + code + " cannot be stored"
                              : std::string("the character ") + code +
                                    " is not in code page 1252, which the library files use";
            return std::nullopt;
        }
        out += static_cast<char>(byte);
    }
    return out;
}

std::string Quoted(std::string_view word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}
