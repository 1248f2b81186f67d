#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

// Streams one JSON value, indented by two spaces per level, without building it in
// memory first: a library of 100,000 questions is printed as it is walked. The
// caller supplies UTF-8 text; `Cp1252String` converts the files' 8-bit strings.
class TJsonWriter {
public:
    explicit TJsonWriter(std::ostream& out) : fOut(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    // An array kept on one line, for short lists of names and identifiers; anything
    // nested in it stays on that line too.
    void BeginInlineArray();
    void EndArray();
    // The name of the next member of the current object.
    void Key(std::string_view name);

    void String(std::string_view utf8);
    void Cp1252String(std::string_view bytes);
    void Integer(std::int64_t value);
    void Boolean(bool value);
    void Null();

    // Ends the output with a newline once the outermost value is closed.
    void Finish();

private:
    struct Level {
        bool object;
        bool empty;
        bool inlined;
    };
    bool Inlined() const { return !fLevels.empty() && fLevels.back().inlined; }
    void Separate();
    void BeforeValue();
    void NewLine(std::size_t depth);
    void Close(bool object, char bracket);
    void Quoted(std::string_view utf8);

    std::ostream& fOut;
    std::vector<Level> fLevels;
    bool fAfterKey = false;
};
