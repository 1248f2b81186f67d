#include "output/richtext/floating_pictures.h"

#include "output/rtf/rtf_units.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>

namespace {
constexpr QChar kAnchorCharacter(0x200B); // zero width space
}

std::vector<TFloatingPicture> TakeFloatingPictures(QTextDocument& copy) {
    std::vector<TFloatingPicture> pictures;
    struct TAnchor {
        int position;
        int length;
        QTextCharFormat format;
    };
    std::vector<TAnchor> anchors;
    for (QTextBlock b = copy.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isImageFormat() || !format.hasProperty(RtfProperty::FloatingBox)) continue;
            const QRect box = format.property(RtfProperty::FloatingBox).toRect();
            const auto across =
                TRtfFloatAcross(std::clamp(format.intProperty(RtfProperty::FloatingAcross), 0, 3));
            const auto down =
                TRtfFloatDown(std::clamp(format.intProperty(RtfProperty::FloatingDown), 0, 3));
            const QRectF points(
                TPoints(TTwips(box.left())).Value(), TPoints(TTwips(box.top())).Value(),
                TPoints(TTwips(box.width())).Value(), TPoints(TTwips(box.height())).Value());
            const QString name = format.toImageFormat().name();
            const bool behind = format.boolProperty(RtfProperty::FloatingBehind);
            for (int i = 0; i < fragment.length(); ++i)
                pictures.push_back({fragment.position() + i, points, across, down, name, behind});
            // A picture's format has no font; the anchor takes the paragraph's.
            anchors.push_back({fragment.position(), fragment.length(), b.charFormat()});
        }
    }
    // Each picture's character becomes one of no width in the paragraph's font: its line is
    // as tall as an empty one, as in a word processor, and positions stay.
    QTextCursor cursor(&copy);
    for (const TAnchor& a : anchors) {
        cursor.setPosition(a.position);
        cursor.setPosition(a.position + a.length, QTextCursor::KeepAnchor);
        cursor.insertText(QString(a.length, kAnchorCharacter), a.format);
    }
    return pictures;
}

QRectF PlaceFloatingPicture(const TFloatingPicture& picture, const TFloatReferences& at) {
    double x = picture.box.left();
    switch (picture.across) {
    case TRtfFloatAcross::Margin:
        x += at.marginLeft;
        break;
    case TRtfFloatAcross::Page:
        x += at.paper.left();
        break;
    case TRtfFloatAcross::Column:
        x += at.columnLeft;
        break;
    case TRtfFloatAcross::Character:
        x += at.anchor.x();
        break;
    }
    double y = picture.box.top();
    switch (picture.down) {
    case TRtfFloatDown::Margin:
        y += at.marginTop;
        break;
    case TRtfFloatDown::Page:
        y += at.paper.top();
        break;
    case TRtfFloatDown::Paragraph:
        y += at.anchor.y();
        break;
    case TRtfFloatDown::Line:
        y += at.lineTop;
        break;
    }
    const QSizeF size = picture.box.size();
    x = std::clamp(x, at.paper.left(), std::max(at.paper.left(), at.paper.right() - size.width()));
    y = std::clamp(y, at.paper.top(), std::max(at.paper.top(), at.paper.bottom() - size.height()));
    return QRectF(QPointF(x, y), size);
}

std::optional<TAnchorPlace> AnchorPlace(const QTextDocument& doc, int position) {
    const QTextBlock b = doc.findBlock(position);
    const QTextLayout* text = b.isValid() ? b.layout() : nullptr;
    if (!text || !b.isVisible() || text->lineCount() == 0) return std::nullopt;
    QTextLine line = text->lineForTextPosition(position - b.position());
    if (!line.isValid()) line = text->lineAt(0);
    // The layout's origin: line positions, indents included, are from here.
    const QPointF origin = doc.documentLayout()->blockBoundingRect(b).topLeft();
    return TAnchorPlace{QPointF(origin.x() + line.cursorToX(position - b.position()), origin.y()),
                        origin.y() + line.y()};
}

void DrawFloatingPicture(QPainter& painter, const QTextDocument& doc, const QString& image,
                         const QRectF& rect) {
    const QImage pixels = doc.resource(QTextDocument::ImageResource, QUrl(image)).value<QImage>();
    if (!pixels.isNull()) painter.drawImage(rect, pixels);
}
