#pragma once

#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_units.h"

#include <QRectF>
#include <QString>

#include <vector>

class QFont;
class QPainter;
class QTextBlock;
class QTextDocument;

// The footer's text for one page: its text with the page number where the live
// field stands.
QString FooterTextForPage(const TRtfFooter& footer, int page);

// Draws the footer of `page` with the painter in page coordinates of one unit per
// twip: the text before the first tab from the left margin, the rest ending at the
// right margin (where the footer's right tab stop puts it), the line's foot
// `footerDistance` above the bottom edge. `family` is the document's default face.
void DrawPageFooter(QPainter& painter, const TRtfFooter& footer, const TRtfPage& page,
                    int pageNumber, const QString& family);

// How far the paragraph border's box reaches beyond the paragraph's lines, in
// format units (1/96 inch): the space between text and box plus the box's line.
constexpr double kParagraphBorderSpace = 4.0;
constexpr double kParagraphBorderWidth = 1.0;
constexpr double kParagraphBorderOutset = kParagraphBorderSpace + kParagraphBorderWidth;

// Whether the paragraph is drawn with the paragraph border. The empty paragraph a
// text ends with only carries on the format of the one before; it is not boxed.
bool HasParagraphBorder(const QTextBlock& block);
// Whether a bordered paragraph begins or ends a box: neighbouring bordered
// paragraphs of one frame share one box.
bool OpensBorderBox(const QTextBlock& block);
bool ClosesBorderBox(const QTextBlock& block);

// Draws the box around paragraphs that carry the paragraph border (the title texts'
// frame); neighbouring bordered paragraphs of one frame share one box. `clip` is in
// document coordinates; `formatScale` is the layout's length per format unit.
void DrawParagraphBorders(QPainter& painter, const QTextDocument& doc, const QRectF& clip,
                          double formatScale);

// The same boxes found once, for a layout that draws many pages: a search of the
// whole text for every page would make printing grow with the square of the text.
std::vector<QRectF> ParagraphBorderBoxes(const QTextDocument& doc);
void DrawParagraphBorderBoxes(QPainter& painter, const std::vector<QRectF>& boxes,
                              const QRectF& clip, double formatScale);
