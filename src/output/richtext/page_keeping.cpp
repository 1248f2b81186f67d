#include "output/richtext/page_keeping.h"

#include "output/richtext/end_marks.h"
#include "output/rtf/rtf_types.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

void KeepOnOnePage(QTextDocument& doc, int from, int to) {
    const int end = std::max(0, doc.characterCount() - 1);
    from = std::clamp(from, 0, end);
    to = std::clamp(to, from, end);
    const QTextBlock last = doc.findBlock(to);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (QTextBlock b = doc.findBlock(from); b.isValid(); b = b.next()) {
        QTextBlockFormat f;
        f.setProperty(RtfProperty::KeepTogether, true);
        f.setProperty(RtfProperty::KeepWithNext, b != last);
        cursor.setPosition(b.position());
        cursor.mergeBlockFormat(f);
        if (b == last) break;
    }
    cursor.endEditBlock();
}

int KeepMarkedTextsOnOnePage(QTextDocument& doc) {
    const std::vector<int> marks = FindEndMarks(doc);
    int start = 0;
    int kept = 0;
    for (int mark : marks) {
        // The text ends with the paragraph before its mark: the mark itself goes, and
        // the paragraph left last must not be tied to the next text.
        if (mark > start) {
            KeepOnOnePage(doc, start, mark - 1);
            ++kept;
        }
        start = doc.findBlock(mark).next().position();
        if (start <= mark) break; // the mark was the last paragraph
    }
    RemoveEndMarks(doc);
    return kept;
}
