#pragma once

#include <functional>
#include <vector>

class QTextDocument;

// A piece of the laid-out text that a page boundary may not cut: a line of a
// paragraph or a table row, in document coordinates of the layout.
struct TFlowUnit {
    double top = 0;
    double bottom = 0;
    // A hard page break (\page, a page break before this paragraph or after the
    // one before) starts a new page here.
    bool breakBefore = false;
    // No page boundary between the unit before and this one: the next line of a
    // paragraph kept together, the first line after a paragraph kept with the next,
    // or the next row covered by a cell spanning rows.
    bool keepWithPrevious = false;
    // The room the footnotes marked in this unit take at the foot of its page.
    double noteRoom = 0;
};

// The slice of the layout one page shows.
struct TPageSpan {
    double top = 0;
    double bottom = 0;
};

// The units of a document laid out without pages (no page size height), in flow
// order. `formatScale` is the layout's length per unit of the document's formats
// (margins, paddings, borders).
std::vector<TFlowUnit> CollectFlowUnits(const QTextDocument& doc, double formatScale);

// Whether unit `u` fits in a column or page of `height` whose text starts at `top`,
// with the room `notes` of the notes marked above it; `notes` becomes the room with
// the unit's own notes and, for a first note, `noteRule`. A unit that starts the
// column (`first`) fits on its text alone: its notes then run over the foot.
bool UnitFits(const TFlowUnit& u, double top, double height, bool first, double noteRule,
              double& notes);

// Cuts the flow into pages of `bodyHeight`. A run of units bound by
// keepWithPrevious that would cross the foot of a page starts on the next page
// instead, unless it already starts the page: then it runs on. A unit taller than
// a page is sliced. Always at least one page.
std::vector<TPageSpan> BreakIntoPages(const std::vector<TFlowUnit>& units, double bodyHeight);
// The same with a body height for each page (counted from 1), less the room of the
// footnotes marked on the page and, once a page has any, `noteRule` for the rule
// above them. A unit whose notes cannot fit goes to the next page with them,
// unless it starts a page: then its notes run over the foot.
std::vector<TPageSpan> BreakIntoPages(const std::vector<TFlowUnit>& units,
                                      const std::function<double(int page)>& bodyHeight,
                                      double noteRule);
