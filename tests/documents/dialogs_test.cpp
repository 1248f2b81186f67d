#include "documents/edit_form.h"
#include "documents/edit_toolbar.h"
#include "documents/rtf_fragments.h"
#include "documents/section_form.h"
#include "documents/title_form.h"
#include "documents_fixture.h"
#include "output/richtext/end_marks.h"
#include "output/richtext/rich_text_control.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

namespace {

class DialogsTest : public DocumentsTest {
protected:
    std::string TextOf(TDocContent* entry) { return entry->Segment->Chunk->GetLines().at(0); }
};

TEST_F(DialogsTest, TitleDialogTotalsTheDocumentAndPutsEachNewTitleFirst) {
    TDocLogic& empty = Document({});
    TTitleForm form(app, QStringLiteral("Hill School"));
    form.Prepare();
    EXPECT_EQ(form.TotalMarksE->text(), "0 marks");
    EXPECT_EQ(form.TimeAllowedE->text(), "0 min");
    app.CloseDocument(empty);

    TDocLogic& doc = Document({"Q1", "Q2", "Q3"});
    form.Prepare();
    EXPECT_EQ(form.TotalMarksE->text(), "15 marks");
    EXPECT_EQ(form.TimeAllowedE->text(), "15 min");
    form.TitleE->setText(QStringLiteral("Forces"));
    form.SubtitleE->setText(QStringLiteral("Unit 1"));
    form.DateE->setText(QStringLiteral("June"));
    form.InstructionsE->setText(QStringLiteral("Answer all"));
    form.accept();
    ASSERT_EQ(doc.Document().Entries.size(), 4u);
    EXPECT_EQ(Entry(doc, 0)->Segment->GetTitle(), "Forces");
    EXPECT_FALSE(Entry(doc, 0)->Numbered);
    EXPECT_EQ(TextOf(Entry(doc, 0)),
              "{\\rtf1\\ansi\\ansicpg1252\\uc1 \\deff0{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
              "ROMAN;}}\\par\\pard\\plain\\qc\\sa480\\f0\\fs24 Hill School\\par\\sb240\\sa240"
              "\\ATXbrdr60\\fs52\\b Forces\\par\\pard\\qc\\sb480\\sa288\\ATXbrdr0\\fs36\\b0 Unit 1"
              "\\par\\pard\\qc\\fs32\\b June\\par\\fs28 \\b0 15 min\\par 15 marks\\par\\fs24\\i "
              "Answer all\\par\\pard -\\par\\pard}");

    form.Prepare();
    EXPECT_TRUE(form.TitleE->text().isEmpty());
    form.TitleE->setText(QStringLiteral("Cover"));
    form.FullPageCB->setChecked(true);
    form.accept();
    EXPECT_EQ(Entry(doc, 0)->Segment->GetTitle(), "Cover");
    EXPECT_EQ(Entry(doc, 1)->Segment->GetTitle(), "Forces");
    const std::string full = TextOf(Entry(doc, 0));
    EXPECT_NE(full.find("\\qc\\sb1440\\sa960\\f0\\fs24 \r\nHill School\r\n\\par\\sb480"),
              std::string::npos);
    EXPECT_TRUE(full.ends_with("\\par\\sb0\\pard \\par\\par\\par\\par\\par\\par\\par\\par\\par\\par"
                               "\\par\\par\\par\\par -\\par}"));
}

TEST_F(DialogsTest, SectionDialogAppendsItsHeading) {
    TDocLogic& doc = Document({"Q1"});
    TSectionForm form(app);
    form.Prepare();
    form.SectionTitleE->setText(QStringLiteral("Section B"));
    form.InstructionE->setText(QStringLiteral("Answer two"));
    form.NewPageCB->setChecked(true);
    form.accept();
    ASSERT_EQ(doc.Document().Entries.size(), 2u);
    EXPECT_EQ(Entry(doc, 1)->Segment->GetTitle(), "Section B");
    EXPECT_EQ(TextOf(Entry(doc, 1)),
              "{\\rtf1\\ansi\\ansicpg1252\\uc1 \\deff0{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
              "ROMAN;}}{\\*\\generator TX_RTF32 10.0.321.500;}\\plain\\pard\\qc ~\\par\\sa480\\f0"
              "\\fs32\\b1 \r\nSection B\\par\\plain\\pard\\qc\\sa480\\li1440\\fi1440\\ri1440\\f0"
              "\\fs24\\i1 \r\n\tAnswer two\r\n\\par -\\par}");
    form.Prepare();
    EXPECT_TRUE(form.SectionTitleE->text().isEmpty());
    EXPECT_FALSE(form.NewPageCB->isChecked());
}

TEST_F(DialogsTest, TypedValuesAreEscapedSoThatTheyPrintAsTyped) {
    EXPECT_EQ(EscapeRtfValue(QStringLiteral("Caf\u00e9 \u2013 {a}\\b")),
              "Caf\xe9 \x96 \\{a\\}\\\\b");
    EXPECT_EQ(EscapeRtfValue(QStringLiteral("\u2192 \u03a9")), "\\u8594? \\u937?");
    EXPECT_EQ(EscapeRtfValue(QString::fromUtf16(u"\U0001F600")), "\\u-10179?\\u-8704?");
    EXPECT_EQ(EscapeRtfValue(QString::fromUtf16(u"a\0b", 3)), "ab");
    TSectionValues section{QStringLiteral("{Part}"), QString(), false};
    EXPECT_NE(BuildSectionRtf(section).find("\\b1 \\{Part\\}\\par"), std::string::npos);
    // The organisation is escaped too.
    EXPECT_NE(BuildTitleRtf({}, QStringLiteral("A\\B")).find("\\fs24 A\\\\B\\par"),
              std::string::npos);
}

TEST_F(DialogsTest, EditorKeepsEverythingTypedWhenANumberIsWrong) {
    TDocLogic& doc = Document({"Q1"});
    TEditForm form(app);
    form.PrepareNew();
    form.show();
    EXPECT_EQ(form.MarkNE->text(), "0");
    form.DescriptionE->setText(QStringLiteral("Extra"));
    form.EditATX->SetSelText(QStringLiteral("Describe the motion."));
    form.MarkNE->setText(QStringLiteral("5 marks"));
    form.accept();
    ASSERT_EQ(prompts.informed.size(), 1u);
    EXPECT_EQ(prompts.informed[0], "'5 marks' is not a valid integer value");
    EXPECT_TRUE(form.isVisible());
    form.MarkNE->setText(QStringLiteral("5"));
    form.TimeNE->setText(QStringLiteral("40000"));
    form.accept();
    ASSERT_EQ(prompts.informed.size(), 2u);
    EXPECT_NE(prompts.informed[1].find("Time Allowed"), std::string::npos);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(doc.Document().Entries.size(), 1u);
    EXPECT_EQ(form.EditATX->PlainText(), "Describe the motion.");
    EXPECT_EQ(form.DescriptionE->text(), "Extra");

    form.TimeNE->setText(QStringLiteral(" -3 "));
    form.NumberedCB->setChecked(true);
    form.accept();
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(doc.Document().Entries.size(), 2u);
    TTextSegment* text = Entry(doc, 1)->Segment;
    EXPECT_EQ(text->Marks, 5);
    EXPECT_EQ(text->Time, -3);
    EXPECT_TRUE(Entry(doc, 1)->Numbered);
    EXPECT_EQ(Entry(doc, 1)->Number, 2);
    TRichTextControl check;
    check.LoadRtf(QByteArray::fromStdString(text->Chunk->GetLines().at(0)));
    EXPECT_EQ(check.PlainText(), "Describe the motion.");
}

TEST_F(DialogsTest, EditingAStoredTextShowsAndKeepsItsEndMark) {
    TDocLogic& doc = Document({});
    doc.InsertTextEntry(-1, "Mine", false, MakeChunk({Seg("Q1")->Chunk->GetLines().at(0)}), 2, 3);
    Click(doc, 0);
    TEditForm form(app);
    form.PrepareEdit();
    EXPECT_EQ(form.DescriptionE->text(), "Mine");
    EXPECT_EQ(form.MarkNE->text(), "2");
    EXPECT_EQ(form.TimeNE->text(), "3");
    EXPECT_EQ(FindEndMarks(form.EditATX->Document()).size(), 1u);
    form.accept();
    TRichTextControl check;
    check.LoadRtf(QByteArray::fromStdString(Entry(doc, 0)->Segment->Chunk->GetLines().at(0)));
    EXPECT_EQ(FindEndMarks(check.Document()).size(), 1u);
    EXPECT_EQ(app.SelectedItem(), Entry(doc, 0));
}

TEST_F(DialogsTest, FieldsAreNamedByTheirLabelsAndTheFirstTakesTheFocus) {
    Document({});
    TTitleForm title(app, QString());
    TSectionForm section(app);
    TEditForm editor(app);
    EXPECT_EQ(title.windowTitle(), "Insert Title");
    EXPECT_EQ(section.windowTitle(), "Insert Section Title");
    EXPECT_EQ(editor.windowTitle(), "Text Editor");
    EXPECT_EQ(title.TimeAllowedE->accessibleName(), "Time Allowed");
    EXPECT_EQ(section.SectionTitleE->accessibleName(), "Section Title");
    EXPECT_EQ(editor.MarkNE->accessibleName(), "Mark");
    title.show();
    title.InstructionsE->setFocus();
    title.Prepare();
    EXPECT_EQ(title.focusWidget(), title.TitleE);
    EXPECT_EQ(editor.minimumSize(), QSize(441, 150));
    title.hide();
    editor.show();
    editor.resize(600, 400);
    EXPECT_EQ(editor.EditATX->geometry(), QRect(8, 87, 584, 276));
    editor.hide();
}

TEST_F(DialogsTest, EditorButtonsApplyFormatsAndShowTheFormatAtTheCursor) {
    Document({});
    TEditForm form(app);
    form.PrepareNew();
    TEditToolBar& bar = *form.ToolBar();
    TRichTextControl& text = *form.EditATX;
    EXPECT_EQ(bar.Button("CenterB")->toolTip(), "Centred paragraph");
    bar.Button("BoldB")->click();
    text.SetSelText(QStringLiteral("Bold"));
    EXPECT_TRUE(bar.Button("BoldB")->isChecked());
    bar.Button("BoldB")->click();
    bar.Button("SuperB")->click();
    text.SetSelText(QStringLiteral("2"));
    EXPECT_FALSE(bar.Button("BoldB")->isChecked());
    EXPECT_TRUE(bar.Button("SuperB")->isChecked());
    bar.Button("SubB")->click();
    EXPECT_FALSE(bar.Button("SuperB")->isChecked());
    EXPECT_TRUE(bar.Button("SubB")->isChecked());
    text.SetSelStart(2);
    EXPECT_TRUE(bar.Button("BoldB")->isChecked());
    EXPECT_FALSE(bar.Button("SubB")->isChecked());

    bar.ApplyStyle(TEditToolBar::TStyle::Mark);
    EXPECT_TRUE(bar.Button("RightB")->isChecked());
    EXPECT_FALSE(bar.Button("LeftB")->isChecked());
    bar.ApplyStyle(TEditToolBar::TStyle::Indent2);
    EXPECT_DOUBLE_EQ(text.LeftIndent(), 72.0);
    EXPECT_TRUE(bar.Button("LeftB")->isChecked());
    EXPECT_NE(text.GetRtf().indexOf("\\li1440"), -1);
}

} // namespace

namespace {
TEST_F(DialogsTest, KeyboardReachesTheTextAndItsFormats) {
    Document({});
    TEditForm form(app);
    form.PrepareNew();
    form.show();
    QApplication::setActiveWindow(&form);
    form.NumberedCB->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "Bold");
    EXPECT_EQ(form.EditATX->PlainText(), "Bold");
    form.EditATX->SetSelStart(0);
    form.EditATX->SetSelLength(4);
    EXPECT_EQ(form.EditATX->FontBold(), -1);
    form.hide();
}
} // namespace
