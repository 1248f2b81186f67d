#include "output/richtext/hidden_text.h"

#include "output/rtf/rtf_types.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

std::vector<TTextRange> HiddenTextRanges(const QTextDocument& doc) {
    std::vector<TTextRange> ranges;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().boolProperty(RtfProperty::Hidden)) continue;
            const int from = f.position(), to = f.position() + f.length();
            if (!ranges.empty() && ranges.back().to == from)
                ranges.back().to = to;
            else
                ranges.push_back({from, to});
        }
    std::reverse(ranges.begin(), ranges.end());
    return ranges;
}

void RemoveRange(QTextDocument& doc, const TTextRange& range) {
    QTextCursor cursor(&doc);
    cursor.setPosition(range.from);
    cursor.setPosition(range.to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

int RemoveHiddenText(QTextDocument& doc) {
    const std::vector<TTextRange> hidden = HiddenTextRanges(doc);
    if (hidden.empty()) return 0;
    QTextCursor edit(&doc);
    edit.beginEditBlock();
    for (const TTextRange& r : hidden)
        RemoveRange(doc, r);
    edit.endEditBlock();
    return int(hidden.size());
}

void DrawHiddenTextMarks(QPainter& painter, const QTextDocument& doc, const QRectF& clip) {
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    painter.save();
    painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    for (const TTextRange& r : HiddenTextRanges(doc)) {
        const QTextBlock block = doc.findBlock(r.from);
        const QTextLayout* text = block.layout();
        if (!text) continue;
        const QRectF rect = layout->blockBoundingRect(block);
        if (!rect.intersects(clip)) continue;
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const int from = std::max(r.from - block.position(), line.textStart());
            const int to = std::min(r.to - block.position(), line.textStart() + line.textLength());
            if (from >= to) continue;
            const double y = rect.top() + line.y() + line.ascent() + 2;
            painter.drawLine(QPointF(rect.left() + line.cursorToX(from), y),
                             QPointF(rect.left() + line.cursorToX(to), y));
        }
    }
    painter.restore();
}
