#pragma once

class QTextDocument;

// Rows that the file gives a height (\trrh) are made at least that tall in a laid
// out document, by padding their cells; a row of exact height is treated as one
// of least height, since the layout cannot cut a cell's text. `formatScale` is
// the layout's length per unit of the document's formats.
void FitTableRowHeights(QTextDocument& doc, double formatScale);

// How far above `y` the page must show so that a table row starting the page
// keeps its top border, which is drawn across the row's edge: 0 when no table
// starts there.
double TableBorderReachAbove(const QTextDocument& doc, double y);
