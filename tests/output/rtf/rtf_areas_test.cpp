#include "output/rtf/rtf_reader.h"
#include "output/rtf/rtf_writer.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {
// Headers of every page, of the title page and of left pages; a footer with the
// page and the page count; a numbered footnote and one with its own mark. A
// destination nobody reads stays out of the header, as out of the body.
const char kAreas[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\titlepg\\headery500"
    "{\\header\\pard\\qc {\\*\\bkmkstart top}Running head\\par}"
    "{\\headerf\\pard Title head\\par}"
    "{\\headerl\\pard Left head\\par}"
    "{\\footer\\pard Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} of "
    "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 9}}\\par}"
    "\\pard Body{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} First note.}"
    " and more*{\\footnote\\pard * Own mark.}\\par}";

std::string Text(const TRtfText& text) {
    return text.Document().toPlainText().toStdString();
}

// The runs of the document that carry `property`, as text.
QStringList RunsWith(const QTextDocument& doc, int property) {
    QStringList runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().hasProperty(property))
                runs << it.fragment().text() + "=" +
                            QString::number(it.fragment().charFormat().intProperty(property));
    return runs;
}
} // namespace

TEST(RtfAreas, HeadersFootersAndNotesAreTextsOfTheirOwn) {
    QTextDocument doc;
    const TRtfExtras extras = LoadRtf(doc, kAreas);
    EXPECT_EQ(doc.toPlainText().trimmed().toStdString(), "Body1 and more*");
    EXPECT_EQ(extras.page.headerDistance, 500);

    const TRtfAreas& areas = extras.areas;
    ASSERT_TRUE(areas.titlePage);
    ASSERT_NE(areas.HeaderFor(1), nullptr);
    EXPECT_EQ(Text(*areas.HeaderFor(1)), "Title head");
    EXPECT_EQ(Text(*areas.HeaderFor(2)), "Left head");
    EXPECT_EQ(Text(*areas.HeaderFor(3)), "Running head");
    // The title page has no footer of its own, so none.
    EXPECT_EQ(areas.FooterFor(1), nullptr);
    ASSERT_NE(areas.FooterFor(2), nullptr);
    EXPECT_EQ(Text(*areas.FooterFor(2)), "Page 7 of 9");
    EXPECT_EQ(RunsWith(areas.FooterFor(2)->Document(), RtfProperty::PageField),
              QStringList({"7=" + QString::number(int(TRtfPageField::Page)),
                           "9=" + QString::number(int(TRtfPageField::PageCount))}));
    // The system's footer is read as before.
    EXPECT_TRUE(extras.footer.present);
    EXPECT_EQ(extras.footer.pageNumberAt, 5);

    ASSERT_EQ(areas.notes.size(), 2u);
    EXPECT_EQ(Text(areas.notes[0]), "1 First note.");
    EXPECT_EQ(Text(areas.notes[1]), "* Own mark.");
    // Each mark knows its note.
    EXPECT_EQ(RunsWith(doc, RtfProperty::NoteMark), QStringList({"1=1", " and more*=2"}));
}

TEST(RtfAreas, WrittenAndReadBackTheSame) {
    QTextDocument doc;
    const TRtfExtras extras = LoadRtf(doc, kAreas);
    const QByteArray rtf = WriteRtf(doc, extras);
    // Live fields and note numbers go out as such, not as the numbers last shown.
    EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 9}}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\chftn{\\footnote")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\titlepg")) << rtf.constData();

    QTextDocument back;
    const TRtfExtras read = LoadRtf(back, rtf);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    ASSERT_EQ(read.areas.headers.size(), 3u);
    ASSERT_EQ(read.areas.footers.size(), 1u);
    for (int page = 1; page <= 3; ++page) {
        const TRtfText* header = read.areas.HeaderFor(page);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(Text(*header), Text(*extras.areas.HeaderFor(page)));
    }
    EXPECT_EQ(RunsWith(read.areas.footers[0].text.Document(), RtfProperty::PageField).size(), 2);
    ASSERT_EQ(read.areas.notes.size(), 2u);
    EXPECT_EQ(Text(read.areas.notes[0]), "1 First note.");
    EXPECT_EQ(Text(read.areas.notes[1]), "* Own mark.");
    EXPECT_EQ(RunsWith(back, RtfProperty::NoteMark).size(), 2);
}
