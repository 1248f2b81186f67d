#include "output/richtext/section_columns.h"

#include "output/richtext/page_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

namespace {
constexpr double kFitTolerance = 0.01;
// Far enough left and right of the body to take in anything a column draws there.
constexpr double kFarAcross = 10000;
// The narrowest column a section is given, however many it asks for.
constexpr double kMinColumnWidth = 18;
constexpr int kDefaultColumnGap = 720; // twips, as in a word processor
// On a paragraph of the copy that is laid out: by how much its column narrows it,
// in layout units. Never written; the copy is only printed.
constexpr int kColumnNarrowing = QTextFormat::UserProperty + 0x4000;
// Columns of their own widths are fitted by laying the text out again; a paragraph
// that the new width moves to another column may need one more round.
constexpr int kMaxWidthRounds = 3;

std::vector<TColumnBox> EqualColumns(int count, double gap, double bodyWidth) {
    gap = std::clamp(gap, 0.0, std::max(0.0, (bodyWidth - count * kMinColumnWidth) / (count - 1)));
    const double width = std::max(kMinColumnWidth, (bodyWidth - (count - 1) * gap) / count);
    std::vector<TColumnBox> columns;
    for (int i = 0; i < count; ++i)
        columns.push_back({i * (width + gap), width});
    return columns;
}

std::vector<TColumnBox> ColumnsOf(const QTextBlockFormat& f, double bodyWidth) {
    const int count = std::max(1, f.intProperty(RtfProperty::SectionColumns));
    if (count == 1) return {{0, bodyWidth}};
    const auto widths = f.property(RtfProperty::SectionColumnWidths).value<QList<int>>();
    std::vector<TColumnBox> columns;
    double x = 0;
    for (qsizetype i = 0; i + 1 < widths.size() && int(columns.size()) < count; i += 2) {
        const double width = TPoints(TTwips(widths[i])).Value();
        if (width <= 0) break;
        columns.push_back({x, width});
        x += width + TPoints(TTwips(widths[i + 1])).Value();
    }
    if (int(columns.size()) == count) {
        // Columns wider together than the body shrink to it, keeping their shares.
        const double reach = columns.back().x + columns.back().width;
        if (reach > bodyWidth)
            for (TColumnBox& c : columns) {
                c.x *= bodyWidth / reach;
                c.width *= bodyWidth / reach;
            }
        return columns;
    }
    const int gap = f.hasProperty(RtfProperty::SectionColumnGap)
                        ? f.intProperty(RtfProperty::SectionColumnGap)
                        : kDefaultColumnGap;
    return EqualColumns(count, TPoints(TTwips(gap)).Value(), bodyWidth);
}

// A box of a page that a run of units fills: a column from `top` down `height`.
// A unit taller than the box is sliced only in a box as tall as the page; in a
// shorter one it goes on to the next box.
struct TBox {
    double top = 0;
    double height = 0;
    bool canSlice = true;
    int page = 0; // boxes of one page share the room of its notes
};

struct TPiece {
    int box = 0;
    std::size_t first = 0; // the unit it begins with
    double top = 0;
    double bottom = 0;
};

// Fills units [from, to) into boxes 0, 1, ... (at most `maxBoxes`); a page break
// goes on in box `nextPage(k)`. The footnotes marked in a box take their room, and
// `noteRule` once, from its foot and from the later boxes of its page (the notes
// print across the page's foot). Returns false when the units need more boxes.
template <class BoxAt, class NextPage>
bool FillBoxes(const std::vector<TFlowUnit>& units, const std::vector<char>& columnBreak,
               std::size_t from, std::size_t to, double startTop, BoxAt boxAt, NextPage nextPage,
               int maxBoxes, double noteRule, std::vector<TPiece>& out) {
    int k = 0;
    TBox box = boxAt(0);
    std::size_t first = from;
    double top = startTop;
    double notes = 0; // the room of the notes marked in the box being filled
    auto next = [&](int to) {
        k = to;
        if (k >= maxBoxes) return false;
        const int page = box.page;
        box = boxAt(k);
        if (box.page != page) notes = 0;
        return true;
    };
    std::size_t i = from;
    while (i < to) {
        const TFlowUnit& u = units[i];
        if (i > first && (u.breakBefore || columnBreak[i])) {
            out.push_back({k, first, top, units[i - 1].bottom});
            if (!next(u.breakBefore ? nextPage(k) : k + 1)) return false;
            first = i;
            top = u.top;
            continue;
        }
        if (UnitFits(u, top, box.height, i == first, noteRule, notes)) {
            ++i;
            continue;
        }
        if (i == first) {
            if (box.canSlice) {
                out.push_back({k, first, top, top + box.height});
                top += box.height;
            }
            if (!next(k + 1)) return false;
            continue;
        }
        std::size_t start = i;
        while (start > first && units[start].keepWithPrevious)
            --start;
        if (start == first) {
            // A kept run that fills a whole page runs on; one that meets a shorter
            // box tries the next.
            if (!box.canSlice) {
                if (!next(k + 1)) return false;
                i = first;
                continue;
            }
            start = i;
        }
        out.push_back({k, first, top, units[start - 1].bottom});
        if (!next(k + 1)) return false;
        first = start;
        top = units[start].top;
        i = start;
    }
    out.push_back({k, first, top, std::max(top, units[to - 1].bottom)});
    return true;
}

// The first unit that reaches below `y`: the first of a paragraph whose box starts there.
std::size_t FirstUnitBelow(const std::vector<TFlowUnit>& units, std::size_t from, double y) {
    while (from < units.size() && units[from].bottom <= y + kFitTolerance)
        ++from;
    return from;
}

class TColumnFlow {
public:
    TColumnFlow(const std::vector<TFlowUnit>& units, const std::vector<char>& columnBreak,
                double bodyHeight, double noteRule)
        : units_(units), breaks_(columnBreak), height_(std::max(1.0, bodyHeight)),
          noteRule_(noteRule) {
        pages_.emplace_back();
    }

    void Section(const TSectionFlow& section, std::size_t from, std::size_t to, bool balance) {
        const auto& columns = section.columns;
        const int count = int(columns.size());
        const bool breaks = section.start != TRtfSectionBreak::None || units_[from].breakBefore;
        double y0 = 0;
        double startTop = units_[from].top;
        int offset = 0; // the column the section starts in
        if (!placedAny_) {
            startTop = std::min(0.0, startTop); // the first page keeps its space above
        } else if (section.start == TRtfSectionBreak::Column && !units_[from].breakBefore &&
                   count == lastCount_ && lastColumn_ + 1 < count) {
            // Starts at the top of the next column of the band the section before
            // left off in.
            offset = lastColumn_ + 1;
            y0 = bandTop_;
        } else if (breaks) {
            NewPage();
        } else {
            y0 = cursorY_ + std::max(0.0, units_[from].top - lastBottom_);
            if (y0 >= height_ - kFitTolerance) {
                NewPage();
                y0 = 0;
            }
        }
        const auto boxAt = [&](int k) {
            const double top = k + offset < count ? y0 : 0;
            return TBox{top, height_ - top, top <= 0, (k + offset) / count};
        };
        const auto nextPage = [&](int k) { return ((k + offset) / count + 1) * count - offset; };
        std::vector<TPiece> pieces;
        FillBoxes(units_, breaks_, from, to, startTop, boxAt, nextPage, INT_MAX, noteRule_, pieces);
        for (TPiece& p : pieces)
            p.box += offset;
        if (balance && count > 1) Balance(pieces, count, y0, offset, to);
        Place(section, pieces, y0);
        lastBottom_ = units_[to - 1].bottom;
        lastCount_ = count;
        lastColumn_ = pieces.back().box % count;
        bandTop_ = pieces.back().box < count ? y0 : 0;
        placedAny_ = true;
    }

    std::vector<TColumnPage> Take() { return std::move(pages_); }

private:
    void NewPage() {
        pages_.emplace_back();
        cursorY_ = 0;
    }

    // Spreads the pieces on the section's last page over its columns as evenly as
    // the keep rules allow: the lowest column height at which they still fit.
    void Balance(std::vector<TPiece>& pieces, int count, double y0, int offset,
                 std::size_t to) const {
        const int firstBox = std::max(pieces.back().box / count * count, offset);
        std::size_t p0 = pieces.size();
        while (p0 > 0 && pieces[p0 - 1].box >= firstBox)
            --p0;
        const TPiece start = pieces[p0];
        if (start.top != units_[start.first].top && start.first != 0) return; // a sliced unit
        const double top = firstBox < count ? y0 : 0;
        const int boxes = count - firstBox % count;
        std::vector<TPiece> trial;
        auto fits = [&](double h) {
            trial.clear();
            return FillBoxes(
                units_, breaks_, start.first, to, start.top,
                [&](int) {
                    return TBox{top, h, false};
                },
                [](int) { return INT_MAX; }, boxes, noteRule_, trial);
        };
        double hi = height_ - top;
        if (!fits(hi)) return;
        double lo = 0;
        for (int i = 0; i < 40 && hi - lo > kFitTolerance; ++i) {
            const double mid = (lo + hi) / 2;
            (fits(mid) ? hi : lo) = mid;
        }
        fits(hi);
        pieces.resize(p0);
        for (TPiece& p : trial) {
            p.box += firstBox;
            pieces.push_back(p);
        }
    }

    void Place(const TSectionFlow& section, const std::vector<TPiece>& pieces, double y0) {
        const auto& columns = section.columns;
        const int count = int(columns.size());
        const std::size_t firstPage = pages_.size() - 1;
        std::vector<double> foot; // the section's lowest text on each of its pages
        for (const TPiece& p : pieces) {
            const std::size_t page = firstPage + std::size_t(p.box / count);
            const int c = p.box % count;
            while (pages_.size() <= page)
                pages_.emplace_back();
            const double y = page == firstPage ? y0 : 0;
            const TColumnBox& box = columns[std::size_t(c)];
            const double left = c == 0 ? -kFarAcross : Between(columns[std::size_t(c - 1)], box);
            const double right =
                c + 1 == count ? kFarAcross : Between(box, columns[std::size_t(c + 1)]);
            pages_[page].slices.push_back({p.top, p.bottom, box.x, y, left, right});
            foot.resize(page - firstPage + 1, 0);
            foot[page - firstPage] = std::max(foot[page - firstPage], y + p.bottom - p.top);
        }
        if (section.lineBetween)
            for (std::size_t i = 0; i < foot.size(); ++i)
                for (int c = 0; c + 1 < count; ++c) {
                    const double x = Between(columns[std::size_t(c)], columns[std::size_t(c + 1)]);
                    pages_[firstPage + i].rules.emplace_back(x, i == 0 ? y0 : 0, x, foot[i]);
                }
        // On the page it started on, the section may stand beside a taller one.
        if (!foot.empty()) cursorY_ = foot.size() == 1 ? std::max(cursorY_, foot[0]) : foot.back();
    }

    static double Between(const TColumnBox& left, const TColumnBox& right) {
        return (left.x + left.width + right.x) / 2;
    }

    const std::vector<TFlowUnit>& units_;
    const std::vector<char>& breaks_;
    const double height_;
    const double noteRule_;
    std::vector<TColumnPage> pages_;
    double cursorY_ = 0;    // the foot of what the current page holds
    double lastBottom_ = 0; // the foot of the last unit placed, in the layout
    // Where the section before ended: its columns, the last it used, and the top of
    // its columns on the current page.
    int lastCount_ = 1;
    int lastColumn_ = 0;
    double bandTop_ = 0;
    bool placedAny_ = false;
};
} // namespace

std::vector<TSectionFlow> PrepareSectionColumns(QTextDocument& doc, double bodyWidth,
                                                double formatScale) {
    std::vector<TSectionFlow> sections;
    sections.push_back({doc.begin(), TRtfSectionBreak::Page, {{0, bodyWidth}}, false, 0});
    bool columns = false;
    QTextCursor cursor(&doc);
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        const double narrowBy = bodyWidth - sections.back().columns.front().width;
        if (QTextFrame* frame = it.currentFrame()) {
            if (narrowBy <= kFitTolerance) continue;
            QTextFrameFormat f = frame->frameFormat();
            f.setRightMargin(f.rightMargin() + narrowBy / formatScale);
            frame->setFrameFormat(f);
            continue;
        }
        const QTextBlock b = it.currentBlock();
        QTextBlockFormat f = b.blockFormat();
        if (f.boolProperty(RtfProperty::ColumnBreakBefore)) columns = true;
        if (f.hasProperty(RtfProperty::SectionBreak)) {
            TSectionFlow s{b, TRtfSectionBreak(f.intProperty(RtfProperty::SectionBreak)),
                           ColumnsOf(f, bodyWidth), f.boolProperty(RtfProperty::SectionLineBetween),
                           0};
            columns = columns || s.columns.size() > 1;
            if (sections.back().first == b)
                sections.back() = std::move(s);
            else
                sections.push_back(std::move(s));
        }
        // The paragraph is laid out as wide as its section's first column.
        const double narrow = bodyWidth - sections.back().columns.front().width;
        if (narrow <= kFitTolerance) continue;
        f.setRightMargin(f.rightMargin() + narrow / formatScale);
        f.setProperty(kColumnNarrowing, narrow);
        cursor.setPosition(b.position());
        cursor.setBlockFormat(f);
    }
    if (!columns) return {};
    return sections;
}

namespace {
bool HasOwnWidths(const TSectionFlow& s) {
    return std::any_of(s.columns.begin(), s.columns.end(),
                       [&](const TColumnBox& c) { return c.width != s.columns.front().width; });
}

// Gives each paragraph of a section with columns of their own widths the width of
// the column its first line landed in. Returns whether any paragraph changed.
bool FitOwnWidths(QTextDocument& doc, const std::vector<TSectionFlow>& sections,
                  const std::vector<TColumnPage>& pages, double bodyWidth) {
    std::vector<TColumnSlice> slices;
    for (const TColumnPage& p : pages)
        slices.insert(slices.end(), p.slices.begin(), p.slices.end());
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    QTextCursor cursor(&doc);
    bool changed = false;
    std::size_t at = 0;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const TSectionFlow& section = sections[s];
        if (!HasOwnWidths(section)) continue;
        const int end =
            s + 1 < sections.size() ? sections[s + 1].first.position() : doc.characterCount();
        for (QTextBlock b = section.first; b.isValid() && b.position() < end; b = b.next()) {
            QTextBlockFormat f = b.blockFormat();
            if (!f.hasProperty(kColumnNarrowing) || !b.layout() || b.layout()->lineCount() == 0)
                continue;
            const double y = layout.blockBoundingRect(b).top() + b.layout()->lineAt(0).y();
            while (at + 1 < slices.size() && slices[at].bottom <= y + kFitTolerance)
                ++at;
            if (at >= slices.size()) break;
            const auto column = std::min_element(section.columns.begin(), section.columns.end(),
                                                 [&](const TColumnBox& a, const TColumnBox& c) {
                                                     return std::abs(a.x - slices[at].x) <
                                                            std::abs(c.x - slices[at].x);
                                                 });
            const double narrow = bodyWidth - column->width;
            const double was = f.doubleProperty(kColumnNarrowing);
            if (std::abs(narrow - was) <= kFitTolerance) continue;
            f.setRightMargin(f.rightMargin() - was + narrow);
            f.setProperty(kColumnNarrowing, narrow);
            cursor.setPosition(b.position());
            cursor.setBlockFormat(f);
            changed = true;
        }
    }
    return changed;
}

std::vector<TColumnPage> FlowOnce(QTextDocument& doc, std::vector<TSectionFlow>& sections,
                                  double formatScale, double bodyHeight, const TNoteRoom& notes) {
    const QAbstractTextDocumentLayout& layout = *doc.documentLayout();
    for (TSectionFlow& s : sections)
        s.top = layout.blockBoundingRect(s.first).top();
    std::vector<double> breaks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().boolProperty(RtfProperty::ColumnBreakBefore))
            breaks.push_back(layout.blockBoundingRect(b).top());
    std::vector<TFlowUnit> units = CollectFlowUnits(doc, formatScale);
    if (notes.reserve) notes.reserve(units);
    return FlowUnitsIntoColumns(units, sections, breaks, bodyHeight, notes.rule);
}
} // namespace

std::vector<TColumnPage> FlowIntoColumns(QTextDocument& doc, std::vector<TSectionFlow>& sections,
                                         double formatScale, double bodyWidth, double bodyHeight,
                                         const TNoteRoom& notes) {
    std::vector<TColumnPage> pages = FlowOnce(doc, sections, formatScale, bodyHeight, notes);
    if (std::none_of(sections.begin(), sections.end(), HasOwnWidths)) return pages;
    for (int round = 0; round < kMaxWidthRounds && FitOwnWidths(doc, sections, pages, bodyWidth);
         ++round)
        pages = FlowOnce(doc, sections, formatScale, bodyHeight, notes);
    return pages;
}

std::vector<TColumnPage> FlowUnitsIntoColumns(const std::vector<TFlowUnit>& units,
                                              const std::vector<TSectionFlow>& sections,
                                              const std::vector<double>& columnBreaks,
                                              double bodyHeight, double noteRule) {
    if (units.empty() || sections.empty()) return {TColumnPage{{TColumnSlice{}}, {}}};
    std::vector<char> breakAt(units.size(), 0);
    std::size_t u = 0;
    for (double y : columnBreaks) {
        u = FirstUnitBelow(units, u, y);
        if (u < units.size()) breakAt[u] = 1;
    }
    std::vector<std::size_t> starts;
    u = 0;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        u = s == 0 ? 0 : FirstUnitBelow(units, u, sections[s].top);
        starts.push_back(u);
    }
    starts.push_back(units.size());
    TColumnFlow flow(units, breakAt, bodyHeight, noteRule);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (starts[s] >= starts[s + 1]) continue;
        std::size_t next = s + 1;
        while (next < sections.size() && starts[next] >= starts[next + 1])
            ++next;
        const bool balance =
            next < sections.size() && sections[next].start == TRtfSectionBreak::None;
        flow.Section(sections[s], starts[s], starts[s + 1], balance);
    }
    return flow.Take();
}

std::vector<TPageSpan> PageSpansOf(const std::vector<TColumnPage>& pages) {
    std::vector<TPageSpan> spans;
    double last = 0;
    for (const TColumnPage& page : pages) {
        TPageSpan span{last, last};
        if (!page.slices.empty()) {
            span.top = page.slices.front().top;
            span.bottom = page.slices.front().bottom;
            for (const TColumnSlice& s : page.slices) {
                span.top = std::min(span.top, s.top);
                span.bottom = std::max(span.bottom, s.bottom);
            }
        }
        last = span.bottom;
        spans.push_back(span);
    }
    return spans;
}

void DrawColumnRules(QPainter& painter, const TColumnPage& page) {
    if (page.rules.empty()) return;
    painter.save();
    painter.setPen(QPen(Qt::black, 0.5));
    for (const QLineF& rule : page.rules)
        painter.drawLine(rule);
    painter.restore();
}
