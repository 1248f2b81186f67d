#include "output/richtext/rich_text_control.h"
#include "output/richtext/rich_text_edit.h"
#include "output/rtf/rtf_types.h"

#include "test_application.h"

#include <QDir>
#include <QFile>
#include <QFontDialog>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>

#include <gtest/gtest.h>

#include <climits>

namespace {
class RichTextControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        control = std::make_unique<TRichTextControl>();
    }
    void Type(const QString& text) {
        control->SetSelStart(-1);
        control->SetSelText(text);
    }
    void Select(int start, int length) {
        control->SetSelStart(start);
        control->SetSelLength(length);
    }
    std::unique_ptr<TRichTextControl> control;
};

const QByteArray kTableRtf = "{\\rtf1\\ansi before-\\par"
                             "\\trowd\\cellx2000\\cellx4000\\intbl one\\cell two-\\cell\\row"
                             "\\pard after\\par}";
} // namespace

TEST_F(RichTextControlTest, SelectionStartAndLengthRules) {
    Type("Hello\nworld");
    EXPECT_EQ(control->PlainText(), "Hello\nworld");
    EXPECT_EQ(control->EndPosition(), 11);

    control->SetSelStart(-1);
    EXPECT_EQ(control->SelStart(), 11);
    control->SetSelStart(500);
    EXPECT_EQ(control->SelStart(), 11);

    Select(2, 3);
    EXPECT_EQ(control->SelStart(), 2);
    EXPECT_EQ(control->SelLength(), 3);
    EXPECT_EQ(control->SelText(), "llo");
    // A selection running over the paragraph end counts it as one position.
    control->SetSelLength(-1);
    EXPECT_EQ(control->SelText(), "llo\nworld");
    control->SetSelLength(100);
    EXPECT_EQ(control->SelLength(), 9);
    control->SetSelLength(INT_MAX); // no overflow past the end
    EXPECT_EQ(control->SelLength(), 9);
    // Setting the start collapses the selection.
    control->SetSelStart(3);
    EXPECT_EQ(control->SelLength(), 0);
}

TEST_F(RichTextControlTest, SelTextInsertsReplacesAndDeletes) {
    Type("Hello\nworld");
    control->SetSelStart(5);
    control->SetSelText(", dear");
    EXPECT_EQ(control->PlainText(), "Hello, dear\nworld");
    EXPECT_EQ(control->SelStart(), 11);

    Select(5, 6);
    control->SetSelText(QString());
    EXPECT_EQ(control->PlainText(), "Hello\nworld");

    // Removing the two characters of an end mark joins nothing but the mark.
    Type("\n-\n");
    Type("next");
    const int mark = control->Find("-\n", 0);
    ASSERT_EQ(mark, 12);
    Select(mark, 2);
    control->SetSelText(QString());
    EXPECT_EQ(control->PlainText(), "Hello\nworld\nnext");

    // Control characters become structure: paragraphs, a page break, a line break.
    control->SetSelStart(5);
    control->SetSelText("\fX\vY");
    EXPECT_EQ(control->PlainText(), "Hello\nX\vY\nworld\nnext");
    const QTextBlock broken = control->Document().findBlock(6);
    EXPECT_TRUE(broken.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_FALSE(broken.next().blockFormat().pageBreakPolicy() &
                 QTextFormat::PageBreak_AlwaysBefore);
}

TEST_F(RichTextControlTest, FindReturnsTheFirstMatchAtOrAfterTheStart) {
    Type("a\n-\nb-\nb");
    EXPECT_EQ(control->Find("-\n", 0), 2);
    EXPECT_EQ(control->Find("-\n", 2), 2);
    EXPECT_EQ(control->Find("-\n", 3), 5);
    EXPECT_EQ(control->Find("-\n", 6), -1);
    EXPECT_EQ(control->Find("b", -7), 4);
    EXPECT_EQ(control->Find("B", 0), -1);
    EXPECT_EQ(control->Find("B", 0, Qt::CaseInsensitive), 4);
    EXPECT_EQ(control->Find("", 0), -1);
    EXPECT_EQ(control->Find("b", 100), -1);
}

// Tables and line breaks keep one character per position, so a position found in
// the plain text is the document position of that character.
TEST_F(RichTextControlTest, PlainTextPositionsAreDocumentPositions) {
    control->LoadRtf(kTableRtf);
    const QString text = control->PlainText();
    ASSERT_EQ(text.size(), control->EndPosition());
    const QTextDocument& doc = control->Document();
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = doc.characterAt(i);
        if (text[i] != QLatin1Char('\n')) {
            EXPECT_EQ(c, text[i]) << i;
        }
    }
    for (const char* word : {"before-", "one", "two-", "after"}) {
        const int at = control->Find(word, 0);
        ASSERT_GE(at, 0) << word;
        EXPECT_EQ(doc.characterAt(at), QLatin1Char(word[0]));
    }
    // The cell text and the paragraph before the table each end in "-\n".
    EXPECT_EQ(text.count("-\n"), 2);
}

TEST_F(RichTextControlTest, CharacterFormatOfTheSelection) {
    Type("Hello\nworld");
    Select(0, 5);
    EXPECT_EQ(control->FontBold(), 0);
    control->SetFontBold(-1);
    EXPECT_EQ(control->FontBold(), -1);
    control->SetFontItalic(1);
    control->SetFontSize(9);
    EXPECT_EQ(control->FontItalic(), -1);
    EXPECT_DOUBLE_EQ(control->FontSize(), 9);

    // A selection that is only partly bold reads as not bold, mixed sizes as 0.
    control->SetSelStart(0);
    control->SetSelLength(-1);
    EXPECT_EQ(control->FontBold(), 0);
    EXPECT_EQ(control->FontSize(), 0);

    Select(0, 5);
    control->SetFontBold(0);
    EXPECT_EQ(control->FontBold(), 0);

    // With nothing selected, the format applies to what is typed next.
    control->SetSelStart(-1);
    control->SetFontBold(1);
    control->SetSelText("!");
    Select(11, 1);
    EXPECT_EQ(control->SelText(), "!");
    EXPECT_EQ(control->FontBold(), -1);
}

TEST_F(RichTextControlTest, ParagraphSpacingOfTheInputParagraph) {
    Type("one\ntwo");
    control->SetSelStart(5);
    EXPECT_EQ(control->LineSpacing(), 100);
    control->SetSpaceBefore(12);
    control->SetSpaceAfter(6);
    control->SetLineSpacing(150);
    EXPECT_NEAR(control->SpaceBefore(), 12, 1e-9);
    EXPECT_NEAR(control->SpaceAfter(), 6, 1e-9);
    EXPECT_EQ(control->LineSpacing(), 150);
    control->SetLineSpacing(0);
    EXPECT_EQ(control->LineSpacing(), 100);
    // The first paragraph is untouched.
    control->SetSelStart(0);
    EXPECT_EQ(control->SpaceBefore(), 0);
}

TEST_F(RichTextControlTest, LoadRtfFillsAnEmptyControlAndInsertsAtTheSelection) {
    control->LoadRtf("{\\rtf1\\ansi {\\b Bold} text\\par}");
    const QString whole = control->PlainText();
    EXPECT_TRUE(whole.startsWith("Bold text")) << whole.toStdString();
    Select(0, 4);
    EXPECT_EQ(control->FontBold(), -1);

    control->SetSelStart(-1);
    control->LoadRtf("{\\rtf1\\ansi second\\par}");
    EXPECT_TRUE(control->PlainText().startsWith(whole + "second"))
        << control->PlainText().toStdString();

    // A selection is replaced by what is loaded.
    Select(5, 4);
    control->LoadRtf("{\\rtf1\\ansi words}");
    EXPECT_TRUE(control->PlainText().startsWith("Bold words\n"))
        << control->PlainText().toStdString();
}

// A loaded file keeps the control on its own page until asked for the file's.
TEST_F(RichTextControlTest, TheDocumentsPageIsUsedOnlyWhenAskedFor) {
    const TRtfPage own = control->Page();
    control->LoadRtf("{\\rtf1\\paperw12240\\paperh15840 text\\par}");
    EXPECT_EQ(control->Page().width, own.width);
    control->SetPage(control->DocumentPage());
    EXPECT_EQ(control->PageSizeInches(), QSizeF(8.5, 11));
}

TEST_F(RichTextControlTest, GetRtfCarriesTextFormatAndFooter) {
    Type("Plain and bold \u00e9\u03b1");
    Select(10, 4);
    control->SetFontBold(1);
    control->SetStandardFooter("Northfield School");
    const QByteArray rtf = control->GetRtf();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    for (char c : rtf)
        EXPECT_EQ(static_cast<unsigned char>(c) & 0x80, 0) << "8-bit byte in " << rtf.toStdString();

    TRichTextControl copy;
    copy.LoadRtf(rtf);
    EXPECT_TRUE(copy.PlainText().startsWith("Plain and bold \u00e9\u03b1"));
    copy.SetSelStart(10);
    copy.SetSelLength(4);
    EXPECT_EQ(copy.FontBold(), -1);
    ASSERT_TRUE(copy.Footer().present);
    EXPECT_EQ(copy.Footer().text, "Northfield School\t");
    EXPECT_EQ(copy.Footer().pageNumberAt, 18);

    // A control that has a footer keeps its own.
    TRichTextControl own;
    own.SetStandardFooter("Mine");
    own.LoadRtf(rtf);
    EXPECT_EQ(own.Footer().text, "Mine\t");
}

TEST_F(RichTextControlTest, ClearEmptiesTextAndFooter) {
    control->SetStandardFooter("Org");
    Type("text");
    control->Clear();
    EXPECT_TRUE(control->IsEmpty());
    EXPECT_EQ(control->PlainText(), "");
    EXPECT_FALSE(control->Footer().present);
    EXPECT_EQ(control->EndPosition(), 0);
}

TEST_F(RichTextControlTest, SaveToFileWritesRtfAndReportsFailure) {
    Type("saved text");
    QTemporaryDir dir;
    const QString path = dir.filePath("out.rtf");
    QString error;
    ASSERT_TRUE(control->SaveToFile(path, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), control->GetRtf());

    EXPECT_FALSE(control->SaveToFile(dir.filePath("missing/out.rtf"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(RichTextControlTest, F2OpensTheFontDialog) {
    Type("text");
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            sawDialog = true;
            dialog->reject();
        }
    });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&control->Editor(), &press);
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(control->PlainText(), "text");
}

// Enter at the end of a section's first paragraph starts no second section.
TEST_F(RichTextControlTest, EnterLeavesTheSectionMarkOnTheFirstParagraph) {
    control->LoadRtf("{\\rtf1\\ansi Heading\\sect\\sectd\\sbknone\\cols2 A\\par B\\par}");
    const int a = control->Find(QStringLiteral("A"), 0);
    control->SetSelStart(a + 1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&control->Editor(), &enter);
    const QTextBlock first = control->Document().findBlock(a);
    ASSERT_TRUE(first.next().isValid());
    EXPECT_EQ(first.blockFormat().intProperty(RtfProperty::SectionColumns), 2);
    EXPECT_FALSE(first.next().blockFormat().hasProperty(RtfProperty::SectionBreak));
    EXPECT_FALSE(first.next().blockFormat().hasProperty(RtfProperty::SectionColumns));
}

// The title texts' paragraph border shows on screen as it prints.
TEST_F(RichTextControlTest, TheEditorDrawsParagraphBorders) {
    auto ink = [](const QByteArray& rtf) {
        TRichTextControl shown;
        shown.resize(400, 120);
        shown.LoadRtf(rtf);
        const QImage image = shown.Editor().viewport()->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const int plain = ink("{\\rtf1\\ansi\\pard\\qc Title\\par}");
    const int boxed = ink("{\\rtf1\\ansi\\pard\\qc\\ATXbrdr60 Title\\par}");
    EXPECT_GT(plain, 0);
    EXPECT_GT(boxed, plain + 200) << "plain " << plain << ", boxed " << boxed;
}
