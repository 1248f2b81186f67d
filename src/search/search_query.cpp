#include "search_query.h"

#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// ASCII punctuation separates tokens and would leave an empty phrase, which matches
// nothing; bytes of other characters are left for the tokenizer to judge.
bool HasWordCharacter(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return true;
    return false;
}

void AppendTerm(std::string& out, std::string_view term) {
    bool prefix = false;
    while (!term.empty() && term.back() == '*') {
        term.remove_suffix(1);
        prefix = true;
    }
    if (!HasWordCharacter(term)) return;
    if (!out.empty()) out += ' ';
    out += '"';
    for (char c : term) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    if (prefix) out += " *";
}

} // namespace

std::string MatchExpression(std::string_view typed) {
    std::string out;
    std::size_t i = 0;
    while (i < typed.size()) {
        if (IsBlank(typed[i])) {
            ++i;
        } else if (typed[i] == '"') {
            std::size_t end = typed.find('"', i + 1);
            if (end == std::string_view::npos) end = typed.size();
            std::string_view phrase = typed.substr(i + 1, end - i - 1);
            // A star right after the closing quote makes the phrase a prefix too.
            std::size_t next = end + 1;
            std::string withStar(phrase);
            while (next < typed.size() && typed[next] == '*') {
                withStar += '*';
                ++next;
            }
            AppendTerm(out, withStar);
            i = next;
        } else {
            std::size_t end = i;
            while (end < typed.size() && !IsBlank(typed[end]) && typed[end] != '"')
                ++end;
            AppendTerm(out, typed.substr(i, end - i));
            i = end;
        }
    }
    return out;
}
