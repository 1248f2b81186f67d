#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST(InsertPicture, KeepsThePictureFileInTheRtfAndRefusesOtherFiles) {
    EnsureApplication();
    QTemporaryDir dir;
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray png = Encoded(image, "PNG"), jpeg = Encoded(image, "JPEG");
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    TRichTextControl control;
    ASSERT_TRUE(control.InsertPicture(write("a.png", png)));
    ASSERT_TRUE(control.InsertPicture(write("b.jpg", jpeg)));
    const QByteArray rtf = control.GetRtf();
    EXPECT_NE(rtf.indexOf("\\pngblip"), -1);
    QByteArray unwrapped = rtf;
    unwrapped.replace("\r", "").replace("\n", "");
    EXPECT_NE(unwrapped.indexOf(png.toHex()), -1);
    EXPECT_NE(rtf.indexOf("\\jpegblip"), -1);
    EXPECT_NE(rtf.indexOf("\\picwgoal600"), -1); // 40 pixels at 96 per inch

    // Read back, both are still pictures.
    TRichTextControl reread;
    reread.LoadRtf(rtf);
    EXPECT_EQ(reread.PlainText().count(QChar(0xFFFC)), 2);

    QString error;
    EXPECT_FALSE(control.InsertPicture(write("c.png", "not a picture"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(control.InsertPicture(dir.filePath("missing.png"), &error));
    EXPECT_EQ(control.PlainText().count(QChar(0xFFFC)), 2);
}
} // namespace
