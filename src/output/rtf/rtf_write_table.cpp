#include "output/rtf/rtf_write_document.h"

#include <QTextTable>

#include <algorithm>

namespace {
// Narrowest column written; columns that share out too little space get this.
constexpr int kMinColumn = 360;
// \brdrw stops at 75 twips; wider lines would need another line style.
constexpr int kMaxBorder = 75;

enum TCellSide { kTop, kLeft, kBottom, kRight };

struct TBorder {
    int twips = 0;
    QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_None;
    QColor color;
};

// A cell side's line: the cell's own when it sets one, else the table's.
TBorder BorderOf(const QTextTableCellFormat& cell, const QTextTableFormat& table, TCellSide side) {
    static constexpr int kWidth[] = {
        QTextFormat::TableCellTopBorder, QTextFormat::TableCellLeftBorder,
        QTextFormat::TableCellBottomBorder, QTextFormat::TableCellRightBorder};
    static constexpr int kStyle[] = {
        QTextFormat::TableCellTopBorderStyle, QTextFormat::TableCellLeftBorderStyle,
        QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellRightBorderStyle};
    static constexpr int kBrush[] = {
        QTextFormat::TableCellTopBorderBrush, QTextFormat::TableCellLeftBorderBrush,
        QTextFormat::TableCellBottomBorderBrush, QTextFormat::TableCellRightBorderBrush};
    TBorder b;
    const double width =
        cell.hasProperty(kWidth[side]) ? cell.doubleProperty(kWidth[side]) : table.border();
    b.style = cell.hasProperty(kStyle[side])
                  ? QTextFrameFormat::BorderStyle(cell.intProperty(kStyle[side]))
                  : table.borderStyle();
    const QBrush brush =
        cell.hasProperty(kBrush[side]) ? cell.brushProperty(kBrush[side]) : table.borderBrush();
    b.color = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
    if (width <= 0 || b.style == QTextFrameFormat::BorderStyle_None) return {};
    // A double line's width is that of each of its two lines and the room between.
    const double lineWidth = b.style == QTextFrameFormat::BorderStyle_Double ? width / 3 : width;
    b.twips = std::clamp(UnitsToTwips(lineWidth), 1, kMaxBorder);
    return b;
}

const char* BorderStyleWord(QTextFrameFormat::BorderStyle style) {
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted:
        return "brdrdot";
    case QTextFrameFormat::BorderStyle_Dashed:
        return "brdrdash";
    case QTextFrameFormat::BorderStyle_Double:
        return "brdrdb";
    case QTextFrameFormat::BorderStyle_DotDash:
        return "brdrdashd";
    case QTextFrameFormat::BorderStyle_DotDotDash:
        return "brdrdashdd";
    default:
        // Qt's 3D styles (its default is "outset") print as plain lines.
        return "brdrs";
    }
}

double PaddingOf(const QTextTableCellFormat& cell, const QTextTableFormat& table, TCellSide side) {
    static constexpr int kPadding[] = {
        QTextFormat::TableCellTopPadding, QTextFormat::TableCellLeftPadding,
        QTextFormat::TableCellBottomPadding, QTextFormat::TableCellRightPadding};
    return cell.hasProperty(kPadding[side]) ? cell.doubleProperty(kPadding[side])
                                            : table.cellPadding();
}

QColor BackgroundOf(const QTextFormat& format) {
    if (!format.hasProperty(QTextFormat::BackgroundBrush)) return {};
    const QBrush brush = format.background();
    if (brush.style() == Qt::NoBrush || brush.color().alpha() == 0) return {};
    return brush.color();
}
} // namespace

std::vector<int> TRtfBodyWriter::ColumnWidths(const QTextTable* table, int widthTwips) const {
    const QTextTableFormat tf = table->format();
    const int columns = table->columns();
    int total = widthTwips;
    const QTextLength tableWidth = tf.width();
    if (tableWidth.type() == QTextLength::FixedLength)
        total = UnitsToTwips(tableWidth.rawValue());
    else if (tableWidth.type() == QTextLength::PercentageLength)
        total = int(widthTwips * tableWidth.rawValue() / 100);

    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    std::vector<int> widths(std::size_t(columns), -1);
    int known = 0, variable = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints[c] : QTextLength();
        int& w = widths[std::size_t(c)];
        if (length.type() == QTextLength::FixedLength)
            w = UnitsToTwips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            w = int(total * length.rawValue() / 100);
        if (w >= 0) {
            w = std::max(w, kMinColumn / 4);
            known += w;
        } else {
            ++variable;
        }
    }
    if (variable > 0) {
        // Columns that size to their contents share what is left equally.
        const int share = std::max(kMinColumn, (total - known) / variable);
        for (int& w : widths)
            if (w < 0) w = share;
    }
    return widths;
}

void TRtfBodyWriter::WriteTable(QTextTable* table, int depth, int widthTwips) {
    const QTextTableFormat tf = table->format();
    // \trleft stands the row's left padding in from the table's edge; word processors
    // place the table by its last row.
    const QTextTableCellFormat firstCell =
        table->cellAt(table->rows() - 1, 0).format().toTableCellFormat();
    // A nested table is read as standing where its cell's text starts.
    const int padLeft = depth > 1 ? 0 : std::max(0, UnitsToTwips(PaddingOf(firstCell, tf, kLeft)));
    const int left = std::max(0, UnitsToTwips(tf.leftMargin()) + padLeft);
    const std::vector<int> widths = ColumnWidths(table, widthTwips - left);
    std::vector<int> edges{left};
    for (const int w : widths)
        edges.push_back(edges.back() + w);

    const TEnd cellEnd = depth == 1 ? TEnd::Cell : TEnd::NestCell;
    for (int r = 0; r < table->rows(); ++r) {
        // Outer rows carry their definition in front, which every reader takes;
        // nested rows carry theirs behind, in the group nested tables require.
        if (depth == 1) WriteRowDefinition(table, r, edges);
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.column() != c) continue; // covered by a cell spanning columns
            if (cell.row() != r) {            // covered by a cell spanning rows
                WriteEmptyCell(depth);
                continue;
            }
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            const int inner = edges[std::size_t(c + cell.columnSpan())] - edges[std::size_t(c)] -
                              UnitsToTwips(PaddingOf(cf, tf, kLeft) + PaddingOf(cf, tf, kRight));
            WriteItems(cell.begin(), depth, cellEnd, std::max(kMinColumn, inner));
        }
        if (depth == 1) {
            body_.Word("row");
            body_.LineBreak();
        } else {
            body_.Open();
            body_.Raw("\\*");
            body_.Word("nesttableprops");
            WriteRowDefinition(table, r, edges);
            body_.Word("nestrow");
            body_.Close();
            // Readers that know no nesting see each inner row as a paragraph.
            body_.Open();
            body_.Word("nonesttables");
            body_.Word("par");
            body_.Close();
            body_.LineBreak();
        }
    }
}

void TRtfBodyWriter::WriteEmptyCell(int depth) {
    body_.Word("pard");
    body_.Word("plain");
    body_.Word("intbl");
    if (depth > 1) body_.Word("itap", depth);
    body_.Word(depth == 1 ? "cell" : "nestcell");
    body_.LineBreak();
}

void TRtfBodyWriter::WriteRowDefinition(const QTextTable* table, int row,
                                        const std::vector<int>& edges) {
    const QTextTableFormat tf = table->format();
    const QTextTableCellFormat first = table->cellAt(row, 0).format().toTableCellFormat();
    const int padLeft = UnitsToTwips(PaddingOf(first, tf, kLeft));
    body_.Word("trowd");
    body_.Word("trgaph", std::max(0, padLeft));
    body_.Word("trleft", edges.front());
    const Qt::Alignment align = tf.alignment();
    if (align & Qt::AlignHCenter)
        body_.Word("trqc");
    else if (align & Qt::AlignRight)
        body_.Word("trqr");
    if (row < tf.headerRowCount()) body_.Word("trhdr");
    if (const int height = tf.property(RtfProperty::RowHeights).value<QList<int>>().value(row))
        body_.Word("trrh", height);
    static constexpr struct {
        TCellSide side;
        const char* padding;
        const char* unit;
    } kPaddings[] = {{kLeft, "trpaddl", "trpaddfl"},
                     {kRight, "trpaddr", "trpaddfr"},
                     {kTop, "trpaddt", "trpaddft"},
                     {kBottom, "trpaddb", "trpaddfb"}};
    for (const auto& p : kPaddings) {
        body_.Word(p.padding, std::max(0, UnitsToTwips(PaddingOf(first, tf, p.side))));
        body_.Word(p.unit, 3); // twips
    }
    for (int c = 0; c < table->columns(); ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        if (cell.column() != c) continue;
        WriteCellDefinition(table, cell, row);
        body_.Word("cellx", edges[std::size_t(c + cell.columnSpan())]);
    }
}

void TRtfBodyWriter::WriteCellDefinition(const QTextTable* table, const QTextTableCell& cell,
                                         int row) {
    const QTextTableFormat tf = table->format();
    const QTextTableCellFormat cf = cell.format().toTableCellFormat();
    if (cell.row() < row)
        body_.Word("clvmrg");
    else if (cell.rowSpan() > 1)
        body_.Word("clvmgf");
    switch (cf.verticalAlignment()) {
    case QTextCharFormat::AlignMiddle:
        body_.Word("clvertalc");
        break;
    case QTextCharFormat::AlignBottom:
        body_.Word("clvertalb");
        break;
    default:
        body_.Word("clvertalt");
        break;
    }
    static constexpr struct {
        TCellSide side;
        const char* word;
    } kSides[] = {{kTop, "clbrdrt"}, {kLeft, "clbrdrl"}, {kBottom, "clbrdrb"}, {kRight, "clbrdrr"}};
    for (const auto& s : kSides) {
        const TBorder b = BorderOf(cf, tf, s.side);
        if (b.twips == 0) continue;
        body_.Word(s.word);
        body_.Word(BorderStyleWord(b.style));
        body_.Word("brdrw", b.twips);
        body_.Word("brdrcf", colors_.IndexFor(b.color));
    }
    // Paddings unlike the row's (its first cell's) go with the cell; word processors
    // take \clpadl for the top and \clpadt for the left.
    const QTextTableCellFormat first = table->cellAt(row, 0).format().toTableCellFormat();
    static constexpr struct {
        TCellSide side;
        const char* padding;
        const char* unit;
    } kPaddings[] = {{kTop, "clpadl", "clpadfl"},
                     {kLeft, "clpadt", "clpadft"},
                     {kBottom, "clpadb", "clpadfb"},
                     {kRight, "clpadr", "clpadfr"}};
    for (const auto& p : kPaddings) {
        const int twips = std::max(0, UnitsToTwips(PaddingOf(cf, tf, p.side)));
        if (twips == std::max(0, UnitsToTwips(PaddingOf(first, tf, p.side)))) continue;
        body_.Word(p.padding, twips);
        body_.Word(p.unit, 3); // twips
    }
    QColor background = BackgroundOf(cf);
    if (!background.isValid()) background = BackgroundOf(tf);
    if (background.isValid()) body_.Word("clcbpat", colors_.IndexFor(background));
}
