#include "output/richtext/page_flow.h"

#include "output/richtext/page_decor.h"
#include "output/rtf/rtf_types.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Layout coordinates are fractional; a unit that overshoots the page by less than
// this still fits.
constexpr double kFitTolerance = 0.01;

class TFlowCollector {
public:
    TFlowCollector(const QTextDocument& doc, double formatScale)
        : layout_(*doc.documentLayout()), scale_(formatScale) {}

    void Frame(const QTextFrame* frame) {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(child))
                    Table(table);
                else
                    Frame(child);
            } else {
                Block(it.currentBlock());
            }
        }
    }

    std::vector<TFlowUnit> Take() { return std::move(units_); }

private:
    void Add(double top, double bottom, bool breakBefore, bool keepWithPrevious) {
        // A unit without a place (a row of a table Qt could not lay out) takes no room;
        // one that cut the pages at infinity would never end.
        if (!std::isfinite(top) || !std::isfinite(bottom)) return;
        units_.push_back({top, std::max(top, bottom), breakBefore, keepWithPrevious});
    }

    void Block(const QTextBlock& block) {
        if (!block.isVisible()) return;
        const QTextBlockFormat f = block.blockFormat();
        const QRectF rect = layout_.blockBoundingRect(block);
        const bool keepLines = f.nonBreakableLines() || f.boolProperty(RtfProperty::KeepTogether);
        // Widow and orphan control: the first two lines and the last two stay together.
        const bool widows = f.boolProperty(RtfProperty::WidowControl);
        const bool hard =
            pendingBreak_ || (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
        const QTextLayout* text = block.layout();
        const int lines = text ? text->lineCount() : 0;
        const std::size_t first = units_.size();
        if (lines == 0) Add(rect.top(), rect.bottom(), hard, keepNext_);
        // A page that this paragraph starts by a page break, or the first page, shows
        // its space before; a page it starts by running over does not.
        const double above = hard || units_.empty() ? f.topMargin() * scale_ : 0;
        const int type = f.lineHeightType();
        for (int i = 0; i < lines; ++i) {
            const QTextLine line = text->lineAt(i);
            double top = rect.top() + line.y();
            // A line set closer than its font's rounded height ends where the next
            // begins, so that units never overlap.
            double height = line.height();
            if (type == QTextBlockFormat::LineDistanceHeight && f.lineHeight() < 0)
                height = std::min(height, std::ceil(height) + f.lineHeight() * scale_);
            // The layout places the text of a line of exact or at-least height low in
            // the line's box (an exact line's baseline four fifths down) and gives the
            // text's place: the unit is the box.
            if (type == QTextBlockFormat::FixedHeight || type == QTextBlockFormat::MinimumHeight) {
                const double box = f.lineHeight(
                    std::ceil(line.ascent() + line.descent() + line.leading()), scale_);
                top += type == QTextBlockFormat::FixedHeight
                           ? line.ascent() + std::max(line.leading(), 0.0) - box * 4 / 5
                           : line.height() - box;
                height = box;
            }
            const bool kept = keepLines || (widows && (i == 1 || i == lines - 1));
            Add(top - (i == 0 ? above : 0), top + height, i == 0 && hard,
                i == 0 ? keepNext_ : kept);
        }
        // A bordered paragraph's box belongs to its first and last lines, so that a
        // page never cuts it off.
        if (units_.size() > first) {
            if (OpensBorderBox(block)) units_[first].top -= kParagraphBorderOutset * scale_;
            if (ClosesBorderBox(block)) units_.back().bottom += kParagraphBorderOutset * scale_;
        }
        keepNext_ = f.boolProperty(RtfProperty::KeepWithNext);
        pendingBreak_ = f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    }

    // Where the cell's box begins: above its first content by the content's own
    // space before, the cell's padding and its top border.
    double CellTop(const QTextTableCell& cell, const QTextTableFormat& table) const {
        double top = std::numeric_limits<double>::infinity();
        auto it = cell.begin();
        if (!it.atEnd()) {
            if (const QTextFrame* f = it.currentFrame()) {
                top = layout_.frameBoundingRect(const_cast<QTextFrame*>(f)).top();
            } else {
                const QTextBlock b = it.currentBlock();
                top = layout_.blockBoundingRect(b).top() - b.blockFormat().topMargin() * scale_;
            }
        }
        const QTextTableCellFormat f = cell.format().toTableCellFormat();
        const double padding =
            f.hasProperty(QTextFormat::TableCellTopPadding) ? f.topPadding() : table.cellPadding();
        const double border =
            f.hasProperty(QTextFormat::TableCellTopBorder) ? f.topBorder() : table.border();
        return top - (padding + border) * scale_;
    }

    // A cell ties its row to the next when its last paragraph is kept with the next.
    static bool CellKeepsWithNext(const QTextTableCell& cell) {
        QTextBlock last = cell.lastCursorPosition().block();
        return last.isValid() && last.blockFormat().boolProperty(RtfProperty::KeepWithNext);
    }

    // A row is one unit: a page boundary falls between rows, never through one.
    void Table(const QTextTable* table) {
        const QTextTableFormat tf = table->format();
        const QRectF box = layout_.frameBoundingRect(const_cast<QTextTable*>(table));
        const int rows = table->rows();
        if (rows <= 0) return;
        std::vector<double> rowTop(std::size_t(rows), std::numeric_limits<double>::infinity());
        // A row is kept with the next when every cell in it is.
        std::vector<char> keepNext(std::size_t(rows), 1);
        std::vector<int> spannedTo(std::size_t(rows), -1); // last row a cell started here covers
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (!cell.isValid() || cell.row() != r || cell.column() != c) continue;
                const auto i = std::size_t(r);
                rowTop[i] = std::min(rowTop[i], CellTop(cell, tf));
                spannedTo[i] = std::max(spannedTo[i], r + cell.rowSpan() - 1);
                if (!CellKeepsWithNext(cell)) keepNext[i] = 0;
            }
        }
        rowTop[0] = std::min(rowTop[0], box.top());
        for (std::size_t i = 1; i < rowTop.size(); ++i)
            rowTop[i] = std::clamp(rowTop[i], rowTop[i - 1], std::max(rowTop[i - 1], box.bottom()));
        const bool hard =
            pendingBreak_ || (tf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
        int coveredTo = -1;
        for (int r = 0; r < rows; ++r) {
            const auto i = std::size_t(r);
            const double bottom = r + 1 < rows ? rowTop[i + 1] : box.bottom();
            const bool keep = r == 0 ? keepNext_ : (keepNext[i - 1] || r <= coveredTo);
            Add(rowTop[i], bottom, r == 0 && hard, keep);
            coveredTo = std::max(coveredTo, spannedTo[i]);
        }
        keepNext_ = keepNext.back();
        pendingBreak_ = tf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter;
    }

    const QAbstractTextDocumentLayout& layout_;
    const double scale_;
    std::vector<TFlowUnit> units_;
    bool keepNext_ = false;
    bool pendingBreak_ = false;
};
} // namespace

std::vector<TFlowUnit> CollectFlowUnits(const QTextDocument& doc, double formatScale) {
    TFlowCollector collector(doc, formatScale);
    collector.Frame(doc.rootFrame());
    return collector.Take();
}

bool UnitFits(const TFlowUnit& u, double top, double height, bool first, double noteRule,
              double& notes) {
    const double withNotes =
        u.noteRoom > 0 ? notes + u.noteRoom + (notes > 0 ? 0 : noteRule) : notes;
    if (u.bottom - top + withNotes > height + kFitTolerance &&
        !(first && u.bottom - top <= height + kFitTolerance))
        return false;
    notes = withNotes;
    return true;
}

std::vector<TPageSpan> BreakIntoPages(const std::vector<TFlowUnit>& units, double bodyHeight) {
    return BreakIntoPages(
        units, [bodyHeight](int) { return bodyHeight; }, 0);
}

std::vector<TPageSpan> BreakIntoPages(const std::vector<TFlowUnit>& units,
                                      const std::function<double(int page)>& bodyHeight,
                                      double noteRule) {
    std::vector<TPageSpan> pages;
    if (units.empty()) return {TPageSpan{}};
    std::size_t first = 0; // the first unit on the page being filled
    double top = std::min(0.0, units.front().top);
    double notes = 0; // the room of the notes on the page being filled
    std::size_t i = 0;
    while (i < units.size()) {
        const TFlowUnit& u = units[i];
        const double height = std::max(1.0, bodyHeight(int(pages.size()) + 1));
        if (i > first && u.breakBefore) {
            pages.push_back({top, units[i - 1].bottom});
            first = i;
            top = u.top;
            notes = 0;
            continue;
        }
        if (UnitFits(u, top, height, i == first, noteRule, notes)) {
            ++i;
            continue;
        }
        if (i == first) {
            // Taller than a page: it fills this page and goes on over the next.
            pages.push_back({top, top + height});
            top += height;
            notes = 0;
            continue;
        }
        std::size_t start = i;
        while (start > first && units[start].keepWithPrevious)
            --start;
        // A kept run that already starts the page cannot move: it runs on.
        if (start == first) start = i;
        pages.push_back({top, units[start - 1].bottom});
        first = start;
        top = units[start].top;
        notes = 0;
        i = start;
    }
    pages.push_back({top, std::max(top, units.back().bottom)});
    return pages;
}
