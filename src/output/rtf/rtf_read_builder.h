#pragma once

#include "output/rtf/rtf_read_lists.h"
#include "output/rtf/rtf_read_state.h"
#include "output/rtf/rtf_units.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <memory>
#include <vector>

// A paragraph as the reader collects it: the formats in force at its end and its
// runs of equally formatted text (or single pictures).
struct TRtfRun {
    QString text;
    QTextCharFormat format;
    bool image = false;
};

struct TRtfNestedTable;

struct TRtfParagraph {
    QTextBlockFormat format;
    QTextCharFormat markFormat; // the paragraph mark's format: height of an empty line
    std::vector<TRtfRun> runs;
    TRtfParaList list;
    // Set, this stands for a table nested in a cell, at this place among its paragraphs.
    std::shared_ptr<const TRtfNestedTable> nested;
    bool IsEmpty() const { return runs.empty() && !nested; }
};

struct TRtfCellContent {
    std::vector<TRtfParagraph> paragraphs;
};

struct TRtfRowContent {
    TRtfRowDef def;
    std::vector<TRtfCellContent> cells;
};

struct TRtfNestedTable {
    std::vector<TRtfRowContent> rows;
};

// Lays paragraphs and tables into a QTextDocument through a cursor. Table rows are
// held back until the table ends, because the column grid can only be worked out
// from all of its rows.
class TRtfDocBuilder {
public:
    // `replacing`: the cursor stands in a document the text replaces; otherwise the
    // text is inserted and the first paragraph's format only applies when the
    // cursor starts a paragraph.
    TRtfDocBuilder(QTextCursor& cursor, bool replacing);

    // A paragraph of the main text (depth 0), of a table cell (1) or of a cell of
    // a table nested in a cell (2 and more); `terminated` means \par.
    void AddParagraph(TRtfParagraph&& paragraph, int depth, bool terminated);
    void EndCell(TRtfParagraph&& last);
    void EndRow(const TRtfRowDef& def);
    // The paper the file asks for, against which a table's width is measured.
    void SetPage(const TRtfPage& page) { page_ = page; }
    // \nestcell and \nestrow of a table inside a cell.
    void EndNestedCell(TRtfParagraph&& last);
    void EndNestedRow(const TRtfRowDef& def);
    // Ends the table being collected, so that the next row starts another.
    void EndTable() { FlushTable(); }
    bool CellHasText() const { return !openCell_.paragraphs.empty(); }
    // The text after the last paragraph end; it becomes the document's last block.
    void Finish(TRtfParagraph&& last, bool inTable, const TRtfRowDef& def);

private:
    using TCell = TRtfCellContent;
    using TRow = TRtfRowContent;
    using TRowIt = std::vector<TRow>::const_iterator;

    void InsertFlow(const TRtfParagraph& paragraph, bool terminated);
    void FlushTable();
    void CloseNestedTable();
    // Inserts the rows as a table at `cursor`, and leaves it in the block after.
    void EmitTable(QTextCursor& cursor, TRowIt first, TRowIt last, bool nested);
    static void InsertRuns(QTextCursor& cursor, const TRtfParagraph& paragraph);
    void FillCell(QTextCursor cursor, const std::vector<TRtfParagraph>& paragraphs);

    QTextCursor& cursor_;
    bool needBlock_ = false; // the previous paragraph ended with \par
    bool firstParagraph_ = true;
    TRtfPage page_ = kRtfLetterPage;
    bool applyFirstFormat_ = true;
    std::vector<TRow> rows_;
    std::vector<TCell> openRow_;
    TCell openCell_;
    // The table nested in the open cell, as far as it has come.
    std::vector<TRow> nestedRows_;
    std::vector<TCell> nestedRow_;
    TCell nestedCell_;
    TRtfListJoiner lists_;
};
