#pragma once

#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_write_format.h"
#include "output/rtf/rtf_write_lists.h"
#include "output/rtf/rtf_write_output.h"
#include "output/rtf/rtf_write_picture.h"

#include <QHash>
#include <QTextFrame>

#include <optional>
#include <string>
#include <vector>

class QTextBlock;
class QTextDocument;
class QTextTable;
class QTextTableCell;

// Walks a QTextDocument and writes its body: paragraphs, runs, pictures, links and
// tables. The font and colour tables fill up on the way, so the document's header
// is written afterwards (see WriteRtf).
class TRtfBodyWriter {
public:
    // `areas`: the footnotes the document's marks (RtfProperty::NoteMark) refer to.
    TRtfBodyWriter(const QTextDocument& doc, const TRtfPage& page,
                   const TRtfAreas* areas = nullptr);
    // A text of its own (a header, footer or footnote) written with the font and
    // colour tables of `main`.
    TRtfBodyWriter(const QTextDocument& doc, TRtfBodyWriter& main);

    void Write();

    TRtfSink& Body() { return body_; }
    const TRtfFontTable& Fonts() const { return fonts_; }
    int TextWidth() const { return textWidth_; }
    const TRtfColorTable& Colors() const { return colors_; }
    const TRtfListTable& Lists() const { return lists_; }

private:
    // How a paragraph ends: a paragraph mark, the end of a table cell (\cell, or
    // \nestcell inside a nested table), the end of a section (\sect, before a
    // paragraph that starts one), or nothing for the document's last one.
    enum class TEnd { Par, Cell, NestCell, Sect, None };

    struct TItem {
        QTextBlock block;
        QTextFrame* frame = nullptr;
    };

    void WriteItems(QTextFrame::iterator it, int depth, TEnd lastEnd, int widthTwips);
    void WriteParagraph(const QTextBlock& block, int depth, TEnd end);
    void WriteListItem(const QTextBlock& block);
    void WriteRuns(const QTextBlock& block, TRtfCharProps& state);
    void WritePicture(const QTextImageFormat& format);
    void WritePictureData(const QTextImageFormat& format);
    void OpenLink(const QString& href);
    // Fields and note numbers (rtf_write_areas.cpp).
    bool WriteLiveRun(const QTextCharFormat& format, const QString& text);
    void WriteNote(int index);

    void WriteTable(QTextTable* table, int depth, int widthTwips);
    std::vector<int> ColumnWidths(const QTextTable* table, int widthTwips) const;
    void WriteRowDefinition(const QTextTable* table, int row, const std::vector<int>& edges);
    void WriteCellDefinition(const QTextTable* table, const QTextTableCell& cell, int row);
    void WriteEmptyCell(int depth);

    const QTextDocument& doc_;
    TRtfFontTable ownFonts_;
    TRtfColorTable ownColors_;
    TRtfFontTable& fonts_; // this writer's own, or those of the main text
    TRtfColorTable& colors_;
    const TRtfAreas* areas_;
    TRtfListTable ownLists_;
    TRtfListTable& lists_;
    TRtfFormatMapper mapper_;
    TRtfSink body_;
    QHash<QString, std::optional<TRtfPicture>> pictures_;
    int textWidth_; // twips between the page margins
    int footerDistance_;
    bool sectionEnded_ = false;     // the last paragraph ended with \sect
    bool pendingPageBreak_ = false; // the previous paragraph asked for a break after it
};

// The headers and footers as RTF groups, written with the tables of `main`, which
// (written before the tables are, so that their fonts and colours are in them).
std::string WriteRtfAreas(const TRtfAreas& areas, TRtfBodyWriter& main);
