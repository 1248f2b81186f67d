#pragma once

#include "output/richtext/page_flow.h"
#include "output/rtf/rtf_types.h"

#include <QLineF>
#include <QTextBlock>

#include <functional>
#include <vector>

class QPainter;
class QTextDocument;

// Lengths here are layout units; x and y of a page are measured from the top left
// corner of the page's body.

// One column of a section.
struct TColumnBox {
    double x = 0;
    double width = 0;
};

// A section of the text (RtfProperty::SectionBreak starts one) and its columns.
struct TSectionFlow {
    QTextBlock first; // the section's first paragraph in the copy that is laid out
    TRtfSectionBreak start = TRtfSectionBreak::Page;
    std::vector<TColumnBox> columns; // never empty
    bool lineBetween = false;
    double top = 0; // the layout's y of `first`, once laid out
};

// The piece of the layout one column of a page shows: [top, bottom) of the layout,
// drawn with its top left corner at (x, y). Horizontally it may draw from
// clipLeft to clipRight (half way into the space between columns).
struct TColumnSlice {
    double top = 0;
    double bottom = 0;
    double x = 0;
    double y = 0;
    double clipLeft = 0;
    double clipRight = 0;
};

struct TColumnPage {
    std::vector<TColumnSlice> slices;
    std::vector<QLineF> rules; // the rules between columns
};

// The sections of `doc`, and its paragraphs narrowed to their section's column
// width, before the layout. Empty when no section has more than one column and no
// paragraph starts a column: the text then flows as one column. `bodyWidth` is in
// layout units; `formatScale` is the layout's length per format unit; run before
// the tab stops are fitted and the indents scaled.
std::vector<TSectionFlow> PrepareSectionColumns(QTextDocument& doc, double bodyWidth,
                                                double formatScale);

// Cuts the laid-out text into pages of `bodyHeight` with each section's lines
// filling its columns one after another. A section followed by one that starts
// without a break has its columns balanced on its last page, and the next begins
// below its tallest column. Keep and page-break rules hold as in BreakIntoPages;
// a column break starts the next column. A section that starts with a column break
// goes on in the next column of the one before when both have as many columns, and
// on a new page otherwise; even and odd page starts are page starts. Paragraphs in
// columns of their own widths
// are laid out again at the width of the column they land in. Always at least one
// page.
//
// Footnotes: `reserve` sets the note room of the units each time they are collected
// (the text may be laid out again), and a column whose units mark notes leaves their
// room and `rule` at its foot.
struct TNoteRoom {
    std::function<void(std::vector<TFlowUnit>&)> reserve;
    double rule = 0;
};
std::vector<TColumnPage> FlowIntoColumns(QTextDocument& doc, std::vector<TSectionFlow>& sections,
                                         double formatScale, double bodyWidth, double bodyHeight,
                                         const TNoteRoom& notes = {});

// The same on flow units alone, for sections whose tops are set, with
// `columnBreaks` the tops of the paragraphs that start a column (ascending).
std::vector<TColumnPage> FlowUnitsIntoColumns(const std::vector<TFlowUnit>& units,
                                              const std::vector<TSectionFlow>& sections,
                                              const std::vector<double>& columnBreaks,
                                              double bodyHeight, double noteRule = 0);

// What each page shows of the layout as a whole, from its first slice's top to its
// last slice's foot.
std::vector<TPageSpan> PageSpansOf(const std::vector<TColumnPage>& pages);

// Draws the page's rules between columns, the painter in body coordinates.
void DrawColumnRules(QPainter& painter, const TColumnPage& page);
