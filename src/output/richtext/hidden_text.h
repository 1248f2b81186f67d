#pragma once

#include <vector>

class QPainter;
class QRectF;
class QTextDocument;

// Hidden text (RtfProperty::Hidden) is kept in a document and written back, but
// not printed. The viewer takes it out of what it shows, as a word processor hides
// it; the editor shows it marked with a dotted underline, so that nothing in the
// text being edited is out of sight.

struct TTextRange {
    int from;
    int to;
};
// The hidden runs of the document, the last first.
std::vector<TTextRange> HiddenTextRanges(const QTextDocument& doc);
void RemoveRange(QTextDocument& doc, const TTextRange& range);
// Takes hidden text out of a text shown to be read; returns how many runs went.
int RemoveHiddenText(QTextDocument& doc);
// Draws the mark under the hidden text within `clip` (document coordinates).
void DrawHiddenTextMarks(QPainter& painter, const QTextDocument& doc, const QRectF& clip);
