#include "model/document.h"
#include "model/text_store.h"
#include "output/print/document_assembly.h"
#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_types.h"

#include "../richtext/test_application.h"

#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <string>

namespace {

// A stored text of `lines` paragraphs "<name> line <i>", closed by the end mark.
std::unique_ptr<TTextChunk> Text(const std::string& name, int lines, bool endMark = true) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc0 \\deff0{\\fonttbl{\\f0\\froman\\fcharset0 "
                      "TIMES NEW ROMAN;}}\\pard\\plain\\f0\\fs24 ";
    for (int i = 1; i <= lines; ++i)
        rtf += name + " line " + std::to_string(i) + "\\par ";
    if (endMark) rtf += "-\\par ";
    return MakeChunk({rtf + "}"});
}

void Add(TDocument& doc, const std::string& name, int lines, bool numbered, int marks = 5) {
    doc.InsertTextEntry(-1, name, numbered, Text(name, lines), std::int16_t(marks), 0);
}

struct Assembled {
    TRichTextControl control;
    int PageOf(const QString& text) const {
        const int at = control.Find(text, 0);
        EXPECT_GE(at, 0) << text.toStdString();
        return control.PageOfPosition(at);
    }
};

} // namespace

TEST(DocumentAssembly, NumbersInBoldBeforeNumberedTextsFooterAndNoEndMark) {
    EnsureApplication();
    TDocument doc;
    Add(doc, "Title", 1, false, 0);
    Add(doc, "Alpha", 2, true);
    Add(doc, "Beta", 1, true);
    Assembled a;
    AssembleDocument(a.control, doc, QStringLiteral("Hillside School"));

    EXPECT_EQ(a.control.Footer().text, QStringLiteral("Hillside School\t"));
    EXPECT_EQ(a.control.PlainText(), QStringLiteral("Title line 1\n1.Alpha line 1\nAlpha line 2\n"
                                                    "2.Beta line 1\n"));
    a.control.SetSelStart(a.control.Find(QStringLiteral("1.Alpha"), 0));
    a.control.SetSelLength(2);
    EXPECT_EQ(a.control.FontBold(), -1);
    a.control.SetSelStart(a.control.Find(QStringLiteral("Alpha"), 0));
    a.control.SetSelLength(5);
    EXPECT_EQ(a.control.FontBold(), 0);
}

TEST(DocumentAssembly, TextsStayWholeOnAPageAndHeadingsGoWithTheirQuestion) {
    EnsureApplication();
    TDocument doc;
    Add(doc, "First", 30, true);
    Add(doc, "Moved", 25, true); // does not fit below First
    Add(doc, "Long", 130, true); // longer than two pages
    Add(doc, "Section", 1, false, 0);
    Add(doc, "Headed", 30, true);
    Assembled a;
    AssembleDocument(a.control, doc, QStringLiteral("Org"));

    EXPECT_EQ(a.PageOf("First line 1"), 1);
    EXPECT_EQ(a.PageOf("Moved line 1"), 2);
    EXPECT_EQ(a.PageOf("Moved line 25"), 2);
    EXPECT_EQ(a.PageOf("Long line 1"), 3);
    EXPECT_EQ(a.PageOf("Long line 130"), 5);
    const int headed = a.PageOf("Headed line 1");
    EXPECT_EQ(a.PageOf("Headed line 30"), headed);
    EXPECT_EQ(a.PageOf("Section line 1"), headed);
    EXPECT_EQ(headed, 6);
}

TEST(DocumentAssembly, AFirstTextLongerThanAPageStartsOnPageOne) {
    EnsureApplication();
    TDocument doc;
    Add(doc, "Long", 110, false);
    Assembled a;
    AssembleDocument(a.control, doc, QStringLiteral("Org"));
    EXPECT_EQ(a.PageOf("Long line 1"), 1);
    EXPECT_EQ(a.control.PageCount(), a.PageOf("Long line 110"));
}

TEST(DocumentAssembly, ATextInTwoColumnsDoesNotPutTheNextTextInColumns) {
    EnsureApplication();
    TDocument doc;
    doc.InsertTextEntry(
        -1, "Choices", true,
        MakeChunk(
            {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\pard\\plain\\fs24 "
             "Heading\\sect\\sectd\\sbknone\\cols2\\pard\\plain\\fs24 A\\par B\\par -\\par }"}),
        5, 0);
    Add(doc, "After", 1, true);
    Assembled a;
    AssembleDocument(a.control, doc, QStringLiteral("Org"));

    const QTextBlock after =
        a.control.Document().findBlock(a.control.Find(QStringLiteral("After line 1"), 0));
    EXPECT_EQ(after.blockFormat().intProperty(RtfProperty::SectionColumns), 1);
}
