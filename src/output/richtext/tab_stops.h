#pragma once

#include "output/rtf/rtf_types.h"

#include <QLineF>
#include <QRectF>

#include <vector>

class QPainter;
class QTextDocument;

// Makes the tab stops of a copy that is printed stop where a word processor puts
// them: RTF measures a stop from the left margin, the layout from where the line
// starts (the first line's, for a hanging indent), and a right tab at or past the
// right margin is held at the margin instead of sending its text to a new line.
// `textWidth` is the width of the body in format units; run before the indents are
// scaled to the layout.
void FitTabStops(QTextDocument& doc, double textWidth);

// The stretch of a tab whose stop has a leader, in document coordinates of the
// layout, along the baseline of its line.
struct TTabLeader {
    QLineF baseline;
    double ascent = 0;
    TRtfTabLeader kind = TRtfTabLeader::None;
};

// The leaders of a laid-out document, found once for all its pages.
// `formatScale` is the layout's length per format unit.
std::vector<TTabLeader> FindTabLeaders(const QTextDocument& doc, double formatScale);
// Draws the leaders that meet `clip` (document coordinates).
void DrawTabLeaders(QPainter& painter, const std::vector<TTabLeader>& leaders, const QRectF& clip);
