#pragma once

#include "output/rtf/rtf_units.h"
#include "output/rtf/rtf_write_output.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <cstdint>
#include <vector>

class QTextDocument;
class QTextList;

// A format length (1/96 inch) in whole twips, as the file writes it.
int UnitsToTwips(double units);

// The fonts a document uses, in order of first use; \f0 is the document's default.
class TRtfFontTable {
public:
    // `familyClass` is the RtfProperty::FontFamilyClass a reader kept (1 \fnil ...
    // 8 \fbidi); 0 lets the family name decide.
    int IndexFor(const QString& family, int familyClass = 0);
    bool IsSymbolFont(int index) const { return fonts_[std::size_t(index)].symbol; }
    void Write(TRtfSink& sink) const;

private:
    struct TFont {
        QString name; // as written
        const char* familyWord;
        bool symbol;
    };
    std::vector<TFont> fonts_;
    QHash<QString, int> byKey_;
};

// The colours a document uses; index 0 is the reader's automatic colour.
class TRtfColorTable {
public:
    int IndexFor(const QColor& color);
    void Write(TRtfSink& sink) const;

private:
    std::vector<QRgb> colors_;
    QHash<QRgb, int> byRgb_;
};

enum class TRtfWriteUnderline : std::uint8_t {
    None,
    Single,
    Double,
    Dotted,
    Dashed,
    DashDot,
    DashDotDot,
    Wave,
    Words,
    Thick
};

// Character properties as RTF sees them; the default value is the state \plain
// leaves behind.
struct TRtfCharProps {
    int font = 0;
    int halfPoints = 24;
    int foreground = 0;
    int background = 0;
    TRtfWriteUnderline underline = TRtfWriteUnderline::None;
    std::int8_t vertical = 0; // 1 superscript, -1 subscript
    std::uint8_t caps = 0;    // 1 all capitals, 2 small capitals
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    bool operator==(const TRtfCharProps&) const = default;
};

// Writes the control words that turn `from` into `to`.
void WriteCharChange(TRtfSink& sink, const TRtfCharProps& from, const TRtfCharProps& to);

// Resolves character formats against the document's default font, filling the font
// and colour tables on the way. Results are cached by the document's format index,
// so that a long text with few formats costs one resolution per format.
class TRtfFormatMapper {
public:
    TRtfFormatMapper(const QTextDocument& doc, TRtfFontTable& fonts, TRtfColorTable& colors);

    const TRtfCharProps& Props(const QTextCharFormat& format, int formatIndex);
    TRtfCharProps Resolve(const QTextCharFormat& format);
    int DefaultHalfPoints() const { return defaultHalfPoints_; }
    bool IsSymbolFont(int font) const { return fonts_.IsSymbolFont(font); }
    TRtfColorTable& Colors() { return colors_; }

private:
    TRtfFontTable& fonts_;
    TRtfColorTable& colors_;
    QFont defaultFont_;
    int defaultHalfPoints_ = 24;
    std::vector<int> cacheSlot_; // format index -> index into cache_, or -1
    std::vector<TRtfCharProps> cache_;
};

// Paragraph properties after \pard (the caller writes \pard and the table words).
// `extraIndent` is the indent, in units, that a list or indent level adds.
void WriteParagraphProps(TRtfSink& sink, const QTextBlockFormat& format, double extraIndent,
                         TRtfColorTable& colors);
