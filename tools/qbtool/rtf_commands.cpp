#include "rtf_commands.h"

#include "framework/save_file.h"
#include "output/richtext/end_marks.h"
#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_writer.h"
#include "qt_session.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

namespace {
constexpr int kDone = 0;
constexpr int kFileError = 1;
constexpr int kUsageError = 2;

struct TRtfCommand {
    const char* name;
    const char* usage;
};

constexpr TRtfCommand kCommands[] = {
    {"rtf2txt", "rtf2txt FILE.rtf"},
    {"rtf-roundtrip", "rtf-roundtrip IN.rtf OUT.rtf"},
    {"rtf2pdf", "rtf2pdf IN.rtf OUT.pdf [--footer TEXT]"},
};

const TRtfCommand* FindCommand(const std::string& name) {
    for (const TRtfCommand& c : kCommands)
        if (name == c.name) return &c;
    return nullptr;
}

QString FromLocal(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), qsizetype(s.size()));
}

std::optional<QByteArray> ReadFile(const std::string& path, std::ostream& err) {
    QFile file(FromLocal(path));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "qbtool: Cannot read " << path << ": " << file.errorString().toStdString() << '\n';
        return std::nullopt;
    }
    return file.readAll();
}

int RtfToText(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto rtf = ReadFile(args[0], err);
    if (!rtf) return kFileError;
    const QByteArray text = RtfToPlainText(*rtf).toUtf8();
    out.write(text.constData(), text.size());
    out << '\n';
    return kDone;
}

int RtfRoundTrip(const std::vector<std::string>& args, std::ostream& err) {
    const auto rtf = ReadFile(args[0], err);
    if (!rtf) return kFileError;
    QTextDocument doc;
    const TRtfExtras extras = LoadRtf(doc, *rtf);
    QString error;
    if (!SaveRtfFile(doc, extras, FromLocal(args[1]), &error)) {
        err << "qbtool: " << error.toStdString() << '\n';
        return kFileError;
    }
    return kDone;
}

int RtfToPdf(const std::vector<std::string>& args, const std::optional<std::string>& footer,
             std::ostream& out, std::ostream& err) {
    const auto rtf = ReadFile(args[0], err);
    if (!rtf) return kFileError;
    TRichTextControl control;
    control.LoadRtf(*rtf);
    if (footer)
        control.SetStandardFooter(QString::fromUtf8(footer->data(), qsizetype(footer->size())));

    // The whole PDF is made in memory first, so that a failure cannot leave half a
    // file where an old one stood.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const int pages = control.PageCount();
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(FromLocal(args[0]));
        pdf.setCreator(QStringLiteral("Orrin Quarrybook"));
        pdf.setPageSize(
            QPageSize(control.PageSizeInches(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) pdf.newPage();
            control.PrintPage(painter, page, QRectF(0, 0, pdf.width(), pdf.height()));
        }
    }
    try {
        TSaveFile file(args[1]);
        const QByteArray& bytes = buffer.data();
        file.Stream().Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        file.Commit();
    } catch (const std::exception& e) {
        err << "qbtool: " << e.what() << '\n';
        return kFileError;
    }
    out << pages << (pages == 1 ? " page\n" : " pages\n");
    return kDone;
}

int Usage(const TRtfCommand& command, const std::string& message, std::ostream& err) {
    err << "qbtool: " << message << '\n' << "usage: qbtool " << command.usage << '\n';
    return kUsageError;
}
} // namespace

std::vector<std::string_view> RtfCommandUsages() {
    std::vector<std::string_view> usages;
    for (const TRtfCommand& c : kCommands)
        usages.emplace_back(c.usage);
    return usages;
}

std::string StoredTextToPlain(const std::string& rtf) {
    QTextDocument doc;
    LoadRtf(doc, QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    RemoveEndMarks(doc);
    return RtfDocumentPlainText(doc).toUtf8().toStdString();
}

bool RunRtfCommand(const std::string& name, const std::vector<std::string>& args, int& status) {
    return RunRtfCommand(name, args, status, std::cout, std::cerr);
}

bool RunRtfCommand(const std::string& name, const std::vector<std::string>& args, int& status,
                   std::ostream& out, std::ostream& err) {
    const TRtfCommand* command = FindCommand(name);
    if (!command) return false;

    std::vector<std::string> files;
    std::optional<std::string> footer;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (name == "rtf2pdf" && args[i] == "--footer") {
            if (i + 1 == args.size()) {
                status = Usage(*command, "--footer needs a text", err);
                return true;
            }
            footer = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-' && args[i] != "-") {
            status = Usage(*command, "unknown option \"" + args[i] + "\"", err);
            return true;
        } else {
            files.push_back(args[i]);
        }
    }
    const std::size_t wanted = name == "rtf2txt" ? 1 : 2;
    if (files.size() != wanted) {
        status = Usage(*command, files.size() < wanted ? "missing file name" : "too many arguments",
                       err);
        return true;
    }

    TQtSession qt;
    if (name == "rtf2txt")
        status = RtfToText(files, out, err);
    else if (name == "rtf-roundtrip")
        status = RtfRoundTrip(files, err);
    else
        status = RtfToPdf(files, footer, out, err);
    return true;
}
