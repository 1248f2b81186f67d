#include "output/rtf/rtf_writer.h"

#include "output/rtf/rtf_write_document.h"

#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {
// Page setup, then the footer every page carries: its text with the live page
// number where the system put it, right-aligned by a tab stop at the margin.
void WriteSection(TRtfSink& sink, const TRtfExtras& extras) {
    const TRtfPage& page = extras.page;
    sink.Word("paperw", page.width);
    sink.Word("paperh", page.height);
    sink.Word("margl", page.marginLeft);
    sink.Word("margr", page.marginRight);
    sink.Word("margt", page.marginTop);
    sink.Word("margb", page.marginBottom);
    // Notes print under a short rule; a reader draws one only when the file asks.
    if (!extras.areas.notes.empty()) sink.Raw("{\\*\\ftnsep\\chftnsep}");
    sink.Word("sectd");
    sink.Word("footery", page.footerDistance);
    if (!extras.areas.Empty()) {
        sink.Word("headery", page.headerDistance);
        if (extras.areas.titlePage) sink.Word("titlepg");
        if (extras.areas.notesRestartEachPage) sink.Word("ftnrstpg");
    }
    // A footer the file gave is written with the other areas.
    const TRtfFooter& footer = extras.footer;
    if (!footer.present || !extras.areas.footers.empty()) return;
    sink.LineBreak();
    sink.Open();
    sink.Word("footer");
    sink.Word("pard");
    sink.Word("plain");
    sink.Word("ql");
    sink.Word("tqr");
    sink.Word("tx", std::max(720, page.width - page.marginLeft - page.marginRight));
    sink.Word("fs", std::clamp(int(std::lround(footer.pointSize * 2)), 2, 3276));
    if (footer.italic) sink.Word("i");
    const QStringView text(footer.text);
    const qsizetype at =
        footer.pageNumberAt < 0 ? -1 : std::min<qsizetype>(footer.pageNumberAt, text.size());
    sink.Text(at < 0 ? text : text.left(at));
    if (at >= 0) {
        sink.Raw("{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}");
        sink.Text(text.mid(at));
    }
    sink.Word("par");
    sink.Close();
}
} // namespace

QByteArray WriteRtf(const QTextDocument& doc, const TRtfExtras& extras) {
    TRtfBodyWriter writer(doc, extras.page, &extras.areas);
    writer.Write();
    const std::string areas = WriteRtfAreas(extras.areas, writer);

    TRtfSink head(1024);
    head.Raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1");
    writer.Fonts().Write(head);
    writer.Colors().Write(head);
    if (!writer.Lists().IsEmpty()) {
        head.LineBreak();
        writer.Lists().Write(head);
    }
    head.Raw("{\\*\\generator Orrin Quarrybook;}");
    head.LineBreak();
    WriteSection(head, extras);
    head.LineBreak();
    if (!areas.empty()) {
        head.Raw(areas);
        head.LineBreak();
    }

    const std::string& body = writer.Body().Bytes();
    QByteArray rtf;
    rtf.reserve(qsizetype(head.Size() + body.size() + 1));
    rtf.append(head.Bytes().data(), qsizetype(head.Size()));
    rtf.append(body.data(), qsizetype(body.size()));
    rtf.append('}');
    return rtf;
}

bool SaveRtfFile(const QTextDocument& doc, const TRtfExtras& extras, const QString& path,
                 QString* error) {
    // QSaveFile writes beside the target and renames only when everything is on
    // disk, so a failure leaves the old file (or none) in place.
    QSaveFile file(path);
    const QByteArray rtf = WriteRtf(doc, extras);
    const bool ok =
        file.open(QIODevice::WriteOnly) && file.write(rtf) == rtf.size() && file.commit();
    if (!ok) {
        if (error) *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
    }
    return ok;
}
