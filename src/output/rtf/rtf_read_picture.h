#pragma once

#include <QByteArray>
#include <QTextImageFormat>

#include <string_view>

class QTextDocument;

enum class TRtfPictureKind { Unknown, Png, Jpeg, Dib, Bitmap, Emf, Wmf, Other };

// A \pict group as read: its data (hex or \bin) and its size words.
struct TRtfReadPicture {
    TRtfPictureKind kind = TRtfPictureKind::Unknown;
    QByteArray data;
    int width = 0; // \picw, \pich: pixels for bitmaps, 0.01 mm for metafiles
    int height = 0;
    int goalWidth = 0; // \picwgoal, \pichgoal: twips
    int goalHeight = 0;
    int scaleX = 100; // percent
    int scaleY = 100;

    void AppendHex(std::string_view text);
    void AppendBinary(std::string_view bytes);

private:
    int pendingNibble_ = -1;
};

// Pictures whose decoded size would pass this many pixels are refused.
constexpr qint64 kRtfMaxPicturePixels = 50'000'000;
// All pictures of one text together may hold this many pixels; the rest show as
// frames, so that a small file of well-compressed huge pictures cannot take
// gigabytes.
constexpr qint64 kRtfMaxTextPixels = 100'000'000;

// Decodes the picture, stores it as an image resource of `doc` and returns the
// format that shows it at the size the file asks for. Pictures that cannot be
// decoded (metafiles, damaged or oversized data) show as an empty frame of the
// picture's size. `pixelBudget` is what the text's pictures may still use.
QTextImageFormat PlaceRtfPicture(QTextDocument& doc, const TRtfReadPicture& picture,
                                 qint64& pixelBudget);
