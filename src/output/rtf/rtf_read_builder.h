#pragma once

#include "output/rtf/rtf_read_lists.h"
#include "output/rtf/rtf_read_state.h"
#include "output/rtf/rtf_units.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

// A paragraph as the reader collects it: the formats in force at its end and its
// runs of equally formatted text (or single pictures).
struct TRtfRun {
    QString text;
    QTextCharFormat format;
    bool image = false;
};

struct TRtfParagraph {
    QTextBlockFormat format;
    QTextCharFormat markFormat; // the paragraph mark's format: height of an empty line
    std::vector<TRtfRun> runs;
    TRtfParaList list;
    bool IsEmpty() const { return runs.empty(); }
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

    // A paragraph of the main text or of a table cell; `terminated` means \par.
    void AddParagraph(TRtfParagraph&& paragraph, bool inTable, bool terminated);
    void EndCell(TRtfParagraph&& last);
    void EndRow(const TRtfRowDef& def);
    // The text after the last paragraph end; it becomes the document's last block.
    void Finish(TRtfParagraph&& last, bool inTable, const TRtfRowDef& def);

private:
    struct TCell {
        std::vector<TRtfParagraph> paragraphs;
    };
    struct TRow {
        TRtfRowDef def;
        std::vector<TCell> cells;
    };

    void InsertFlow(const TRtfParagraph& paragraph, bool terminated);
    void FlushTable();
    void EmitTable(std::vector<TRow>::iterator first, std::vector<TRow>::iterator last);
    static void InsertRuns(QTextCursor& cursor, const TRtfParagraph& paragraph);
    void FillCell(QTextCursor cursor, const std::vector<TRtfParagraph>& paragraphs);

    QTextCursor& cursor_;
    bool needBlock_ = false; // the previous paragraph ended with \par
    bool firstParagraph_ = true;
    bool applyFirstFormat_ = true;
    std::vector<TRow> rows_;
    std::vector<TCell> openRow_;
    TCell openCell_;
    TRtfListJoiner lists_;
};
