#pragma once

#include "output/rtf/rtf_types.h"

#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;
class QTextDocument;

// A picture that floats over the text (RtfProperty::FloatingBox): in the copy
// that is printed its character becomes an anchor of no width, and the page
// draws the picture at its offset from its references.
struct TFloatingPicture {
    int position = 0; // the anchor's position in the print copy
    QRectF box;       // offset and size, in points
    TRtfFloatAcross across = TRtfFloatAcross::Column;
    TRtfFloatDown down = TRtfFloatDown::Paragraph;
    QString image; // the image resource's name
    bool behind = false; // drawn behind the text rather than in front of it
};

// Turns the floating pictures of the print copy into anchors, before it is laid out.
std::vector<TFloatingPicture> TakeFloatingPictures(QTextDocument& copy);

// Where a floating picture stands on the page, from where its references are
// (page points). The picture is kept on the paper, as word processors keep it.
struct TFloatReferences {
    QRectF paper;
    double marginLeft = 0;
    double marginTop = 0;
    double columnLeft = 0;
    QPointF anchor; // the anchor character's left, at its paragraph's top
    double lineTop = 0;
};
QRectF PlaceFloatingPicture(const TFloatingPicture& picture, const TFloatReferences& at);

// Where a picture's anchor stands in its laid-out document: the anchor character's
// left at its paragraph's top, and the top of the anchor's line. Nothing when the
// paragraph is not shown.
struct TAnchorPlace {
    QPointF anchor;
    double lineTop = 0;
};
std::optional<TAnchorPlace> AnchorPlace(const QTextDocument& doc, int position);

// Draws the picture the document holds under `image` into `rect`.
void DrawFloatingPicture(QPainter& painter, const QTextDocument& doc, const QString& image,
                         const QRectF& rect);
