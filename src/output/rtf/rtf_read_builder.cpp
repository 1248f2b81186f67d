#include "output/rtf/rtf_read_builder.h"

#include <QTextTable>

#include <algorithm>

namespace {
// More columns than any word processor writes; wider rows fold into the last cell.
constexpr std::size_t kMaxColumns = 64;
// A table's grid may hold at most this many times as many cells as the file does,
// so that ragged rows cannot blow up into millions of empty cells.
constexpr std::size_t kGridSlack = 4;
constexpr std::size_t kGridExtra = 64;
constexpr int kDefaultCellWidth = 1440;
// Rows one cell may span: more than a page holds.
constexpr int kMaxMergedRows = 64;

double Units(int twips) {
    return TFormatUnits(TTwips(twips)).Value();
}

// A cell after horizontal merging: its edges and the file cells it holds.
struct TLogicalCell {
    int left = 0;
    int right = 0;
    const TRtfCellDef* def = nullptr;
    std::vector<const std::vector<TRtfParagraph>*> contents;
};

void ApplyBorder(QTextTableCellFormat& f, TRtfSide side, const TRtfBorder& b) {
    const double width = b.line ? std::max(1.0, Units(b.width)) : 0.0;
    const auto style =
        b.line ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None;
    const QBrush brush(b.color.isValid() ? b.color : QColor(Qt::black));
    switch (side) {
    case kTop:
        f.setTopBorder(width), f.setTopBorderStyle(style), f.setTopBorderBrush(brush);
        break;
    case kLeft:
        f.setLeftBorder(width), f.setLeftBorderStyle(style), f.setLeftBorderBrush(brush);
        break;
    case kBottom:
        f.setBottomBorder(width), f.setBottomBorderStyle(style), f.setBottomBorderBrush(brush);
        break;
    default:
        f.setRightBorder(width), f.setRightBorderStyle(style), f.setRightBorderBrush(brush);
        break;
    }
}

QTextTableCellFormat CellFormat(const TRtfRowDef& row, const TLogicalCell& cell, bool first,
                                bool last) {
    static const TRtfCellDef kNoDef;
    const TRtfCellDef& def = cell.def ? *cell.def : kNoDef;
    QTextTableCellFormat f;
    // A side the cell leaves open takes the row's outer or inner border.
    const TRtfBorder* rowSide[4] = {&row.borders[kTop], &row.borders[first ? kLeft : kInsideV],
                                    &row.borders[kBottom], &row.borders[last ? kRight : kInsideV]};
    for (int s = 0; s < 4; ++s)
        ApplyBorder(f, TRtfSide(s), def.borders[s].line ? def.borders[s] : *rowSide[s]);
    const double gap = Units(std::max(0, row.gap));
    f.setTopPadding(row.padding[0] >= 0 ? Units(row.padding[0]) : 0.0);
    f.setLeftPadding(row.padding[1] >= 0 ? Units(row.padding[1]) : gap);
    f.setBottomPadding(row.padding[2] >= 0 ? Units(row.padding[2]) : 0.0);
    f.setRightPadding(row.padding[3] >= 0 ? Units(row.padding[3]) : gap);
    if (def.background.isValid()) f.setBackground(def.background);
    if (def.valign == 1) f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    if (def.valign == 2) f.setVerticalAlignment(QTextCharFormat::AlignBottom);
    return f;
}
} // namespace

TRtfDocBuilder::TRtfDocBuilder(QTextCursor& cursor, bool replacing) : cursor_(cursor) {
    applyFirstFormat_ = replacing || cursor_.atBlockStart();
}

void TRtfDocBuilder::AddParagraph(TRtfParagraph&& paragraph, bool inTable, bool terminated) {
    if (inTable) {
        openCell_.paragraphs.push_back(std::move(paragraph));
        return;
    }
    FlushTable();
    InsertFlow(paragraph, terminated);
}

void TRtfDocBuilder::EndCell(TRtfParagraph&& last) {
    openCell_.paragraphs.push_back(std::move(last));
    openRow_.push_back(std::move(openCell_));
    openCell_ = {};
}

void TRtfDocBuilder::EndRow(const TRtfRowDef& def) {
    if (!openCell_.paragraphs.empty()) {
        openRow_.push_back(std::move(openCell_));
        openCell_ = {};
    }
    if (openRow_.empty()) return;
    rows_.push_back({def, std::move(openRow_)});
    openRow_.clear();
}

void TRtfDocBuilder::Finish(TRtfParagraph&& last, bool inTable, const TRtfRowDef& def) {
    if (inTable) {
        if (!last.IsEmpty()) openCell_.paragraphs.push_back(std::move(last));
        EndRow(def);
        last = TRtfParagraph{};
    }
    FlushTable();
    InsertFlow(last, false);
}

void TRtfDocBuilder::InsertFlow(const TRtfParagraph& paragraph, bool terminated) {
    if (needBlock_) {
        cursor_.insertBlock(paragraph.format, paragraph.markFormat);
        needBlock_ = false;
    } else if (!firstParagraph_ || applyFirstFormat_) {
        cursor_.setBlockFormat(paragraph.format);
        cursor_.setBlockCharFormat(paragraph.markFormat);
    } else {
        firstParagraph_ = false;
        InsertRuns(cursor_, paragraph); // joins the paragraph it is inserted into
        if (terminated) needBlock_ = true;
        return;
    }
    firstParagraph_ = false;
    lists_.Join(cursor_, paragraph.list);
    InsertRuns(cursor_, paragraph);
    if (terminated) needBlock_ = true;
}

void TRtfDocBuilder::InsertRuns(QTextCursor& cursor, const TRtfParagraph& paragraph) {
    for (const TRtfRun& run : paragraph.runs) {
        if (run.image)
            cursor.insertImage(run.format.toImageFormat());
        else
            cursor.insertText(run.text, run.format);
    }
}

void TRtfDocBuilder::FillCell(QTextCursor cursor, const std::vector<TRtfParagraph>& paragraphs) {
    bool first = true;
    for (const TRtfParagraph& p : paragraphs) {
        if (first) {
            cursor.setBlockFormat(p.format);
            cursor.setBlockCharFormat(p.markFormat);
        } else {
            cursor.insertBlock(p.format, p.markFormat);
        }
        first = false;
        lists_.Join(cursor, p.list);
        InsertRuns(cursor, p);
    }
}

void TRtfDocBuilder::FlushTable() {
    if (!openCell_.paragraphs.empty() || !openRow_.empty()) {
        // Cells that no \row closed still hold text; keep it as a last row.
        TRtfRowDef def = rows_.empty() ? TRtfRowDef{} : rows_.back().def;
        EndRow(def);
    }
    if (rows_.empty()) return;
    // Split the rows so that no table's grid grows far beyond its real cells.
    auto start = rows_.begin();
    std::size_t maxCells = 0, cells = 0;
    for (auto it = rows_.begin(); it != rows_.end(); ++it) {
        const std::size_t n =
            std::min(kMaxColumns, std::max(it->cells.size(), it->def.cells.size()));
        const std::size_t rows = std::size_t(it - start) + 1;
        if (it != start && rows * std::max(maxCells, n) > kGridSlack * (cells + n) + kGridExtra) {
            EmitTable(start, it);
            start = it;
            maxCells = cells = 0;
        }
        maxCells = std::max(maxCells, n);
        cells += n;
    }
    EmitTable(start, rows_.end());
    rows_.clear();
}

void TRtfDocBuilder::EmitTable(std::vector<TRow>::iterator first,
                               std::vector<TRow>::iterator last) {
    // Each row as logical cells with edges; \clmrg cells join the cell before them.
    std::vector<std::vector<TLogicalCell>> grid;
    std::vector<int> edges;
    std::size_t fileCells = 0, widest = 0;
    for (auto it = first; it != last; ++it) {
        const TRow& row = *it;
        std::vector<TLogicalCell> cells;
        const std::size_t n = std::max(row.cells.size(), row.def.cells.size());
        int edge = row.def.left;
        for (std::size_t i = 0; i < n; ++i) {
            const TRtfCellDef* def = i < row.def.cells.size() ? &row.def.cells[i] : nullptr;
            const int right = std::max(def ? def->right : edge + kDefaultCellWidth, edge + 15);
            const auto* content = i < row.cells.size() ? &row.cells[i].paragraphs : nullptr;
            if (!cells.empty() && ((def && def->hMerged) || cells.size() == kMaxColumns)) {
                cells.back().right = right;
            } else {
                cells.push_back({edge, right, def, {}});
            }
            if (content) cells.back().contents.push_back(content);
            edge = right;
        }
        for (const TLogicalCell& c : cells)
            edges.push_back(c.left), edges.push_back(c.right);
        fileCells += cells.size();
        widest = std::max(widest, cells.size());
        grid.push_back(std::move(cells));
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    // The union of all cell edges makes the columns, unless that grid is too large;
    // then every cell is one column and widths come from the widest row.
    const std::size_t unionColumns = edges.size() > 1 ? edges.size() - 1 : 1;
    const bool byEdges = unionColumns <= kMaxColumns &&
                         grid.size() * unionColumns <= kGridSlack * fileCells + kGridExtra;
    const std::size_t columns = std::max<std::size_t>(1, byEdges ? unionColumns : widest);

    QTextTableFormat tf;
    tf.setBorder(0);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    tf.setBorderCollapse(true);
    tf.setCellSpacing(0);
    tf.setCellPadding(0);
    tf.setMargin(0);
    const TRtfRowDef& def0 = first->def;
    tf.setLeftMargin(Units(std::max(0, def0.left)));
    tf.setAlignment(def0.align == 1   ? Qt::AlignHCenter
                    : def0.align == 2 ? Qt::AlignRight
                                      : Qt::AlignLeft);
    QList<QTextLength> widths;
    if (byEdges) {
        for (std::size_t c = 0; c < columns; ++c)
            widths.append(QTextLength(QTextLength::FixedLength, Units(edges[c + 1] - edges[c])));
    } else {
        const auto& wide = *std::max_element(grid.begin(), grid.end(),
                                             [](auto& a, auto& b) { return a.size() < b.size(); });
        for (const TLogicalCell& c : wide)
            widths.append(QTextLength(QTextLength::FixedLength, Units(c.right - c.left)));
    }
    tf.setColumnWidthConstraints(widths);
    int headerRows = 0;
    for (auto it = first; it != last && it->def.header; ++it)
        ++headerRows;
    if (headerRows < int(grid.size())) tf.setHeaderRowCount(headerRows);

    QTextTable* table = cursor_.insertTable(int(grid.size()), int(columns), tf);
    // Open vertical merges per start column: first row and column span.
    struct TOpenMerge {
        int row = -1;
        int span = 0;
        int rows = 0;
    };
    std::vector<TOpenMerge> open(columns);
    std::vector<std::pair<int, TOpenMerge>> verticalMerges; // column, merge
    struct THorizontalMerge {
        int row, column, span;
    };
    std::vector<THorizontalMerge> horizontalMerges;
    for (std::size_t r = 0; r < grid.size(); ++r) {
        const auto& cells = grid[r];
        const TRtfRowDef& rowDef = (first + std::ptrdiff_t(r))->def;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const TLogicalCell& cell = cells[k];
            int col = int(k), span = 1;
            if (byEdges) {
                col = int(std::lower_bound(edges.begin(), edges.end(), cell.left) - edges.begin());
                const int end =
                    int(std::lower_bound(edges.begin(), edges.end(), cell.right) - edges.begin());
                span = std::max(1, end - col);
            }
            if (col >= int(columns)) continue;
            span = std::min(span, int(columns) - col);
            // Merges come last: setting a cell's format resets its span.
            if (span > 1) horizontalMerges.push_back({int(r), col, span});
            TOpenMerge& m = open[std::size_t(col)];
            const bool merged = cell.def && cell.def->vMerged && m.row >= 0 && m.span == span &&
                                m.row + m.rows == int(r);
            // A longer merge goes on as a new merged cell: the layout's cost grows
            // with the square of the rows one cell spans.
            const bool continues = merged && m.rows < kMaxMergedRows;
            if (continues) {
                ++m.rows;
            } else {
                if (m.row >= 0 && m.rows > 1) verticalMerges.push_back({col, m});
                m = {};
                if (cell.def && (cell.def->vMergeFirst || merged)) m = {int(r), span, 1};
            }
            QTextTableCell tc = table->cellAt(int(r), col);
            // The cell's format lives where its first block's character format
            // does, so it is set after the text, on top of that format.
            auto setCellFormat = [&](const QTextCharFormat& markFormat) {
                QTextCharFormat f = markFormat;
                f.merge(CellFormat(rowDef, cell, k == 0, k + 1 == cells.size()));
                tc.setFormat(f);
            };
            std::vector<TRtfParagraph> paragraphs;
            bool empty = true;
            for (const auto* content : cell.contents)
                for (const TRtfParagraph& p : *content) {
                    paragraphs.push_back(p);
                    empty = empty && p.IsEmpty();
                }
            // A merged-away cell usually holds one empty paragraph: leave it out.
            if (continues && empty) {
                setCellFormat(QTextCharFormat());
                continue;
            }
            FillCell(tc.firstCursorPosition(), paragraphs);
            setCellFormat(paragraphs.empty() ? QTextCharFormat() : paragraphs.front().markFormat);
        }
    }
    for (std::size_t c = 0; c < columns; ++c)
        if (open[c].row >= 0 && open[c].rows > 1) verticalMerges.push_back({int(c), open[c]});
    for (const THorizontalMerge& m : horizontalMerges)
        table->mergeCells(m.row, m.column, 1, m.span);
    for (const auto& [col, m] : verticalMerges)
        table->mergeCells(m.row, col, m.rows, m.span);

    cursor_ = table->lastCursorPosition();
    cursor_.movePosition(QTextCursor::NextBlock);
    needBlock_ = false;
    firstParagraph_ = false;
}
