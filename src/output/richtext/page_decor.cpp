#include "output/richtext/page_decor.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <cmath>

namespace {

void DrawBox(QPainter& painter, QRectF box, double formatScale) {
    const double space = kParagraphBorderSpace * formatScale;
    box.adjust(-space, -space, space, space);
    QPen pen(Qt::black);
    pen.setWidthF(kParagraphBorderWidth * formatScale);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.restore();
}
} // namespace

bool HasParagraphBorder(const QTextBlock& block) {
    if (!block.isVisible() || !block.blockFormat().boolProperty(RtfProperty::ParagraphBorder))
        return false;
    return block.length() > 1 || block.next().isValid();
}

namespace {
bool SameBox(const QTextBlock& a, const QTextBlock& b) {
    return a.isValid() && b.isValid() && HasParagraphBorder(a) && HasParagraphBorder(b) &&
           QTextCursor(a).currentFrame() == QTextCursor(b).currentFrame();
}
} // namespace

bool OpensBorderBox(const QTextBlock& block) {
    return HasParagraphBorder(block) && !SameBox(block.previous(), block);
}

bool ClosesBorderBox(const QTextBlock& block) {
    return HasParagraphBorder(block) && !SameBox(block, block.next());
}

QString FooterTextForPage(const TRtfFooter& footer, int page) {
    if (footer.pageNumberAt < 0) return footer.text;
    const qsizetype at = std::min<qsizetype>(footer.pageNumberAt, footer.text.size());
    return footer.text.left(at) + QString::number(page) + footer.text.mid(at);
}

void DrawPageFooter(QPainter& painter, const TRtfFooter& footer, const TRtfPage& page,
                    int pageNumber, const QString& family) {
    if (!footer.present) return;
    QString text = FooterTextForPage(footer, pageNumber);
    // A footer is one line; paragraph breaks read from a file become blanks.
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const QString left = tab < 0 ? text : text.left(tab);
    QString right = tab < 0 ? QString() : text.mid(tab + 1);
    right.replace(QLatin1Char('\t'), QLatin1Char(' '));

    QFont font(family);
    // Pixel sizes in page units are independent of the device's resolution.
    font.setPixelSize(std::max(1, int(std::lround(TTwips(TPoints(footer.pointSize)).Value()))));
    font.setItalic(footer.italic);
    const QFontMetricsF metrics(font);
    const double baseline = page.height - page.footerDistance - metrics.descent();
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    if (!left.isEmpty()) painter.drawText(QPointF(page.marginLeft, baseline), left);
    if (!right.isEmpty()) {
        const double x = page.width - page.marginRight - metrics.horizontalAdvance(right);
        painter.drawText(QPointF(x, baseline), right);
    }
    painter.restore();
}

std::vector<QRectF> ParagraphBorderBoxes(const QTextDocument& doc) {
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    std::vector<QRectF> boxes;
    QRectF box;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!HasParagraphBorder(b)) continue;
        const QRectF rect = layout->blockBoundingRect(b);
        box = OpensBorderBox(b) || box.isNull() ? rect : box.united(rect);
        if (!ClosesBorderBox(b)) continue;
        boxes.push_back(box);
        box = QRectF();
    }
    return boxes;
}

void DrawParagraphBorderBoxes(QPainter& painter, const std::vector<QRectF>& boxes,
                              const QRectF& clip, double formatScale) {
    for (const QRectF& box : boxes)
        if (box.intersects(clip)) DrawBox(painter, box, formatScale);
}

void DrawParagraphBorders(QPainter& painter, const QTextDocument& doc, const QRectF& clip,
                          double formatScale) {
    const QAbstractTextDocumentLayout* layout = doc.documentLayout();
    QRectF box;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!HasParagraphBorder(b)) continue;
        const QRectF rect = layout->blockBoundingRect(b);
        box = OpensBorderBox(b) || box.isNull() ? rect : box.united(rect);
        if (!ClosesBorderBox(b)) continue;
        if (box.top() > clip.bottom()) break;
        if (box.intersects(clip)) DrawBox(painter, box, formatScale);
        box = QRectF();
    }
}
