#include "output/rtf/rtf_write_picture.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QTextDocument>
#include <QUrl>
#include <QVariant>

namespace {
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

quint32 BigEndian32(const QByteArray& bytes, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + at);
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

// The size in the IHDR chunk that opens every PNG file, when the bytes are a PNG.
std::optional<TRtfPicture> AsPng(const QByteArray& bytes) {
    if (bytes.size() < 24 || !bytes.startsWith(QByteArrayView(kPngSignature, 8)) ||
        bytes.mid(12, 4) != "IHDR")
        return std::nullopt;
    const quint32 w = BigEndian32(bytes, 16), h = BigEndian32(bytes, 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
    return TRtfPicture{bytes, int(w), int(h)};
}

std::optional<TRtfPicture> Encode(const QImage& image) {
    if (image.isNull()) return std::nullopt;
    TRtfPicture picture{{}, image.width(), image.height()};
    QBuffer buffer(&picture.png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) return std::nullopt;
    return picture;
}
} // namespace

std::optional<TRtfPicture> RtfPictureFor(const QTextDocument& doc, const QString& name) {
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(name));
    switch (resource.typeId()) {
    case QMetaType::QImage:
        return Encode(resource.value<QImage>());
    case QMetaType::QPixmap:
        return Encode(resource.value<QPixmap>().toImage());
    case QMetaType::QByteArray: {
        const QByteArray bytes = resource.toByteArray();
        if (auto png = AsPng(bytes)) return png;
        return Encode(QImage::fromData(bytes));
    }
    default:
        return std::nullopt;
    }
}

namespace {
void WritePict(TRtfSink& sink, const char* kind, const QByteArray& data, QSize extent,
               int widthTwips, int heightTwips) {
    sink.Open();
    sink.Word("pict");
    sink.Word(kind);
    sink.Word("picw", extent.width());
    sink.Word("pich", extent.height());
    sink.Word("picwgoal", widthTwips);
    sink.Word("pichgoal", heightTwips);
    sink.Hex(data);
    sink.Close();
}
} // namespace

void WriteRtfPicture(TRtfSink& sink, const TRtfPicture& picture, int widthTwips, int heightTwips) {
    WritePict(sink, "pngblip", picture.png, {picture.pixelWidth, picture.pixelHeight}, widthTwips,
              heightTwips);
}

bool WriteRtfPictureAsRead(TRtfSink& sink, const QString& typeWord, const QByteArray& data,
                           QSize extent, int widthTwips, int heightTwips) {
    // Only known words: the property comes from a document and must not be able
    // to put arbitrary RTF into the output.
    static const char* const kKinds[] = {"pngblip",    "jpegblip",  "emfblip",
                                         "wmetafile8", "dibitmap0", "wbitmap0"};
    for (const char* kind : kKinds) {
        if (typeWord != QLatin1String(kind)) continue;
        if (data.isEmpty()) return false;
        WritePict(sink, kind, data, extent.isValid() ? extent : QSize(0, 0), widthTwips,
                  heightTwips);
        return true;
    }
    return false;
}
