#pragma once

#include "output/rtf/rtf_write_output.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

class QTextDocument;

// A picture ready for \pngblip: its PNG bytes and its size in pixels.
struct TRtfPicture {
    QByteArray png;
    int pixelWidth = 0;
    int pixelHeight = 0;
};

// The image a QTextImageFormat names, as PNG: taken from the document's resources
// (a QImage, QPixmap or encoded bytes). PNG bytes pass through unchanged; other
// encodings are decoded and written again as PNG. Nothing when there is no image.
std::optional<TRtfPicture> RtfPictureFor(const QTextDocument& doc, const QString& name);

// {\pict\pngblip ...} shown at the given size in twips.
void WriteRtfPicture(TRtfSink& sink, const TRtfPicture& picture, int widthTwips, int heightTwips);

// A picture's bytes exactly as a file held them, under their own kind's word (one of
// those RtfProperty::PictureType names; nothing is written for any other word).
// `extent` is \picw and \pich in the units that kind uses.
bool WriteRtfPictureAsRead(TRtfSink& sink, const QString& typeWord, const QByteArray& data,
                           QSize extent, int widthTwips, int heightTwips);
