#include "output/richtext/rich_text_edit.h"

#include "output/richtext/hidden_text.h"
#include "output/richtext/page_decor.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

TRichTextEdit::TRichTextEdit(QWidget* parent) : QTextEdit(parent) {}

void TRichTextEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit FontDialogRequested();
        return;
    }
    QTextEdit::keyPressEvent(event);
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
