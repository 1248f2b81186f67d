#pragma once

#include <cstdint>
#include <string_view>

// Splits RTF bytes into groups, control words, control symbols, hex bytes and
// text runs. It never allocates and never reads past the end of its input, so a
// truncated or hostile file can only produce odd tokens, not a crash.
enum class TRtfTokenKind : std::uint8_t {
    End,
    GroupOpen,
    GroupClose,
    ControlWord,   // name, optional parameter
    ControlSymbol, // \ followed by one non-letter; the character is in `symbol`
    HexByte,       // \'hh; the byte is in `param`
    Text,          // a run of literal bytes (no line breaks)
    Binary,        // \binN: the raw bytes that follow, in `text`
};

struct TRtfToken {
    TRtfTokenKind kind = TRtfTokenKind::End;
    std::string_view name; // control word name, or text / binary bytes
    std::int32_t param = 0;
    bool hasParam = false;
    char symbol = 0;
};

class TRtfTokenizer {
public:
    explicit TRtfTokenizer(std::string_view input) : in_(input) {}

    TRtfToken Next();
    // Consumes everything up to and including the '}' that closes the group the
    // reader is in, without producing tokens; used for destinations nobody reads.
    void SkipGroup();
    bool AtEnd() const { return pos_ >= in_.size(); }
    std::size_t Position() const { return pos_; }

private:
    TRtfToken ReadControl();
    // Reads the data of \binN: at most what is left of the input.
    TRtfToken ReadBinary(std::int32_t count);
    void SkipBinaryWord(); // during SkipGroup: a \binN and its data

    std::string_view in_;
    std::size_t pos_ = 0;
};

// Parameters larger than any sane RTF value are clamped, not wrapped.
constexpr std::int32_t kRtfMaxParam = 1'000'000'000;
