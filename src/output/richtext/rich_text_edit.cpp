#include "output/richtext/rich_text_edit.h"

#include "output/richtext/hidden_text.h"
#include "output/richtext/page_decor.h"
#include "output/rtf/rtf_types.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

TRichTextEdit::TRichTextEdit(QWidget* parent) : QTextEdit(parent) {}

void TRichTextEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit FontDialogRequested();
        return;
    }
    const QTextBlock before = textCursor().block();
    QTextEdit::keyPressEvent(event);
    // A new paragraph takes the format of the one it was split from, but a section
    // or column starts only once: the mark stays with the first of the two.
    QTextCursor cursor = textCursor();
    if (cursor.block() == before) return;
    QTextBlockFormat f = cursor.blockFormat();
    bool marked = false;
    for (int property : {int(RtfProperty::SectionBreak), int(RtfProperty::SectionColumns),
                         int(RtfProperty::SectionColumnGap), int(RtfProperty::SectionColumnWidths),
                         int(RtfProperty::SectionLineBetween), int(RtfProperty::ColumnBreakBefore)})
        if (f.hasProperty(property)) {
            f.clearProperty(property);
            marked = true;
        }
    if (!marked) return;
    cursor.joinPreviousEditBlock();
    cursor.setBlockFormat(f);
    cursor.endEditBlock();
}

void TRichTextEdit::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    QPainter painter(viewport());
    const QPointF offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    painter.translate(-offset);
    // On screen the layout works in format units.
    const QRectF clip = QRectF(event->rect()).translated(offset);
    DrawParagraphBorders(painter, *document(), clip, 1.0);
    DrawHiddenTextMarks(painter, *document(), clip);
}
