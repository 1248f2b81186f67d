// Documents for the word-processor check (tests/interop/rtf_writer_libreoffice.sh).
// They are written only when QB_RTF_WRITER_SAMPLES names a folder; the script then
// has LibreOffice read each one and compares what it sees with the .expect file:
//   words: the text, word by word, that LibreOffice must read
//   fodt: a string LibreOffice's own (flat XML) rendering must contain
//   images: how many pictures the PDF must hold
//   pdftext: a string the PDF's text must contain (footers, page numbers)
#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_types.h"
#include "output/rtf/rtf_writer.h"

#include "rtf_writer_test_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
QTextCharFormat Times(double points = 12) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(points);
    return f;
}

class TSampleFolder {
public:
    explicit TSampleFolder(const QString& path) : dir_(path) {}

    void Write(const QString& name, const QTextDocument& doc, const TRtfExtras& extras,
               QStringList expectations) {
        QString error;
        ASSERT_TRUE(SaveRtfFile(doc, extras, dir_.filePath(name + ".rtf"), &error))
            << error.toStdString();
        // LibreOffice's plain text shows hidden text; the fodt check sees it hidden.
        std::unique_ptr<QTextDocument> shown(doc.clone());
        QTextCursor all(shown.get());
        all.select(QTextCursor::Document);
        QTextCharFormat visible;
        visible.setProperty(RtfProperty::Hidden, false);
        all.mergeCharFormat(visible);
        QString words = RtfDocumentPlainText(*shown);
        words.replace(QChar::ObjectReplacementCharacter, u' ');
        expectations.prepend(QStringLiteral("words: ") + words.simplified());
        QFile file(dir_.filePath(name + ".expect"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(expectations.join(u'\n').toUtf8() + '\n');
    }

private:
    QDir dir_;
};

void WriteFormatting(TSampleFolder& out) {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor cursor(&doc);
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setBottomMargin(16);
    title.setProperty(RtfProperty::ParagraphBorder, true);
    cursor.setBlockFormat(title);
    QTextCharFormat big = Times(26);
    big.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("Boxed Title"), big);

    QTextBlockFormat body;
    body.setAlignment(Qt::AlignJustify);
    body.setLeftMargin(48);
    body.setTextIndent(24);
    body.setTopMargin(12);
    cursor.insertBlock(body, Times());
    auto run = [&](const QString& text, auto change) {
        QTextCharFormat f = Times();
        change(f);
        cursor.insertText(text, f);
    };
    run(QStringLiteral("Plain, "), [](QTextCharFormat&) {});
    run(QStringLiteral("italic"), [](QTextCharFormat& f) { f.setFontItalic(true); });
    run(QStringLiteral(", "), [](QTextCharFormat&) {});
    run(QStringLiteral("underlined"), [](QTextCharFormat& f) { f.setFontUnderline(true); });
    run(QStringLiteral(", "), [](QTextCharFormat&) {});
    run(QStringLiteral("struck"), [](QTextCharFormat& f) { f.setFontStrikeOut(true); });
    run(QStringLiteral(", H"), [](QTextCharFormat&) {});
    run(QStringLiteral("2"),
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    run(QStringLiteral("O, x"), [](QTextCharFormat&) {});
    run(QStringLiteral("2"),
        [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run(QStringLiteral(", "), [](QTextCharFormat&) {});
    run(QStringLiteral("red"), [](QTextCharFormat& f) { f.setForeground(QColor(255, 0, 0)); });
    run(QStringLiteral(" and "), [](QTextCharFormat&) {});
    run(QStringLiteral("marked"), [](QTextCharFormat& f) { f.setBackground(QColor(255, 255, 0)); });
    run(QStringLiteral(" in Arial"),
        [](QTextCharFormat& f) { f.setFontFamilies({QStringLiteral("Arial")}); });
    run(QStringLiteral(" \u03b1 \u2264 \u03b2, caf\u00e9 \u2014 \u0101\u010d \u20ac."),
        [](QTextCharFormat&) {});

    QTextBlockFormat tabs;
    tabs.setTabPositions({{96, QTextOption::LeftTab}, {576, QTextOption::RightTab}});
    tabs.setProperty(RtfProperty::TabLeaders,
                     QVariantList{int(TRtfTabLeader::None), int(TRtfTabLeader::Dot)});
    tabs.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    cursor.insertBlock(tabs, Times());
    cursor.insertText(QStringLiteral("1.\tLeader to the marks\t[4]"), Times());
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setRightMargin(48);
    cursor.insertBlock(right, Times());
    cursor.insertText(QStringLiteral("Right aligned"), Times());
    out.Write(QStringLiteral("formatting"), doc, {},
              {QStringLiteral("fodt: fo:font-weight=\"bold\""),
               QStringLiteral("fodt: fo:font-style=\"italic\""),
               QStringLiteral("fodt: style:text-underline-style=\"solid\""),
               QStringLiteral("fodt: style:text-line-through-style=\"solid\""),
               QStringLiteral("fodt: style:text-position=\"sub"),
               QStringLiteral("fodt: style:text-position=\"super"),
               QStringLiteral("fodt: fo:color=\"#ff0000\""),
               QStringLiteral("fodt: fo:background-color=\"#ffff00\""),
               QStringLiteral("fodt: fo:font-size=\"26pt\""),
               QStringLiteral("fodt: fo:text-align=\"center\""),
               QStringLiteral("fodt: fo:text-align=\"justify\""),
               QStringLiteral("fodt: fo:text-align=\"end\""),
               QStringLiteral("fodt: fo:margin-left=\"0.5in\""),
               QStringLiteral("fodt: fo:text-indent=\"0.25in\""),
               QStringLiteral("fodt: fo:line-height=\"150%\""),
               QStringLiteral("fodt: style:leader-text=\".\""),
               QStringLiteral("fodt: style:type=\"right\""),
               QStringLiteral("fodt: fo:border=\""),
               QStringLiteral("fodt: style:font-name=\"Arial\""),
               QStringLiteral("fodt: TIMES NEW ROMAN")});
}

void WriteTables(TSampleFolder& out) {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Results table"), Times());
    QTextTableFormat tf;
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 144),
                                  QTextLength(QTextLength::FixedLength, 96),
                                  QTextLength(QTextLength::FixedLength, 96)});
    tf.setBorder(1);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderBrush(Qt::black);
    tf.setCellPadding(4);
    tf.setCellSpacing(0);
    QTextTable* table = cursor.insertTable(3, 3, tf);
    table->mergeCells(1, 0, 2, 1);
    table->mergeCells(0, 1, 1, 2);
    auto put = [&](int r, int c, const char* text) {
        table->cellAt(r, c).firstCursorPosition().insertText(QString::fromLatin1(text), Times());
    };
    put(0, 0, "Name");
    put(0, 1, "Marks");
    put(1, 0, "Spanning");
    put(1, 1, "Alpha");
    put(1, 2, "12");
    put(2, 1, "Beta");
    put(2, 2, "15");
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(0xcc, 0xcc, 0xcc));
    table->cellAt(0, 0).setFormat(shaded);
    QTextCursor inner = table->cellAt(2, 2).lastCursorPosition();
    inner.insertBlock();
    QTextTable* nested = inner.insertTable(1, 2);
    nested->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("inner1"), Times());
    nested->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("inner2"), Times());
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.insertText(QStringLiteral("After the table"), Times());
    out.Write(QStringLiteral("tables"), doc, {},
              {QStringLiteral("fodt: table:number-rows-spanned=\"2\""),
               QStringLiteral("fodt: table:number-columns-spanned=\"2\""),
               QStringLiteral("fodt: fo:background-color=\"#cccccc\""),
               QStringLiteral("fodt: style:column-width=\"1.5in\""),
               QStringLiteral("fodt: <table:table table:name=\"Table2\""),
               QStringLiteral("fodt: fo:border")});
}

void WritePicturesFooterAndBreaks(TSampleFolder& out) {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("graph")), image);
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Page one with a picture: "), Times());
    QTextImageFormat picture;
    picture.setName(QStringLiteral("graph"));
    picture.setWidth(192); // two inches
    cursor.insertImage(picture);
    QTextBlockFormat newPage;
    newPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(newPage, Times());
    cursor.insertText(QStringLiteral("Page two. "), Times());
    cursor.insertImage(picture);
    cursor.insertBlock(newPage, Times());
    cursor.insertText(QStringLiteral("Page three."), Times());
    TRtfExtras extras;
    extras.footer.present = true;
    extras.footer.text = QStringLiteral("Orrin High School\t");
    extras.footer.pageNumberAt = int(extras.footer.text.size());
    out.Write(QStringLiteral("pictures_footer"), doc, extras,
              {QStringLiteral("images: 2"), QStringLiteral("pdftext: Orrin High School"),
               QStringLiteral("pdftext: 3"), QStringLiteral("pages: 3"),
               QStringLiteral("fodt: svg:width=\"2in\""),
               QStringLiteral("fodt: <text:page-number")});
}

// Every corpus text as our reader reads it and our writer writes it: LibreOffice
// must read the words our reader read, lists as lists with their numbering and
// hidden text as hidden. (Its reading of the originals may differ, where it shows
// Symbol-font bytes as private-use glyphs.)
void WriteCorpus(TSampleFolder& out) {
    const QDir corpus(QStringLiteral(QB_TEST_DATA_DIR "/rtf"));
    for (const QString& name : corpus.entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QTextDocument doc;
        const TRtfExtras extras = LoadRtf(doc, file.readAll());
        QStringList expect;
        if (extras.footer.present) expect << QStringLiteral("fodt: <text:page-number");
        if (name == QLatin1String("lists_levels.rtf"))
            expect << QStringLiteral("fodt: <text:list text:style-name=")
                   << QStringLiteral("fodt: style:num-format=\"a\"")
                   << QStringLiteral("fodt: style:num-prefix=\"(\"")
                   << QStringLiteral("fodt: style:num-format=\"i\"")
                   << QStringLiteral("fodt: style:num-format=\"I\"")
                   << QStringLiteral("fodt: style:num-format=\"A\"")
                   << QStringLiteral("fodt: text:start-value=\"4\"")
                   << QStringLiteral("fodt: text:bullet-char=\"\u25e6\"");
        if (name == QLatin1String("reader_specials.rtf"))
            expect << QStringLiteral("fodt: text:display=\"none\"");
        out.Write(QStringLiteral("corpus_") + QFileInfo(name).completeBaseName(), doc, extras,
                  expect);
    }
}
} // namespace

TEST(RtfWriterSamples, WriteForTheWordProcessorCheck) {
    const QString folder = qEnvironmentVariable("QB_RTF_WRITER_SAMPLES");
    if (folder.isEmpty()) GTEST_SKIP() << "only for tests/interop/rtf_writer_libreoffice.sh";
    EnsureWriterTestApp();
    ASSERT_TRUE(QDir().mkpath(folder));
    TSampleFolder out(folder);
    WriteFormatting(out);
    WriteTables(out);
    WritePicturesFooterAndBreaks(out);
    WriteCorpus(out);
}
