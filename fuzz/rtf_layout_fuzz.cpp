// libFuzzer target for the page layout: any RTF must read, paginate and print
// without a crash, a hang or runaway memory.
#include "output/richtext/page_layout.h"
#include "output/rtf/rtf_reader.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

namespace {
void EnsureApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_fuzz_rtf_layout";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnsureApplication();
    const QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    const TRtfExtras extras = LoadRtf(doc, rtf);
    const TPageLayout layout(doc, TRtfPage{});
    (void)layout.PageOfPosition(doc.characterCount() / 2);
    // Every page printed small: the first, the last and, to keep long inputs quick,
    // at most a hundred in between.
    QImage image(60, 85, QImage::Format_RGB32);
    QPainter painter(&image);
    const int pages = layout.PageCount();
    const int step = pages > 100 ? pages / 100 : 1;
    for (int page = 1; page <= pages; page += step)
        layout.DrawPage(painter, page, QRectF(image.rect()), extras.footer);
    layout.DrawPage(painter, pages, QRectF(image.rect()), extras.footer);
    return 0;
}
