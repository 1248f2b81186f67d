#pragma once

#include <QByteArray>
#include <QStringView>

#include <string>
#include <string_view>

// The byte stream an RTF document is written into. It knows RTF's lexical rules:
// control words get a delimiting space only when text follows that would run into
// them, text is escaped, and every character outside code page 1252 becomes \uN
// with a one-byte fallback (the document declares \uc1).
class TRtfSink {
public:
    TRtfSink() = default;
    explicit TRtfSink(std::size_t reserve) { out_.reserve(reserve); }

    void Word(std::string_view name);
    void Word(std::string_view name, long long param);
    void Open();
    void Close();
    // Bytes that are already valid RTF (no text needing escapes).
    void Raw(std::string_view rtf);
    // Plain text: tabs, line separators and form feeds become \tab, \line and \page.
    void Text(QStringView text);
    // Text in a symbol-encoded font (Symbol, Wingdings): readers decode that font's
    // bytes with its own glyph table, so everything but digits, blanks and a few
    // punctuation marks, which that table leaves alone, goes out as \uN.
    void SymbolText(QStringView text);
    // One byte as \'hh, which needs no delimiter after it.
    void EscapedByte(unsigned char byte);
    // Binary data as hex digits, broken into lines.
    void Hex(const QByteArray& data);
    // A line break between paragraphs; readers ignore it, people reading the file
    // (and diffs) are grateful for it.
    void LineBreak();

    std::size_t Size() const { return out_.size(); }
    const std::string& Bytes() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    void Char(char32_t cp);
    void Unicode(char32_t unit, char fallback);
    void Literal(char c) {
        if (delimit_) out_ += ' ';
        delimit_ = false;
        out_ += c;
    }

    std::string out_;
    bool delimit_ = false; // a control word was written last and text would run into it
};
