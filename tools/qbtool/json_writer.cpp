#include "json_writer.h"

#include "framework/cp1252.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {
// A hostile file can nest a tree 100,000 levels deep; indenting every level would
// make the output grow with the square of the depth.
constexpr std::size_t kMaxIndentDepth = 64;
} // namespace

void TJsonWriter::NewLine(std::size_t depth) {
    static const std::string kSpaces(2 * kMaxIndentDepth, ' ');
    fOut.put('\n');
    fOut.write(kSpaces.data(), static_cast<std::streamsize>(2 * std::min(depth, kMaxIndentDepth)));
}

// The comma and line break (or space, on one line) before the next item.
void TJsonWriter::Separate() {
    Level& top = fLevels.back();
    if (!top.empty) fOut.put(',');
    if (top.inlined) {
        if (!top.empty) fOut.put(' ');
    } else {
        NewLine(fLevels.size());
    }
    top.empty = false;
}

void TJsonWriter::BeforeValue() {
    if (fAfterKey) {
        fAfterKey = false;
        return;
    }
    if (fLevels.empty()) return;
    if (fLevels.back().object) throw std::logic_error("JSON object member without a key");
    Separate();
}

void TJsonWriter::Key(std::string_view name) {
    if (fLevels.empty() || !fLevels.back().object || fAfterKey)
        throw std::logic_error("JSON key outside an object");
    Separate();
    Quoted(name);
    fOut << ": ";
    fAfterKey = true;
}

void TJsonWriter::BeginObject() {
    BeforeValue();
    fOut.put('{');
    fLevels.push_back({true, true, Inlined()});
}

void TJsonWriter::BeginArray() {
    BeforeValue();
    fOut.put('[');
    fLevels.push_back({false, true, Inlined()});
}

void TJsonWriter::BeginInlineArray() {
    BeforeValue();
    fOut.put('[');
    fLevels.push_back({false, true, true});
}

void TJsonWriter::Close(bool object, char bracket) {
    if (fLevels.empty() || fLevels.back().object != object || fAfterKey)
        throw std::logic_error("unbalanced JSON output");
    Level closed = fLevels.back();
    fLevels.pop_back();
    if (!closed.empty && !closed.inlined) NewLine(fLevels.size());
    fOut.put(bracket);
}

void TJsonWriter::EndObject() {
    Close(true, '}');
}
void TJsonWriter::EndArray() {
    Close(false, ']');
}

void TJsonWriter::Quoted(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    fOut.put('"');
    std::size_t plain = 0; // start of the run of characters that need no escape
    auto flush = [&](std::size_t end) {
        fOut.write(utf8.data() + plain, static_cast<std::streamsize>(end - plain));
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        char c = utf8[i];
        auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && c != '"' && c != '\\') continue;
        flush(i);
        plain = i + 1;
        switch (c) {
        case '"':
            fOut << "\\\"";
            break;
        case '\\':
            fOut << "\\\\";
            break;
        case '\b':
            fOut << "\\b";
            break;
        case '\f':
            fOut << "\\f";
            break;
        case '\n':
            fOut << "\\n";
            break;
        case '\r':
            fOut << "\\r";
            break;
        case '\t':
            fOut << "\\t";
            break;
        default:
            fOut << "\\u00" << kHex[b >> 4] << kHex[b & 0xF];
        }
    }
    flush(utf8.size());
    fOut.put('"');
}

void TJsonWriter::String(std::string_view utf8) {
    BeforeValue();
    Quoted(utf8);
}

void TJsonWriter::Cp1252String(std::string_view bytes) {
    String(Cp1252ToUtf8(bytes));
}

void TJsonWriter::Integer(std::int64_t value) {
    BeforeValue();
    fOut << value;
}

void TJsonWriter::Boolean(bool value) {
    BeforeValue();
    fOut << (value ? "true" : "false");
}

void TJsonWriter::Null() {
    BeforeValue();
    fOut << "null";
}

void TJsonWriter::Finish() {
    if (!fLevels.empty() || fAfterKey) throw std::logic_error("unfinished JSON output");
    fOut.put('\n');
}
