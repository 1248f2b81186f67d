#pragma once

#include <vector>

class QTextBlock;
class QTextDocument;

// The end mark closes titles, sections, placeholders and other texts: a paragraph
// holding "-" alone, blanks around it aside. Paragraphs in table cells are never end
// marks.
//
// A search for "-" followed by a paragraph end would also hit every ordinary
// paragraph that ends in a hyphen ("pre-", "-5 to -") and, removing two characters,
// join it with the next one. These functions look at whole paragraphs instead.
bool IsEndMark(const QTextBlock& block);

// The start positions of the end-mark paragraphs, in ascending order.
std::vector<int> FindEndMarks(const QTextDocument& doc);

// Removes every end-mark paragraph, paragraph end included, as one undoable edit.
// The paragraphs around a removed mark keep their own formats. Returns how many
// were removed.
int RemoveEndMarks(QTextDocument& doc);
