#include "documents/edit_commands.h"
#include "documents/edit_form.h"
#include "documents_fixture.h"
#include "ui/qt_controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <memory>

namespace {

class EditCommandsTest : public DocumentsTest {
protected:
    template <class C> bool Enabled() {
        C command(app);
        return command.IsEnabled();
    }
    std::vector<std::string> Ids(TDocLogic& doc) {
        std::vector<std::string> ids;
        for (const auto& e : doc.Document().Entries)
            ids.push_back((e->Segment->Kind() == 'T' ? "T" : e->Segment->GetID()) +
                          (e->Numbered ? "#" + std::to_string(e->Number) : ""));
        return ids;
    }
};

TEST_F(EditCommandsTest, EnabledStatesFollowTheSelection) {
    TDocLogic& doc = Document({"Q1", "Q2", "Q3"});
    Click(doc, 0);
    EXPECT_TRUE(Enabled<TCutCmd>() && Enabled<TCopyCmd>() && Enabled<TClearCmd>());
    EXPECT_FALSE(Enabled<TCopyToDocCmd>());
    EXPECT_FALSE(Enabled<TMoveToTopCmd>() || Enabled<TMoveUpCmd>());
    EXPECT_TRUE(Enabled<TMoveDownCmd>() && Enabled<TMoveToBottomCmd>());
    EXPECT_TRUE(Enabled<TToggleNumberedCmd>() && TToggleNumberedCmd(app).IsChecked());
    Click(doc, 2);
    EXPECT_TRUE(Enabled<TMoveToTopCmd>() && Enabled<TMoveUpCmd>());
    EXPECT_FALSE(Enabled<TMoveDownCmd>() || Enabled<TMoveToBottomCmd>());

    // Two entries: only what works on many.
    app.SetSelection({Entry(doc, 0), Entry(doc, 1)}, &doc.EntryList());
    EXPECT_TRUE(Enabled<TCutCmd>() && Enabled<TCopyCmd>() && Enabled<TClearCmd>());
    EXPECT_FALSE(Enabled<TMoveUpCmd>() || Enabled<TMoveDownCmd>() || Enabled<TToggleNumberedCmd>());
    TEditForm editor(app);
    EXPECT_FALSE(TEditTextCmd(app, editor).IsEnabled());

    // A selection in the finder's list is not in the document.
    app.SelectItem(Seg("Q1"), app.SelectorList(), true);
    EXPECT_FALSE(Enabled<TCutCmd>() || Enabled<TClearCmd>());
    EXPECT_TRUE(Enabled<TCopyToDocCmd>() && Enabled<TCopyCmd>());
    EXPECT_FALSE(Enabled<TMoveUpCmd>() || Enabled<TToggleNumberedCmd>());

    // Select All in an empty document selects nothing to copy or remove.
    TDocLogic& empty = Document({});
    app.SetCurrentList(&empty.EntryList(), -1);
    ASSERT_TRUE(Enabled<TSelectAllCmd>());
    TCommand::Run<TSelectAllCmd>(app);
    EXPECT_TRUE(app.Selection().empty());
    EXPECT_FALSE(Enabled<TCopyCmd>() || Enabled<TCutCmd>() || Enabled<TClearCmd>());
    EXPECT_FALSE(Enabled<TPasteCmd>());
}

TEST_F(EditCommandsTest, PasteAsksAboutDuplicatesOnlyForLibraryTexts) {
    TDocLogic& doc = Document({"Q1"});
    doc.InsertTextEntry(-1, "Typed", false, MakeChunk({"{\\rtf1 x}"}), 0, 0);
    app.SetSelection({Entry(doc, 0), Entry(doc, 1)}, &doc.EntryList());
    TCommand::Run<TCopyCmd>(app);

    prompts.answers = {TAnswer::No};
    TCommand::Run<TPasteCmd>(app);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "Untitled already contains Q1. Do you want to include it again?");
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q1#1", "T", "T"}));

    // Another document that holds neither asks nothing.
    TDocLogic& other = Document({"Q2"});
    TCommand::Run<TPasteCmd>(app);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(Ids(other), (std::vector<std::string>{"Q2#1", "Q1#2", "T"}));
}

TEST_F(EditCommandsTest, CutThenPasteMovesEntriesToTheEndAndTheClipboardOutlivesTheirDocument) {
    TDocLogic& doc = Document({"Q1", "Q2", "Q3"});
    Click(doc, 0);
    TCommand::Run<TCutCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q2#1", "Q3#2"}));
    EXPECT_TRUE(app.Selection().empty());
    EXPECT_EQ(app.CurrentIndex(), -1);
    EXPECT_TRUE(doc.Modified());
    TCommand::Run<TPasteCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q2#1", "Q3#2", "Q1#3"}));

    Click(doc, 1);
    TCommand::Run<TClearCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q2#1", "Q1#2"}));
    app.CloseDocument(doc);
    TDocLogic& next = Document({});
    TCommand::Run<TPasteCmd>(app);
    EXPECT_EQ(Ids(next), (std::vector<std::string>{"Q1#1"}));
}

TEST_F(EditCommandsTest, MovesKeepTheMovedEntrySelected) {
    TDocLogic& doc = Document({"Q1", "Q2", "Q3"});
    Click(doc, 0);
    TDocContent* moved = Entry(doc, 0);
    TCommand::Run<TMoveDownCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q2#1", "Q1#2", "Q3#3"}));
    TCommand::Run<TMoveToBottomCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q2#1", "Q3#2", "Q1#3"}));
    EXPECT_EQ(app.CurrentIndex(), 2);
    EXPECT_EQ(app.SelectedItem(), moved);
    TCommand::Run<TMoveUpCmd>(app);
    TCommand::Run<TMoveToTopCmd>(app);
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q1#1", "Q2#2", "Q3#3"}));
    EXPECT_EQ(app.CurrentIndex(), 0);
    EXPECT_EQ(app.SelectedItem(), moved);
}

TEST_F(EditCommandsTest, ShowNumberMarkFollowsTheEntryNotTheClick) {
    TDocLogic& doc = Document({"Q1", "Q2"});
    Click(doc, 1);
    QAction action(QStringLiteral("Show &Number"));
    action.setCheckable(true);
    TActionControl control(&action);
    auto command = MakeCommand<TToggleNumberedCmd>(&control, nullptr, app);
    EXPECT_TRUE(action.isChecked());
    action.trigger();
    EXPECT_FALSE(action.isChecked());
    EXPECT_EQ(Ids(doc), (std::vector<std::string>{"Q1#1", "Q2"}));
    Click(doc, 0);
    EXPECT_TRUE(action.isChecked());
    // Nothing current: the item is greyed and unchecked, whatever a click did before.
    app.SetSelection({}, nullptr);
    EXPECT_FALSE(action.isEnabled());
    EXPECT_FALSE(action.isChecked());
}

TEST_F(EditCommandsTest, EditingALibraryTextAsksThenEditsACopy) {
    TDocLogic& doc = Document({"Q1", "Q2"});
    Click(doc, 1);
    TEditForm editor(app);
    prompts.answers = {TAnswer::No};
    TCommand::Run<TEditTextCmd>(app, editor);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "The selected item cannot be edited, but you can make a copy and "
                                "edit that. Would you like to make a copy?");
    EXPECT_FALSE(doc.Modified());

    prompts.answers = {TAnswer::Yes};
    bool shown = false;
    QTimer::singleShot(0, &editor, [&] {
        shown = editor.isVisible();
        editor.DescriptionE->setText(QStringLiteral("My copy"));
        editor.MarkNE->setText(QStringLiteral("7"));
        editor.accept();
    });
    TCommand::Run<TEditTextCmd>(app, editor);
    EXPECT_TRUE(shown);
    auto* copy = dynamic_cast<TOwningDocContent*>(Entry(doc, 1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Text()->GetTitle(), "My copy");
    EXPECT_EQ(copy->Text()->Marks, 7);
    EXPECT_EQ(copy->Text()->Identity, Seg("Q2")->Identity);
    EXPECT_EQ(Seg("Q2")->Marks, 5);
    EXPECT_EQ(app.SelectedItem(), copy);
    EXPECT_EQ(app.SelectionSource(), &doc.EntryList());

    // An own text is edited without asking.
    QTimer::singleShot(0, &editor, [&] { editor.reject(); });
    TCommand::Run<TEditTextCmd>(app, editor);
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(app.SelectedItem(), copy);
}

} // namespace
