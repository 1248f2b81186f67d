#include "output/rtf/rtf_read_picture.h"

#include "output/rtf/rtf_read_builder.h"
#include "output/rtf/rtf_types.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cstring>

namespace {
// The largest size, in document units, a picture is shown at.
constexpr double kMaxUnits = 20000.0;
// An empty frame is drawn at most this many pixels wide and scaled up.
constexpr int kMaxFramePixels = 256;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

quint32 ReadLe32(const QByteArray& data, int at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(data[at + i]);
    return v;
}

void AppendLe32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

QImage DecodeWithReader(const QByteArray& data, const char* format, qint64 maxPixels) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels) return {};
    return reader.read();
}

// A packed device-independent bitmap: a BITMAPINFOHEADER, colours and pixels.
// It becomes a BMP file by putting the 14-byte file header in front.
QImage DecodeDib(const QByteArray& dib, qint64 maxPixels) {
    if (dib.size() < 40) return {};
    const quint32 headerSize = ReadLe32(dib, 0);
    if (headerSize < 40 || headerSize > quint32(dib.size())) return {};
    const auto width = qint64(qint32(ReadLe32(dib, 4)));
    const auto height = qint64(qint32(ReadLe32(dib, 8)));
    if (width <= 0 || height == 0 || width * std::abs(height) > maxPixels) return {};
    const int bitCount = quint8(dib[14]) | (quint8(dib[15]) << 8);
    const quint32 compression = ReadLe32(dib, 16);
    quint32 colours = ReadLe32(dib, 32);
    if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
    if (colours > 256) return {};
    quint32 offset = 14 + headerSize + colours * 4;
    if (compression == 3 && headerSize == 40) offset += 12; // the three colour masks
    QByteArray file("BM");
    AppendLe32(file, quint32(14 + dib.size()));
    AppendLe32(file, 0);
    AppendLe32(file, offset);
    file.append(dib);
    return DecodeWithReader(file, "BMP", maxPixels);
}

QImage Decode(const TRtfReadPicture& p, qint64 maxPixels) {
    switch (p.kind) {
    case TRtfPictureKind::Png:
        return DecodeWithReader(p.data, "PNG", maxPixels);
    case TRtfPictureKind::Jpeg:
        return DecodeWithReader(p.data, "JPEG", maxPixels);
    case TRtfPictureKind::Dib:
        return DecodeDib(p.data, maxPixels);
    case TRtfPictureKind::Unknown:
        return DecodeWithReader(p.data, nullptr, maxPixels);
    default:
        // Metafiles and device-dependent bitmaps are not drawn (see PlaceRtfPicture).
        return {};
    }
}

QImage EmptyFrame(double width, double height) {
    const double scale = std::min(1.0, kMaxFramePixels / std::max(width, height));
    const int w = std::max(2, int(width * scale));
    const int h = std::max(2, int(height * scale));
    QImage frame(w, h, QImage::Format_RGB32);
    frame.fill(Qt::white);
    // Drawn by hand: a QPainter would need the GUI application that plain-text
    // conversion runs without.
    const QRgb grey = qRgb(160, 160, 160);
    for (int x = 0; x < w; ++x)
        frame.setPixel(x, 0, grey), frame.setPixel(x, h - 1, grey);
    for (int y = 0; y < h; ++y)
        frame.setPixel(0, y, grey), frame.setPixel(w - 1, y, grey);
    return frame;
}
} // namespace

void TRtfReadPicture::AppendHex(std::string_view text) {
    data.reserve(data.size() + qsizetype(text.size() / 2));
    for (char c : text) {
        const int v = HexValue(c);
        if (v < 0) continue; // blanks and stray characters between the digits
        if (pendingNibble_ < 0) {
            pendingNibble_ = v;
        } else {
            data.append(char(pendingNibble_ * 16 + v));
            pendingNibble_ = -1;
        }
    }
}

void TRtfReadPicture::AppendBinary(std::string_view bytes) {
    data.append(bytes.data(), qsizetype(bytes.size()));
}

QTextImageFormat PlaceRtfPicture(QTextDocument& doc, const TRtfReadPicture& p,
                                 qint64& pixelBudget) {
    // The same picture met again (a logo on every question) is decoded once.
    const QByteArray hash = QCryptographicHash::hash(p.data, QCryptographicHash::Md5).toHex();
    QString name = QStringLiteral("rtfimg-%1").arg(QString::fromLatin1(hash));
    QImage image = doc.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
    if (image.isNull()) {
        image = Decode(p, std::min(kRtfMaxPicturePixels, pixelBudget));
        pixelBudget -= qint64(image.width()) * image.height();
        if (!image.isNull()) doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    }
    // The shown size: the goal size when given, else the picture's own size.
    const bool metafile = p.kind == TRtfPictureKind::Wmf || p.kind == TRtfPictureKind::Emf;
    auto natural = [&](int goal, int own, int pixels) {
        if (goal > 0) return TFormatUnits(TTwips(goal)).Value();
        if (pixels > 0) return double(pixels);
        if (own > 0) return metafile ? TFormatUnits(THundredthsMm(own)).Value() : double(own);
        return 96.0;
    };
    auto scaled = [](double units, int percent) {
        const int pc = percent > 0 ? std::min(percent, 1000) : 100;
        return std::clamp(units * pc / 100.0, 1.0, kMaxUnits);
    };
    const double width = scaled(natural(p.goalWidth, p.width, image.width()), p.scaleX);
    const double height = scaled(natural(p.goalHeight, p.height, image.height()), p.scaleY);

    if (image.isNull()) {
        name = QStringLiteral("rtfimg-frame-%1x%2").arg(qRound(width)).arg(qRound(height));
        if (!doc.resource(QTextDocument::ImageResource, QUrl(name)).isValid())
            doc.addResource(QTextDocument::ImageResource, QUrl(name), EmptyFrame(width, height));
    }
    QTextImageFormat format;
    format.setName(name);
    // The bytes as read go along, so that writing gives back the same picture,
    // also one that is only shown as a frame here.
    static const char* const kTypes[] = {nullptr,    "pngblip", "jpegblip",   "dibitmap0",
                                         "wbitmap0", "emfblip", "wmetafile8", nullptr};
    if (const char* type = kTypes[int(p.kind)]; type && !p.data.isEmpty()) {
        format.setProperty(RtfProperty::PictureData, p.data);
        format.setProperty(RtfProperty::PictureType, QString::fromLatin1(type));
        format.setProperty(RtfProperty::PictureExtent, QSize(p.width, p.height));
    }
    format.setWidth(width);
    format.setHeight(height);
    return format;
}
