#include "doc_window_fixture.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>

namespace {

std::vector<TDocContent*> Entries(TDocLogic& doc) {
    std::vector<TDocContent*> v;
    for (auto& e : doc.Document().Entries)
        v.push_back(e.get());
    return v;
}

std::vector<int> SelectedRows(TDocForm& form) {
    std::vector<int> rows;
    for (const QModelIndex& i : form.List()->selectionModel()->selectedIndexes())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ClickRows(TDocForm& form, std::initializer_list<int> rows) {
    QItemSelectionModel* s = form.List()->selectionModel();
    s->clear();
    for (int row : rows)
        s->select(form.Model()->index(row), QItemSelectionModel::Select);
    s->setCurrentIndex(form.Model()->index(*rows.begin()), QItemSelectionModel::NoUpdate);
}

} // namespace

TEST_F(DocWindowTest, RowsFollowInsertRemoveAndMoveKeepingTheOthersAndTheirSelection) {
    TDocLogic& doc = Document(1, 10);
    TDocForm* form = Window(doc);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Untitled");
    EXPECT_EQ(form->size(), QSize(300, 250));
    EXPECT_EQ(form->Model()->Rows(), Entries(doc));

    ClickRows(*form, {5});
    EXPECT_EQ(app.SelectionSource(), &doc.EntryList());
    EXPECT_EQ(app.CurrentIndex(), 5);
    TDocContent* picked = doc.Document().Entries[5].get();
    QPersistentModelIndex untouched(form->Model()->index(8));

    doc.InsertEntries({Seg(11)}, 3);
    EXPECT_EQ(form->Model()->Rows(), Entries(doc));
    EXPECT_EQ(untouched.row(), 9); // moved down, not rebuilt
    EXPECT_EQ(SelectedRows(*form), std::vector<int>{6});

    doc.RemoveEntries({doc.Document().Entries[0].get(), doc.Document().Entries[2].get()});
    EXPECT_EQ(form->Model()->Rows(), Entries(doc));
    EXPECT_EQ(untouched.row(), 7);
    EXPECT_EQ(SelectedRows(*form), std::vector<int>{4});

    doc.MoveEntry(4, 0);
    app.SetCurrentList(&doc.EntryList(), 0);
    app.NotifySelection();
    EXPECT_EQ(form->Model()->Rows(), Entries(doc));
    EXPECT_EQ(SelectedRows(*form), std::vector<int>{0});
    EXPECT_EQ(app.Selection(), std::vector<TListItem>{picked});

    doc.RemoveEntries(Entries(doc));
    EXPECT_EQ(form->Model()->rowCount(), 0);

    // A selection from elsewhere clears the window's.
    doc.InsertEntries({Seg(1), Seg(2)}, -1);
    ClickRows(*form, {0, 1});
    EXPECT_EQ(app.Selection().size(), 2u);
    app.SelectItem(Seg(3), nullptr, true);
    EXPECT_TRUE(SelectedRows(*form).empty());
}

TEST_F(DocWindowTest, RowsShowTheNumberInNavyWithTheIdentifierAndTitle) {
    TDocLogic& doc = Document(1, 2);
    doc.ToggleNumbered(1);
    TDocForm* form = Window(doc);
    EXPECT_EQ(form->Model()->index(0).data(Qt::AccessibleTextRole).toString(), "1  Q1  Question 1");
    EXPECT_EQ(form->Model()->index(0).data(Qt::AccessibleDescriptionRole).toString(),
              "2 marks, 3 min");
    EXPECT_EQ(form->Model()->index(1).data(Qt::AccessibleTextRole).toString(), "Q2  Question 2");

    workspace.show();
    const QImage shot = form->List()->viewport()->grab().toImage();
    // The number, navy, in the 13 pixels by which a numbered entry's text moves right.
    bool navy = false;
    for (int y = 4; y < 20; ++y)
        for (int x = 2; x < 15; ++x) {
            const QColor c = shot.pixelColor(x, y);
            navy |= c.blue() > 90 && c.red() < 60 && c.green() < 60;
        }
    EXPECT_TRUE(navy);
    int same = 0;
    for (int y = 3; y < 28; ++y)
        for (int x = 2; x < 30; ++x)
            same += shot.pixelColor(x + 13, y) == shot.pixelColor(x, y + 33);
    EXPECT_GT(same, 25 * 28 * 9 / 10); // the kind icon and identifier, 13 pixels apart
}

TEST_F(DocWindowTest, DropsMoveOneEntryOrAddTheSelectionBeforeTheRowUnderThePointer) {
    TDocLogic& doc = Document(1, 4);
    TDocForm* form = Window(doc);
    TDocListView* list = form->List();

    ClickRows(*form, {0, 1});
    EXPECT_FALSE(list->CanDrop(true)); // two entries cannot be dragged
    ClickRows(*form, {1});
    ASSERT_TRUE(list->CanDrop(true));
    TDocContent* moved = doc.Document().Entries[1].get();
    list->Dropped(true, -1); // below the last row
    EXPECT_EQ(doc.Document().Entries.back().get(), moved);
    EXPECT_EQ(SelectedRows(*form), std::vector<int>{3});

    // Three questions from another list onto the second row; Q2 is there already.
    app.SetSelection({Seg(9), Seg(2), Seg(10)}, nullptr);
    ASSERT_TRUE(list->CanDrop(false));
    prompts.answers = {TAnswer::Yes};
    list->Dropped(false, 1);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], "Untitled already contains Q2. Do you want to include it again?");
    const auto& e = doc.Document().Entries;
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[1]->Segment, Seg(9));
    EXPECT_EQ(e[2]->Segment, Seg(2));
    EXPECT_EQ(e[3]->Segment, Seg(10));
    EXPECT_EQ(form->Model()->Rows(), Entries(doc));
}

TEST_F(DocWindowTest, TheWindowFollowsItsDocumentsNameAndGoesWithIt) {
    TDocLogic& doc = Document(1, 2);
    TDocForm* form = Window(doc);
    QPointer<TDocForm> watch(form);
    app.SetCurrentDoc(&doc);
    dialogs.names = {Path("named.vqd")};
    TCommand::Run<TSaveAsCmd>(app, dialogs);
    EXPECT_EQ(form->windowTitle(), "named.vqd");

    // The close box asks first; Cancel keeps it, No closes it.
    doc.ToggleNumbered(0);
    prompts.answers = {TAnswer::Cancel, TAnswer::No};
    form->close();
    EXPECT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(prompts.asked.back(), SavePrompt("named.vqd"));
    form->close();
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_TRUE(form->isHidden());
    EXPECT_EQ(form->Model()->rowCount(), 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}
