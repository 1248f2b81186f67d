#include "output/richtext/end_marks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

namespace {
bool InTable(const QTextBlock& block) {
    return QTextCursor(block).currentTable() != nullptr;
}

bool IsParagraphEnd(const QTextDocument& doc, int position) {
    return doc.characterAt(position) == QChar(QChar::ParagraphSeparator);
}

// Removes one mark paragraph. Where a plain paragraph of the same frame comes
// before it, the end of that paragraph goes with the mark, so the paragraphs on
// both sides keep their formats untouched. Otherwise (the mark opens the document
// or follows a table) the mark's own paragraph end goes and the paragraph after it
// gets its own formats back; with nothing to join, only the hyphen goes.
void RemoveMark(QTextDocument& doc, const QTextBlock& block) {
    const int start = block.position();
    const int end = start + block.length() - 1; // the mark's paragraph end
    QTextCursor cursor(&doc);
    if (start > 0 && IsParagraphEnd(doc, start - 1)) {
        cursor.setPosition(start - 1);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        return;
    }
    const QTextBlock next = block.next();
    if (next.isValid() && IsParagraphEnd(doc, end) && !InTable(next)) {
        const QTextBlockFormat format = next.blockFormat();
        const QTextCharFormat charFormat = next.charFormat();
        cursor.setPosition(start);
        cursor.setPosition(end + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setBlockFormat(format);
        cursor.setBlockCharFormat(charFormat);
        return;
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
} // namespace

bool IsEndMark(const QTextBlock& block) {
    return block.isValid() && block.text().trimmed() == QLatin1String("-") && !InTable(block);
}

std::vector<int> FindEndMarks(const QTextDocument& doc) {
    std::vector<int> marks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (IsEndMark(b)) marks.push_back(b.position());
    return marks;
}

int RemoveEndMarks(QTextDocument& doc) {
    const std::vector<int> marks = FindEndMarks(doc);
    if (marks.empty()) return 0;
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    // From the back, so that the positions still to visit stay where they were.
    for (auto it = marks.rbegin(); it != marks.rend(); ++it)
        RemoveMark(doc, doc.findBlock(*it));
    edit.endEditBlock();
    return int(marks.size());
}
