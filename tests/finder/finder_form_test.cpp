#include "app/logic/doc_logic.h"
#include "finder/category_box.h"
#include "finder/finder_form.h"
#include "finder/item_list_view.h"
#include "finder/segment_list_model.h"
#include "finder/sizeable_panel.h"
#include "model/document.h"
#include "model/library.h"
#include "search_fixture.h"
#include "ui/item_drag.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QDrag>
#include <QMimeData>
#include <QTest>

namespace {

// AnswerScript each search with a prepared choice and button.
class ScriptedPicker : public TCategoryPicker {
public:
    TPickResult Execute(TCategory*, const TSet&, TCategory*& choice) override {
        if (result != TPickResult::Cancel) choice = next;
        return result;
    }
    TCategory* next = nullptr;
    TPickResult result = TPickResult::Cancel;
};

class FinderFormTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        host = std::make_unique<FakeHost>();
        form = std::make_unique<TQFForm>(app, manager, *host, picker);
        host->frame.show();
        manager.Show();
    }
    void TearDown() override {
        form.reset();
        host.reset();
    }

    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < form->ListModel()->rowCount(); ++i)
            rows << form->ListModel()->index(i).data(Qt::AccessibleTextRole).toString();
        return rows;
    }
    QList<int> Highlighted() const { return form->List()->HighlightedRows(); }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        TItemListView* list = form->List();
        const QRect r = list->visualRect(form->ListModel()->index(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, r.center());
    }
    void Search(TDimension d, TCategory* choice, TPickResult result) {
        picker.next = choice;
        picker.result = result;
        QTest::mouseClick(form->SearchButton(d), Qt::LeftButton);
    }
    std::vector<TListItem> Items(std::initializer_list<int> numbers) const {
        std::vector<TListItem> items;
        for (int n : numbers)
            items.push_back(questions[static_cast<std::size_t>(n - 1)]);
        return items;
    }

    std::unique_ptr<FakeHost> host;
    ScriptedPicker picker;
    std::unique_ptr<TQFForm> form;
};

} // namespace

TEST_F(FinderFormTest, StartAndContinueSearchNarrowAndRestartTheList) {
    EXPECT_EQ(Rows(),
              QStringList({"1  Question 1", "2  Question 2", "3  Question 3", "4  Question 4"}));
    EXPECT_EQ(form->SearchButton(TDimension::Paper), nullptr); // the library has no papers
    EXPECT_EQ(form->CategoryBox(TDimension::Paper)->ChoiceText(), "");

    // Enter on a row's button opens its picker, as a click does.
    picker.next = physics;
    picker.result = TPickResult::StartSearch;
    QTest::keyClick(form->SearchButton(TDimension::Topic), Qt::Key_Return);
    EXPECT_EQ(Rows(), QStringList({"1  Question 1", "2  Question 2", "4  Question 4"}));
    EXPECT_EQ(form->CategoryBox(TDimension::Topic)->accessibleDescription(), "Physics");
    Search(TDimension::Level, l2, TPickResult::ContinueSearch);
    EXPECT_EQ(Rows(), QStringList({"2  Question 2", "4  Question 4"}));
    // A new result selects its first question.
    EXPECT_EQ(Highlighted(), QList<int>({0}));
    EXPECT_EQ(app.Selection(), Items({2}));

    Search(TDimension::Level, l1, TPickResult::Cancel);
    EXPECT_EQ(Rows().size(), 2);
    // Start Search forgets every other choice.
    Search(TDimension::Level, l1, TPickResult::StartSearch);
    EXPECT_EQ(Rows(), QStringList({"1  Question 1", "3  Question 3"}));
    EXPECT_EQ(form->CategoryBox(TDimension::Topic)->ChoiceText(), "Topics");
    Search(TDimension::Topic, energy, TPickResult::ContinueSearch);
    EXPECT_TRUE(Rows().isEmpty());
    EXPECT_TRUE(app.Selection().empty());
}

TEST_F(FinderFormTest, ClickedRowsBecomeTheSelectionAndFollowItBack) {
    Click(1);
    EXPECT_EQ(app.Selection(), Items({2}));
    EXPECT_EQ(app.CurrentIndex(), 1);
    Click(3, Qt::ControlModifier);
    EXPECT_EQ(app.Selection(), Items({2, 4}));
    EXPECT_EQ(app.SelectionSource(), app.SelectorList());
    EXPECT_EQ(app.CurrentIndex(), 3);
    QTest::keyClick(form->List(), Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(form->List(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(app.Selection(), Items({2, 3, 4}));

    // A selection from another list clears the rows; one from this list marks them.
    TVectorItemList<TQuestion> other(questions);
    app.SelectItem(questions[0], &other, true);
    EXPECT_TRUE(Highlighted().isEmpty());
    app.SetSelection(Items({1, 3}), app.SelectorList());
    EXPECT_EQ(Highlighted(), QList<int>({0, 2}));
}

TEST_F(FinderFormTest, PressAndMoveDragsTheApplicationsSelection) {
    Click(0);
    Click(2, Qt::ControlModifier);
    QWidget* viewport = form->List()->viewport();
    const QPoint from = form->List()->visualRect(form->ListModel()->index(2)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    // The test platform ends a drag at once; its object stays until the event loop runs.
    QDrag* drag = nullptr;
    for (int dy = 4; dy <= 40 && !drag; dy += 12) {
        QTest::mouseMove(viewport, from + QPoint(0, dy));
        drag = form->List()->findChild<QDrag*>();
    }
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->mimeData()->data(QString::fromLatin1(kItemMimeType)), QByteArray("Q1\nQ3"));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, from + QPoint(0, 40));
    EXPECT_EQ(app.Selection(), Items({1, 3}));
}

TEST_F(FinderFormTest, DockingAndUndockingKeepTheRowsAndTheDockedWidth) {
    Click(0);
    Click(2, Qt::ControlModifier);
    manager.SetDocked(true);
    QDockWidget* dock = form->DockWidget();
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(form->Panel()->IsDocked());
    EXPECT_EQ(host->frame.dockWidgetArea(dock), Qt::RightDockWidgetArea);
    EXPECT_TRUE(form->isHidden());
    EXPECT_EQ(Highlighted(), QList<int>({0, 2}));

    host->frame.resizeDocks({dock}, {100}, Qt::Horizontal);
    QApplication::processEvents();
    EXPECT_EQ(form->Panel()->width(), 313); // no narrower than its minimum
    host->frame.resizeDocks({dock}, {400}, Qt::Horizontal);
    QApplication::processEvents();
    const int width = form->Panel()->width();
    EXPECT_GT(width, 313);
    manager.SetDocked(false);
    EXPECT_FALSE(form->Panel()->IsDocked());
    EXPECT_FALSE(form->isHidden());
    EXPECT_EQ(form->DockedWidth(), width);
    EXPECT_EQ(Highlighted(), QList<int>({0, 2}));

    manager.SetDocked(true);
    QApplication::processEvents();
    EXPECT_EQ(form->Panel()->width(), width);
    // Pulling the dock off the edge takes the finder back into its own window.
    dock->setFloating(true);
    QApplication::processEvents();
    EXPECT_FALSE(manager.Docked());
    EXPECT_FALSE(form->Panel()->IsDocked());
    EXPECT_EQ(app.Selection(), Items({1, 3}));

    // Closing its window only minimises it; it is still there to come back.
    form->close();
    EXPECT_TRUE(form->isMinimized());
    EXPECT_FALSE(form->isHidden());
    EXPECT_TRUE(manager.Visible());
}

TEST_F(FinderFormTest, AResourceIsOfferedOnceUntilTheListIsEmptied) {
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    Click(0);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0],
              "This question requires a resource.  Would you like to add this to the document?");
    Click(3); // the same resource: not asked again
    Click(1); // no resource
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(doc.Document().Entries.empty());

    host->offered.clear(); // as New and Open do
    prompts.answers.push_back(TAnswer::Yes);
    Click(3);
    EXPECT_EQ(prompts.asked.size(), 2u);
    ASSERT_EQ(doc.Document().Entries.size(), 1u);
    EXPECT_EQ(app.Selection(), Items({4}));
}
