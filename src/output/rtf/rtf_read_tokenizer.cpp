#include "output/rtf/rtf_read_tokenizer.h"

#include <algorithm>

namespace {
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

TRtfToken Tok(TRtfTokenKind kind, std::string_view name = {}) {
    TRtfToken t;
    t.kind = kind;
    t.name = name;
    return t;
}

// Control word names longer than this are cut; the rest of the letters is skipped.
constexpr std::size_t kMaxWordLength = 32;
} // namespace

TRtfToken TRtfTokenizer::Next() {
    while (pos_ < in_.size()) {
        const char c = in_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            return Tok(TRtfTokenKind::GroupOpen);
        case '}':
            ++pos_;
            return Tok(TRtfTokenKind::GroupClose);
        case '\\':
            return ReadControl();
        case '\r':
        case '\n':
            ++pos_;
            continue;
        default:
            break;
        }
        // A literal tab is a tab character; a NUL byte is ignored. Both end a run.
        if (c == '\t') {
            ++pos_;
            TRtfToken t = Tok(TRtfTokenKind::ControlWord, "tab");
            return t;
        }
        if (c == '\0') {
            ++pos_;
            continue;
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size()) {
            const char d = in_[pos_];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n' || d == '\t' ||
                d == '\0')
                break;
            ++pos_;
        }
        TRtfToken t = Tok(TRtfTokenKind::Text);
        t.name = in_.substr(start, pos_ - start);
        return t;
    }
    return Tok(TRtfTokenKind::End);
}

TRtfToken TRtfTokenizer::ReadControl() {
    ++pos_; // the backslash
    if (pos_ >= in_.size()) return Tok(TRtfTokenKind::End);
    const char c = in_[pos_];
    if (!IsLetter(c)) {
        ++pos_;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            // Invalid hex digits end the escape; whatever was valid is used.
            while (digits < 2 && pos_ < in_.size()) {
                const int h = HexValue(in_[pos_]);
                if (h < 0) break;
                value = value * 16 + h;
                ++pos_;
                ++digits;
            }
            if (digits == 0) return Tok(TRtfTokenKind::Text); // an empty run: nothing to show
            TRtfToken t = Tok(TRtfTokenKind::HexByte);
            t.param = value;
            t.hasParam = true;
            return t;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line break is a paragraph end.
            TRtfToken t = Tok(TRtfTokenKind::ControlWord, "par");
            return t;
        }
        TRtfToken t = Tok(TRtfTokenKind::ControlSymbol);
        t.symbol = c;
        return t;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]))
        ++pos_;
    TRtfToken t = Tok(TRtfTokenKind::ControlWord);
    t.name = in_.substr(start, std::min(pos_ - start, kMaxWordLength));
    bool negative = false;
    if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < in_.size() && IsDigit(in_[pos_])) {
        std::int64_t value = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            if (value < kRtfMaxParam) value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (value > kRtfMaxParam) value = kRtfMaxParam;
        t.param = static_cast<std::int32_t>(negative ? -value : value);
        t.hasParam = true;
    }
    // One space after a control word belongs to it.
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    if (t.name == "bin" && t.hasParam) return ReadBinary(t.param);
    return t;
}

TRtfToken TRtfTokenizer::ReadBinary(std::int32_t count) {
    const std::size_t left = in_.size() - pos_;
    const std::size_t n = count <= 0 ? 0 : std::min<std::size_t>(left, std::size_t(count));
    TRtfToken t = Tok(TRtfTokenKind::Binary);
    t.name = in_.substr(pos_, n);
    pos_ += n;
    return t;
}

void TRtfTokenizer::SkipBinaryWord() {
    // pos_ is just past "\bin"; read its parameter the same way ReadControl does.
    std::int64_t value = 0;
    bool any = false;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
        if (value < kRtfMaxParam) value = value * 10 + (in_[pos_] - '0');
        ++pos_;
        any = true;
    }
    if (!any) return;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    const std::size_t left = in_.size() - pos_;
    pos_ += std::min<std::size_t>(left, std::size_t(std::min<std::int64_t>(value, kRtfMaxParam)));
}

void TRtfTokenizer::SkipGroup() {
    std::size_t depth = 1;
    while (pos_ < in_.size()) {
        const char c = in_[pos_++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return;
        } else if (c == '\\' && pos_ < in_.size()) {
            if (in_.compare(pos_, 3, "bin") == 0 &&
                (pos_ + 3 >= in_.size() || !IsLetter(in_[pos_ + 3]))) {
                pos_ += 3;
                SkipBinaryWord();
            } else {
                ++pos_; // an escaped brace or backslash does not count
            }
        }
    }
}
