#include "output/richtext/table_rows.h"

#include "output/richtext/page_layout.h"
#include "output/rtf/rtf_types.h"

#include <QAbstractTextDocumentLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
struct TPadding {
    QTextTableCell cell;
    double extra = 0; // format units
};

void CollectTables(QTextFrame* frame, std::vector<QTextTable*>& tables) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child);
            table && table->format().hasProperty(RtfProperty::RowHeights))
            tables.push_back(table);
        CollectTables(child, tables);
    }
}

// How much more room the row needs, in layout units, to be `height` tall.
double Shortfall(const QTextDocument& doc, const QTextTable& table, int row, double height,
                 double formatScale) {
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    double tallest = 0;
    for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(row, c);
        if (cell.row() != row || cell.column() != c || cell.rowSpan() != 1) continue;
        const QTextTableCellFormat f = cell.format().toTableCellFormat();
        const double top = layout.blockBoundingRect(cell.firstCursorPosition().block()).top();
        const double bottom = layout.blockBoundingRect(cell.lastCursorPosition().block()).bottom();
        const double pads = (f.topPadding() + f.bottomPadding()) * formatScale;
        tallest = std::max(tallest, bottom - top + pads);
    }
    return height - tallest;
}
} // namespace

void FitTableRowHeights(QTextDocument& doc, double formatScale) {
    std::vector<QTextTable*> tables;
    CollectTables(doc.rootFrame(), tables);
    if (tables.empty() || formatScale <= 0) return;
    // Measure everything first: each change lays the document out again.
    std::vector<TPadding> changes;
    for (QTextTable* table : tables) {
        const QList<int> heights =
            table->format().property(RtfProperty::RowHeights).value<QList<int>>();
        for (int r = 0; r < std::min<int>(table->rows(), int(heights.size())); ++r) {
            if (heights[r] == 0) continue;
            const double height = TPoints(TTwips(std::abs(heights[r]))).Value();
            const double missing = Shortfall(doc, *table, r, height, formatScale);
            if (missing <= 0.5) continue;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c && cell.rowSpan() == 1)
                    changes.push_back({cell, missing / formatScale});
            }
        }
    }
    for (TPadding& change : changes) {
        QTextTableCellFormat f = change.cell.format().toTableCellFormat();
        // The room goes where the cell's alignment leaves it empty.
        switch (f.verticalAlignment()) {
        case QTextCharFormat::AlignBottom:
            f.setTopPadding(f.topPadding() + change.extra);
            break;
        case QTextCharFormat::AlignMiddle:
            f.setTopPadding(f.topPadding() + change.extra / 2);
            f.setBottomPadding(f.bottomPadding() + change.extra / 2);
            break;
        default:
            f.setBottomPadding(f.bottomPadding() + change.extra);
            break;
        }
        change.cell.setFormat(f);
    }
    // The layout takes a cell's new padding only when its table is laid out anew.
    if (!changes.empty()) doc.markContentsDirty(0, doc.characterCount());
}

double TableBorderReachAbove(const QTextDocument& doc, double y) {
    // Half the widest line a cell draws (a double line of 75 twips), in points.
    constexpr double kReach = TPoints(TTwips(3 * 75)).Value() / 2;
    const int position = doc.documentLayout()->hitTest(QPointF(1, y + 0.5), Qt::FuzzyHit);
    if (position < 0) return 0;
    QTextCursor cursor(const_cast<QTextDocument*>(&doc));
    cursor.setPosition(position);
    return cursor.currentTable() ? kReach : 0;
}
