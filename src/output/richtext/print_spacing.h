#pragma once

class QPaintDevice;
class QTextDocument;

// Makes the vertical spacing of a copy that is printed that of a word processor,
// before the copy is laid out on `device` (`formatScale` is the layout's length per
// format unit):
// - a paragraph's space after and the next one's space before add up, where the
//   layout would take only the larger of the two;
// - a line is as high as its font's ascent, descent and line gap, where the layout
//   rounds the height up to a whole layout unit (a point), which over a page of
//   12-point text comes to a line and more;
// - the empty paragraph after the document's last paragraph mark takes no room.
void MatchPrintSpacing(QTextDocument& doc, QPaintDevice& device, double formatScale);

// Where the clip of a page's drawing starts when the page begins at `top`, in a laid-
// out document. Given a clip's top inside a paragraph, the layout draws that
// paragraph from the line before the clip, which would put a line of the page
// before into this page's text; the clip then starts under the page's first line.
double DrawingClipTop(const QTextDocument& doc, double top);
