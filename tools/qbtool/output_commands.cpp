#include "output_commands.h"

#include "doc_commands.h"
#include "framework/cp1252.h"
#include "model/document.h"
#include "output/print/document_assembly.h"
#include "output/print/page_output.h"
#include "output/richtext/rich_text_control.h"
#include "qt_session.h"
#include "tool_options.h"

#include <QFileInfo>

#include <exception>
#include <ostream>

namespace {

constexpr std::string_view kExportUsage = "export SUBJECT DOC.vqd OUT.rtf";
constexpr std::string_view kPrintUsage = "print SUBJECT DOC.vqd OUT.pdf";

QString FromLocal(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), qsizetype(s.size()));
}

int Run(bool pdf, const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals = RequirePositionals(
        arguments, 3, pdf ? "SUBJECT, DOC.vqd and OUT.pdf" : "SUBJECT, DOC.vqd and OUT.rtf");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    TOpenedDocument doc = OpenToolDocument(positionals[1], library);

    TQtSession qt;
    TRichTextControl control;
    AssembleDocument(control, *doc.Document,
                     QString::fromStdString(Cp1252ToUtf8(library.Opened.Config.Organisation)));
    const QString out = FromLocal(positionals[2]);
    if (!pdf) {
        WriteRtfFile(control, out);
        return 0;
    }
    WritePdfFile(control, out, QFileInfo(FromLocal(positionals[1])).fileName());
    const int pages = control.PageCount();
    io.Out << pages << (pages == 1 ? " page\n" : " pages\n");
    return 0;
}

} // namespace

std::vector<std::string_view> OutputCommandUsages() {
    return {kExportUsage, kPrintUsage};
}

bool RunOutputCommand(const std::string& name, const std::vector<std::string>& args, TToolIO& io,
                      int& status) {
    if (name != "export" && name != "print") return false;
    const bool pdf = name == "print";
    try {
        status = Run(pdf, args, io);
    } catch (const TUsageError& e) {
        io.Err << "qbtool: " << e.what() << '\n'
               << "usage: qbtool " << (pdf ? kPrintUsage : kExportUsage)
               << " [--ini FILE | --data FILE --text FILE]\n";
        status = 2;
    } catch (const std::exception& e) {
        io.Err << "qbtool: " << ToDisplayText(e.what()) << '\n';
        status = 1;
    }
    return true;
}
