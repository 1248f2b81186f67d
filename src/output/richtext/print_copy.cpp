#include "output/richtext/print_copy.h"

#include "output/richtext/hidden_text.h"

#include "output/rtf/rtf_list_marker.h"
#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace {
struct TMarker {
    int position;
    QString text;
};

// Turns the list paragraph at `position` into a plain one showing `marker`.
void PrintMarker(QTextDocument& doc, const TMarker& marker) {
    QTextBlock block = doc.findBlock(marker.position);
    QTextList* list = block.textList();
    if (!list) return;
    QTextBlockFormat format = block.blockFormat();
    const bool tab = marker.text.endsWith(QLatin1Char('\t'));
    list->remove(block);
    format.setObjectIndex(-1);
    const double hang = format.doubleProperty(RtfProperty::ListTextIndent);
    if (format.textIndent() == 0 && hang != 0) format.setTextIndent(hang);
    // The text starts at its indent: a word processor's hanging indent is a tab stop.
    const double firstLine = format.leftMargin() + format.textIndent();
    QList<QTextOption::Tab> tabs = format.tabPositions();
    const bool stopBefore = std::any_of(tabs.begin(), tabs.end(), [&](const QTextOption::Tab& t) {
        return t.position > firstLine && t.position <= format.leftMargin();
    });
    if (tab && firstLine < format.leftMargin() && !stopBefore) {
        tabs.append(QTextOption::Tab(format.leftMargin(), QTextOption::LeftTab));
        std::sort(tabs.begin(), tabs.end(),
                  [](const auto& a, const auto& b) { return a.position < b.position; });
        // Leaders follow the stops by index; the new stop has none.
        QVariantList leaders = format.property(RtfProperty::TabLeaders).toList();
        if (!leaders.isEmpty()) {
            const auto at = std::find_if(tabs.begin(), tabs.end(), [&](const auto& t) {
                return t.position == format.leftMargin();
            });
            leaders.insert(std::min<qsizetype>(at - tabs.begin(), leaders.size()),
                           int(TRtfTabLeader::None));
            format.setProperty(RtfProperty::TabLeaders, leaders);
        }
        format.setTabPositions(tabs);
    }
    QTextCursor cursor(block);
    cursor.setBlockFormat(format);
    QTextCharFormat look = block.charFormat();
    look.clearProperty(RtfProperty::Hidden);
    look.setAnchor(false);
    look.clearProperty(QTextFormat::AnchorHref);
    cursor.insertText(marker.text, look);
}
} // namespace

int TPrintPositions::ToCopy(int position) const {
    const auto after = std::upper_bound(edits_.begin(), edits_.end(), position,
                                        [](int p, const TEdit& e) { return p < e.at; });
    if (after == edits_.begin()) return position;
    const TEdit& e = *(after - 1);
    if (position < e.end) return e.at + e.before;
    return position + e.after;
}

TPrintPositions PrepareForPrint(QTextDocument& copy) {
    std::vector<TMarker> markers;
    for (QTextBlock b = copy.begin(); b.isValid(); b = b.next())
        if (const QTextList* list = b.textList())
            markers.push_back({b.position(), RtfListMarker(b) + RtfListFollow(list->format())});
    const std::vector<TTextRange> hidden = HiddenTextRanges(copy);

    // The edits in source positions, first to last; each shifts what follows.
    struct TChange {
        int at, removed, inserted;
    };
    std::vector<TChange> changes;
    for (const TMarker& m : markers)
        changes.push_back({m.position, 0, int(m.text.size())});
    for (const TTextRange& r : hidden)
        changes.push_back({r.from, r.to - r.from, 0});
    std::sort(changes.begin(), changes.end(), [](const TChange& a, const TChange& b) {
        return a.at != b.at ? a.at < b.at : a.removed < b.removed;
    });

    // From the back, so that the positions still to visit stay where they were; at
    // one position the hidden text goes before the marker comes.
    QTextCursor edit(&copy);
    edit.beginEditBlock();
    auto marker = markers.rbegin();
    for (const TTextRange& r : hidden) {
        for (; marker != markers.rend() && marker->position > r.from; ++marker)
            PrintMarker(copy, *marker);
        RemoveRange(copy, r);
    }
    for (; marker != markers.rend(); ++marker)
        PrintMarker(copy, *marker);
    edit.endEditBlock();

    TPrintPositions positions;
    int shift = 0;
    for (const TChange& c : changes) {
        const int before = shift;
        shift += c.inserted - c.removed;
        positions.edits_.push_back({c.at, c.at + c.removed, before, shift});
    }
    return positions;
}
