#include "doc_commands.h"
#include "model/document.h"
#include "output/print/document_assembly.h"
#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_reader.h"
#include "output_commands.h"
#include "qbtool.h"
#include "tool_options.h"

#include "../richtext/test_application.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kIni = QB_BINARY_DIR "/data/sample/vantor32.ini";

int Tool(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::ostringstream o, e;
    TToolIO io{o, e, {}};
    int status = 0;
    if (!RunOutputCommand(args[0], {args.begin() + 1, args.end()}, io, status))
        status = RunQbtool(args, io);
    if (out) *out = o.str();
    return status;
}

QString PdfPageText(const QString& pdf, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
             QString::number(page), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// The PDF holds the pages as assembled: each question starts on the page the
// layout gave it; the RTF holds the same text without end marks, with the footer.
TEST(QbtoolOutput, PrintAndExportGiveTheAssembledPages) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    EnsureApplication();
    QTemporaryDir dir;
    const std::string vqd = dir.filePath("test.vqd").toStdString();
    const std::string pdf = dir.filePath("test.pdf").toStdString();
    const std::string rtf = dir.filePath("test.rtf").toStdString();
    ASSERT_EQ(Tool({"new-doc", "Sample", vqd, "Q1", "Q2a", "Q2b", "Q3", "Q4", "Q5", "Q6", "Q7a",
                    "Q8", "Q9", "Q10", "--ini", kIni}),
              0);
    std::string said;
    ASSERT_EQ(Tool({"print", "--ini", kIni, "Sample", vqd, pdf}, &said), 0);
    ASSERT_EQ(Tool({"export", "--ini", kIni, "Sample", vqd, rtf}), 0);
    EXPECT_EQ(Tool({"print", "--ini", kIni, "Sample", vqd + ".missing", pdf + "2"}), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf + "2")));
    EXPECT_EQ(Tool({"export", "Sample", vqd}), 2);

    TToolLibrary library = OpenToolLibrary("Sample", {kIni, {}, {}});
    TOpenedDocument doc = OpenToolDocument(vqd, library);
    TRichTextControl control;
    AssembleDocument(control, *doc.Document, QStringLiteral("Riverside School"));
    ASSERT_GT(control.PageCount(), 2);
    EXPECT_EQ(said, std::to_string(control.PageCount()) + " pages\n");
    for (int n = 1; n <= 11; ++n) {
        // A number starts its paragraph; "6." may also stand inside a text ("6.0 s").
        const QString number = QString::number(n) + QLatin1Char('.');
        const int at = n == 1 ? 0 : control.Find(QLatin1Char('\n') + number, 0) + 1;
        ASSERT_TRUE(control.PlainText().mid(at).startsWith(number)) << n;
        const QString line = control.PlainText().mid(at, 24).section(QLatin1Char('\n'), 0, 0);
        const int page = control.PageOfPosition(at);
        EXPECT_TRUE(PdfPageText(QString::fromStdString(pdf), page).contains(line))
            << "question " << n << " \"" << line.toStdString() << "\" not on page " << page;
    }

    QFile file(QString::fromStdString(rtf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QTextDocument read;
    const TRtfExtras extras = LoadRtf(read, bytes);
    EXPECT_EQ(extras.footer.text, QStringLiteral("Riverside School\t"));
    EXPECT_EQ(RtfDocumentPlainText(read), RtfToPlainText(control.GetRtf()));
    EXPECT_FALSE(RtfDocumentPlainText(read).contains(QStringLiteral("\n-\n")));
}
