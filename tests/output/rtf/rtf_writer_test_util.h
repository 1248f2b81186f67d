#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QString>

// Fonts and images need the GUI application; the test executable has one main for
// all its tests, so whichever test comes first makes it.
inline void EnsureWriterTestApp() {
    static int argc = 1;
    static char arg0[] = "qb_rtf_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

// A picture of one colour, as PNG bytes.
inline QByteArray PngOf(int width, int height, QColor colour = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// How often `what` occurs in `rtf`.
inline int CountOf(const QByteArray& rtf, const char* what) {
    return int(rtf.count(QByteArrayView(what)));
}

// Braces balance when escaped ones (\{ \}) and the hex of pictures are left aside.
inline bool BracesBalance(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0) return false;
        }
    }
    return depth == 0;
}
