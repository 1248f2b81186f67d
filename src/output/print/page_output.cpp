#include "output/print/page_output.h"

#include "framework/errors.h"
#include "framework/save_file.h"
#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_writer.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace {

void WriteWhole(const QString& path, const QByteArray& bytes) {
    TSaveFile file(path.toLocal8Bit().toStdString());
    file.Stream().Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    file.Commit();
}

bool InTable(const QTextBlock& block) {
    return QTextCursor(block).currentTable() != nullptr;
}

} // namespace

QByteArray RtfAsPrinted(const TRichTextControl& control) {
    // Our pages give two paragraphs the larger of the space after the first and the
    // space before the second; word processors add the two. The file says what the
    // pages show, so that a word processor starts the same pages.
    std::unique_ptr<QTextDocument> doc(control.Document().clone());
    QTextCursor cursor(doc.get());
    cursor.beginEditBlock();
    QTextBlock previous;
    for (QTextBlock b = doc->begin(); b.isValid(); previous = b, b = b.next()) {
        if (!previous.isValid() || InTable(b) || InTable(previous)) continue;
        const double after = previous.blockFormat().bottomMargin();
        const double before = b.blockFormat().topMargin();
        if (after <= 0 || before <= 0) continue;
        QTextBlockFormat f;
        f.setTopMargin(std::max(0.0, before - after));
        cursor.setPosition(b.position());
        cursor.mergeBlockFormat(f);
    }
    cursor.endEditBlock();
    TRtfExtras extras;
    extras.footer = control.Footer();
    extras.areas = control.Areas();
    extras.page = control.Page();
    return WriteRtf(*doc, extras);
}

void DrawPages(const TRichTextControl& control, QPagedPaintDevice& device, int from, int to) {
    QPainter painter;
    if (!painter.begin(&device)) throw EInOutError("The pages cannot be drawn on this device.");
    // Paper of another shape than the control's page takes the page whole, centred.
    const QSizeF page = control.PageSizeInches();
    const QSizeF paper(device.width(), device.height());
    const double scale = std::min(paper.width() / page.width(), paper.height() / page.height());
    const QSizeF size = page * scale;
    const QRectF target(QPointF((paper.width() - size.width()) / 2, 0), size);
    for (int p = from; p <= to; ++p) {
        if (p > from && !device.newPage()) {
            painter.end();
            throw EInOutError("The printer did not take the next page.");
        }
        control.PrintPage(painter, p, target);
    }
    if (!painter.end()) throw EInOutError("The pages could not be finished.");
}

QByteArray PagesAsPdf(const TRichTextControl& control, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Orrin Quarrybook"));
        pdf.setPageSize(
            QPageSize(control.PageSizeInches(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        DrawPages(control, pdf, 1, std::max(1, control.PageCount()));
    }
    return buffer.data();
}

void WritePdfFile(const TRichTextControl& control, const QString& path, const QString& title) {
    WriteWhole(path, PagesAsPdf(control, title));
}

void WriteRtfFile(const TRichTextControl& control, const QString& path) {
    WriteWhole(path, RtfAsPrinted(control));
}
