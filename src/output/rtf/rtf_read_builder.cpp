#include "output/rtf/rtf_read_builder.h"

#include <QTextTable>

#include <algorithm>
#include <cmath>

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

bool HoldsNothing(const std::vector<TRtfParagraph>& paragraphs) {
    return std::all_of(paragraphs.begin(), paragraphs.end(),
                       [](const TRtfParagraph& p) { return p.IsEmpty(); });
}

// A cell after horizontal merging: its edges and the file cells it holds.
struct TLogicalCell {
    int left = 0;
    int right = 0;
    const TRtfCellDef* def = nullptr;
    std::vector<const std::vector<TRtfParagraph>*> contents;
};

void ApplyBorder(QTextTableCellFormat& f, TRtfSide side, const TRtfBorder& b) {
    double width = b.line ? std::max(1.0, Units(b.width)) : 0.0;
    auto style = b.line ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None;
    if (b.line && b.style == TRtfBorderStyle::Double) {
        // Two lines of the given width with as much room between them.
        style = QTextFrameFormat::BorderStyle_Double;
        width = std::max(3.0, 3 * Units(b.width));
    } else if (b.line && b.style == TRtfBorderStyle::Dotted) {
        style = QTextFrameFormat::BorderStyle_Dotted;
    } else if (b.line && b.style == TRtfBorderStyle::Dashed) {
        style = QTextFrameFormat::BorderStyle_Dashed;
    }
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

// A cell's padding on one side (top, left, bottom, right) in twips: its own, else
// the row's, else half the row's gap at the left and right; a unit of 0 in the
// file voids the length it goes with.
int PaddingTwips(const TRtfRowDef& row, const TRtfCellDef* cell, int side) {
    if (cell && cell->padding[side] >= 0 && cell->paddingUnit[side] != 0)
        return cell->padding[side];
    if (row.padding[side] >= 0 && row.paddingUnit[side] != 0) return row.padding[side];
    return side == 1 || side == 3 ? std::max(0, row.gap) : 0;
}

// \clshdng mixes the pattern colour (black unless given) into the background
// (white unless given) by its share.
QColor CellBackground(const TRtfCellDef& def) {
    if (def.shading <= 0) return def.background;
    const QColor back = def.background.isValid() ? def.background : QColor(Qt::white);
    const QColor fore = def.pattern.isValid() ? def.pattern : QColor(Qt::black);
    const double share = def.shading / 10000.0;
    auto mix = [&](int b, int f) { return int(std::lround(b + (f - b) * share)); };
    return QColor(mix(back.red(), fore.red()), mix(back.green(), fore.green()),
                  mix(back.blue(), fore.blue()));
}

QTextTableCellFormat CellFormat(const TRtfRowDef& row, const TLogicalCell& cell) {
    static const TRtfCellDef kNoDef;
    const TRtfCellDef& def = cell.def ? *cell.def : kNoDef;
    QTextTableCellFormat f;
    // Only the cells' own borders are drawn: word processors draw none of the
    // row's \trbrdr* lines, which they write beside the cells' own.
    for (int s = 0; s < 4; ++s)
        ApplyBorder(f, TRtfSide(s), def.borders[s]);
    f.setTopPadding(Units(PaddingTwips(row, cell.def, 0)));
    f.setLeftPadding(Units(PaddingTwips(row, cell.def, 1)));
    f.setBottomPadding(Units(PaddingTwips(row, cell.def, 2)));
    f.setRightPadding(Units(PaddingTwips(row, cell.def, 3)));
    if (const QColor background = CellBackground(def); background.isValid())
        f.setBackground(background);
    if (def.valign == 1) f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    if (def.valign == 2) f.setVerticalAlignment(QTextCharFormat::AlignBottom);
    return f;
}
} // namespace

TRtfDocBuilder::TRtfDocBuilder(QTextCursor& cursor, bool replacing) : cursor_(cursor) {
    applyFirstFormat_ = replacing || cursor_.atBlockStart();
}

void TRtfDocBuilder::AddParagraph(TRtfParagraph&& paragraph, int depth, bool terminated) {
    if (depth > 1) {
        nestedCell_.paragraphs.push_back(std::move(paragraph));
        return;
    }
    CloseNestedTable();
    if (depth == 1) {
        openCell_.paragraphs.push_back(std::move(paragraph));
        return;
    }
    FlushTable();
    InsertFlow(paragraph, terminated);
}

void TRtfDocBuilder::EndCell(TRtfParagraph&& last) {
    CloseNestedTable();
    openCell_.paragraphs.push_back(std::move(last));
    openRow_.push_back(std::move(openCell_));
    openCell_ = {};
}

void TRtfDocBuilder::EndRow(const TRtfRowDef& def) {
    CloseNestedTable();
    if (!openCell_.paragraphs.empty()) {
        openRow_.push_back(std::move(openCell_));
        openCell_ = {};
    }
    if (openRow_.empty()) return;
    rows_.push_back({def, std::move(openRow_)});
    openRow_.clear();
}

void TRtfDocBuilder::EndNestedCell(TRtfParagraph&& last) {
    nestedCell_.paragraphs.push_back(std::move(last));
    nestedRow_.push_back(std::move(nestedCell_));
    nestedCell_ = {};
}

void TRtfDocBuilder::EndNestedRow(const TRtfRowDef& def) {
    if (!nestedCell_.paragraphs.empty()) {
        nestedRow_.push_back(std::move(nestedCell_));
        nestedCell_ = {};
    }
    if (nestedRow_.empty()) return;
    nestedRows_.push_back({def, std::move(nestedRow_)});
    nestedRow_.clear();
}

// The nested table goes into the open cell as a paragraph that stands for it.
void TRtfDocBuilder::CloseNestedTable() {
    if (nestedRows_.empty() && nestedRow_.empty() && nestedCell_.paragraphs.empty()) return;
    EndNestedRow(nestedRows_.empty() ? TRtfRowDef{} : nestedRows_.back().def);
    TRtfParagraph holder;
    auto table = std::make_shared<TRtfNestedTable>();
    table->rows = std::move(nestedRows_);
    nestedRows_.clear();
    holder.nested = std::move(table);
    openCell_.paragraphs.push_back(std::move(holder));
}

void TRtfDocBuilder::Finish(TRtfParagraph&& last, bool inTable, const TRtfRowDef& def) {
    CloseNestedTable();
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
    bool reuseBlock = true; // the cell's first block, or the one after a nested table
    for (const TRtfParagraph& p : paragraphs) {
        if (p.nested) {
            // The table goes in after the text before it; the rest of that block
            // becomes the block after the table.
            EmitTable(cursor, p.nested->rows.begin(), p.nested->rows.end(), true);
            reuseBlock = true;
            continue;
        }
        if (reuseBlock) {
            cursor.setBlockFormat(p.format);
            cursor.setBlockCharFormat(p.markFormat);
        } else {
            cursor.insertBlock(p.format, p.markFormat);
        }
        reuseBlock = false;
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
            EmitTable(cursor_, start, it, false);
            start = it;
            maxCells = cells = 0;
        }
        maxCells = std::max(maxCells, n);
        cells += n;
    }
    EmitTable(cursor_, start, rows_.end(), false);
    needBlock_ = false;
    firstParagraph_ = false;
    rows_.clear();
}

void TRtfDocBuilder::EmitTable(QTextCursor& cursor, TRowIt first, TRowIt last, bool nested) {
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
            const bool joins =
                !cells.empty() && ((def && def->hMerged) || cells.size() == kMaxColumns);
            if (joins)
                cells.back().right = right;
            else
                cells.push_back({edge, right, def, {}});
            // A merged-away cell's empty paragraph would add a line to the merged cell.
            if (content && (!joins || !HoldsNothing(*content)))
                cells.back().contents.push_back(content);
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
    // A table wider than the paper (some writers give relative widths in units of
    // their own) is fitted to the text width, as a word processor shows it, rather
    // than cut off at the paper's edge.
    if (!nested && edges.size() > 1 && edges.back() > page_.width) {
        const int from = edges.front();
        const int to = std::max(from + 720, page_.width - page_.marginLeft - page_.marginRight);
        const double scale = double(to - from) / double(edges.back() - from);
        auto fit = [&](int x) { return from + int(std::lround((x - from) * scale)); };
        for (int& x : edges)
            x = fit(x);
        for (auto& row : grid)
            for (TLogicalCell& c : row)
                c.left = fit(c.left), c.right = fit(c.right);
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    }
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
    // Word processors place the table by its last row: its edge stands the row's
    // left padding (not a cell's own) before \trleft. A nested table starts where
    // its cell's text does.
    const TRtfRowDef& def0 = (last - 1)->def;
    const int shift = nested ? 0 : PaddingTwips(def0, nullptr, 1);
    tf.setLeftMargin(Units(edges.front() - shift));
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
    QList<int> heights;
    for (auto it = first; it != last; ++it)
        heights.append(it->def.height);
    if (std::any_of(heights.begin(), heights.end(), [](int h) { return h != 0; }))
        tf.setProperty(RtfProperty::RowHeights, QVariant::fromValue(heights));
    int headerRows = 0;
    for (auto it = first; it != last && it->def.header; ++it)
        ++headerRows;
    if (headerRows < int(grid.size())) tf.setHeaderRowCount(headerRows);

    QTextTable* table = cursor.insertTable(int(grid.size()), int(columns), tf);
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
                f.merge(CellFormat(rowDef, cell));
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

    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
}
