#include "output/richtext/floating_pictures.h"

#include "output/rtf/rtf_units.h"

#include <QAbstractTextDocumentLayout>
#include <QRect>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {
constexpr int kFloatAnchorObject = QTextFormat::UserObject + 1;
}

std::vector<TFloatingPicture> TakeFloatingPictures(QTextDocument& copy,
                                                   TFloatAnchorHandler& handler) {
    std::vector<TFloatingPicture> pictures;
    QTextCursor cursor(&copy);
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
            const QString name = format.toImageFormat().name();
            for (int i = 0; i < fragment.length(); ++i)
                pictures.push_back(
                    {fragment.position() + i,
                     QRectF(TPoints(TTwips(box.left())).Value(), TPoints(TTwips(box.top())).Value(),
                            TPoints(TTwips(box.width())).Value(),
                            TPoints(TTwips(box.height())).Value()),
                     across, down, name});
            QTextCharFormat anchor = format;
            anchor.setObjectType(kFloatAnchorObject);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(anchor);
        }
    }
    if (!pictures.empty()) copy.documentLayout()->registerHandler(kFloatAnchorObject, &handler);
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
