#include "output/print/page_making.h"

#include "output/richtext/end_marks.h"
#include "output/richtext/rich_text_control.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// A text kept on one page: from its first character to the end of its last paragraph
// (end mark excluded). The cursor follows the edits that remove the end marks.
struct TUnit {
    QTextCursor start;
    bool heading = false;
};

class TPageMaker {
public:
    TPageMaker(TRichTextControl& control, const std::vector<TEntrySpan>& entries)
        : control_(control), doc_(control.Document()) {
        FindUnits(entries);
    }

    void Run() {
        RemoveEndMarks(doc_);
        for (std::size_t body = 0; body < units_.size(); ++body)
            if (!units_[body].heading && body > 0 && units_[body - 1].heading) KeepHeadings(body);
        StartPagesWithBreaks();
    }

private:
    int Start(std::size_t u) const { return units_[u].start.position(); }
    // The last position of the unit: its last paragraph's end.
    int Last(std::size_t u) const {
        const int next = u + 1 < units_.size() ? Start(u + 1) : control_.EndPosition();
        return std::max(Start(u), next - 1);
    }
    int Page(int position) const { return control_.PageOfPosition(position); }
    bool Whole(std::size_t u) const { return Page(Start(u)) == Page(Last(u)); }

    void FindUnits(const std::vector<TEntrySpan>& entries) {
        int start = 0;
        auto addUnit = [&](int from, int to) {
            // A heading unit holds headings only.
            bool heading = false;
            int entryStart = 0;
            for (const TEntrySpan& e : entries) {
                if (entryStart >= from && entryStart < to && e.end > entryStart) {
                    if (!e.heading) {
                        heading = false;
                        break;
                    }
                    heading = true;
                }
                entryStart = e.end;
            }
            TUnit unit{QTextCursor(&doc_), heading};
            unit.start.setPosition(from);
            units_.push_back(unit);
        };
        for (int mark : FindEndMarks(doc_)) {
            if (mark > start) {
                control_.KeepOnOnePage(start, mark - 1);
                addUnit(start, mark);
            }
            const QTextBlock next = doc_.findBlock(mark).next();
            if (!next.isValid()) return;
            start = next.position();
        }
        // What follows the last end mark still stays together.
        const int end = control_.EndPosition();
        if (start < end && !doc_.findBlock(start).text().isEmpty()) {
            control_.KeepOnOnePage(start, end);
            addUnit(start, end + 1);
        }
    }

    // The headings before `body` that end an earlier page follow it, the nearest
    // first, as long as the body stays as whole as it was and they land with it.
    void KeepHeadings(std::size_t body) {
        const bool wasWhole = Whole(body);
        for (std::size_t h = body; h-- > 0 && units_[h].heading;) {
            if (Page(Start(h)) >= Page(Start(h + 1))) return;
            control_.KeepOnOnePage(Start(h), Last(body));
            if ((wasWhole && !Whole(body)) || Page(Start(h)) != Page(Start(body))) {
                control_.KeepOnOnePage(Start(h), Last(h)); // untie it again
                return;
            }
        }
    }

    void StartPagesWithBreaks() {
        std::vector<int> breaks;
        for (std::size_t u = 1; u < units_.size(); ++u)
            if (Page(Start(u)) > Page(Start(u) - 1)) breaks.push_back(Start(u));
        for (int at : breaks)
            control_.SetPageBreakBefore(at);
    }

    TRichTextControl& control_;
    QTextDocument& doc_;
    std::vector<TUnit> units_;
};

} // namespace

void MakePages(TRichTextControl& control, const std::vector<TEntrySpan>& entries) {
    TPageMaker maker(control, entries);
    maker.Run();
}
