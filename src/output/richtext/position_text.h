#pragma once

#include <QString>

class QTextDocument;

// The text of a document read position by position, so that a position found in it
// is a cursor position of the document and every text position counts as exactly
// one character:
//   - a paragraph end, the boundary between two table cells and the start and the
//     end of a table each read as one '\n';
//   - a line break inside a paragraph (RTF \line) reads as '\v';
//   - a picture or other embedded object reads as U+FFFC;
//   - every other character reads as itself (a tab as '\t', a no-break space as
//     U+00A0).
// The text is characterCount() - 1 long: its length is the end position, and the
// final paragraph end, which has no position after it, is left out.
QString DocumentPositionText(const QTextDocument& doc);

// The first position at or after `from` where `what` occurs in a position text, or
// -1. A negative `from` searches from the start; an empty `what` finds nothing.
int FindInPositionText(const QString& text, const QString& what, int from,
                       Qt::CaseSensitivity cs = Qt::CaseSensitive);
