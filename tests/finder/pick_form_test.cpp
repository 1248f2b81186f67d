#include "finder/pick_form.h"
#include "finder/pick_model.h"
#include "framework/collections.h"
#include "model/library.h"
#include "search_fixture.h"

#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

class PickFormTest : public SearchTest {
protected:
    QStringList Rows() const {
        QStringList names;
        for (int i = 0; i < picker->Model()->rowCount(); ++i)
            names << picker->Model()->index(i).data(Qt::AccessibleTextRole).toString();
        return names;
    }
    void DoubleClick(int row) {
        QListView* list = picker->List();
        const QRect r = list->visualRect(picker->Model()->index(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    void Open(TCategory* root, TCategory* choice) {
        candidates = Selector().Available(TDimension::Topic);
        picker->Prepare(root, *candidates, choice);
        picker->show();
    }
    void SetUp() override {
        SearchTest::SetUp();
        picker = std::make_unique<TPickForm>(app, nullptr);
    }
    std::unique_ptr<TPickForm> picker;
    std::unique_ptr<TSet> candidates;
};

} // namespace

TEST_F(PickFormTest, NodesOpenAndCloseByDoubleClickAndArrowKeys) {
    TCategory* topics = app.Library()->TopicRoot.get();
    Open(topics, topics);
    EXPECT_EQ(Rows(), QStringList({"Topics", "Physics", "Chemistry"}));

    DoubleClick(1);
    EXPECT_EQ(Rows(), QStringList({"Topics", "Physics", "Forces", "Energy", "Chemistry"}));
    picker->List()->setCurrentIndex(picker->Model()->index(2));
    QTest::keyClick(picker->List(), Qt::Key_Right);
    EXPECT_EQ(Rows(), QStringList({"Topics", "Physics", "Forces", "Speed", "Energy", "Chemistry"}));
    QTest::keyClick(picker->List(), Qt::Key_Right); // already open: stays open
    EXPECT_EQ(Rows().size(), 6);

    // Closing a node closes everything opened below it; the root never closes.
    DoubleClick(1);
    EXPECT_EQ(Rows(), QStringList({"Topics", "Physics", "Chemistry"}));
    DoubleClick(0);
    EXPECT_EQ(Rows().size(), 3);
    picker->List()->setCurrentIndex(picker->Model()->index(2));
    QTest::keyClick(picker->List(), Qt::Key_Plus);
    EXPECT_EQ(Rows(), QStringList({"Topics", "Physics", "Chemistry", "acids"}));
    QTest::keyClick(picker->List(), Qt::Key_Minus);
    EXPECT_EQ(Rows().size(), 3);

    // Alphabetical listing ignores case, puts the root first, and is kept for next time.
    QTest::mouseClick(picker->AlphaButton(), Qt::LeftButton);
    const QStringList sorted{"Topics", "acids",   "Chemistry", "Energy",
                             "Forces", "Physics", "Speed"};
    EXPECT_EQ(Rows(), sorted);
    DoubleClick(5);
    EXPECT_EQ(Rows(), sorted);
    Open(topics, speed);
    EXPECT_EQ(Rows(), sorted);
    EXPECT_EQ(picker->Highlighted(), speed);

    // Other trees list hierarchically without the listing buttons.
    Open(app.Library()->LevelRoot.get(), l1);
    EXPECT_TRUE(picker->AlphaButton()->isHidden());
    EXPECT_EQ(Rows(), QStringList({"Levels", "L1", "L2"}));
}

TEST_F(PickFormTest, ContinueNeedsAnotherChoiceAndACandidateAndIsThenTheDefault) {
    TCategory* topics = app.Library()->TopicRoot.get();
    Open(topics, topics);
    EXPECT_FALSE(picker->ContinueButton()->isEnabled()); // nothing else restricts the search
    EXPECT_TRUE(picker->StartButton()->isDefault());

    // A choice below the first level is not listed: nothing is highlighted.
    Open(topics, speed);
    EXPECT_EQ(picker->Highlighted(), nullptr);
    EXPECT_FALSE(picker->StartButton()->isEnabled());

    Selector().SetLevel(l1, true); // questions 1 and 3: Speed and Chemistry
    Open(topics, topics);
    EXPECT_TRUE(picker->ContinueButton()->isEnabled());
    EXPECT_TRUE(picker->ContinueButton()->isDefault());
    EXPECT_FALSE(picker->StartButton()->isDefault());

    DoubleClick(1);
    const QModelIndex energyRow = picker->Model()->index(3);
    ASSERT_EQ(picker->Model()->Category(3), energy);
    EXPECT_FALSE(energyRow.data(TPickModel::kCandidateRole).toBool()); // drawn grey
    picker->List()->setCurrentIndex(energyRow);
    EXPECT_FALSE(picker->ContinueButton()->isEnabled());
    EXPECT_TRUE(picker->StartButton()->isEnabled());
    EXPECT_TRUE(picker->StartButton()->isDefault());
    picker->hide();

    // Enter presses the default button, and the highlighted category is the choice.
    candidates = Selector().Available(TDimension::Topic);
    TCategory* choice = topics;
    QTimer::singleShot(0, [this] {
        picker->List()->setCurrentIndex(picker->Model()->index(1));
        QTest::keyClick(picker->List(), Qt::Key_Return);
    });
    EXPECT_EQ(picker->Execute(topics, *candidates, choice), TPickResult::ContinueSearch);
    EXPECT_EQ(choice, physics);
    QTimer::singleShot(0, [this] { QTest::keyClick(picker->List(), Qt::Key_Escape); });
    EXPECT_EQ(picker->Execute(topics, *candidates, choice), TPickResult::Cancel);
    EXPECT_EQ(choice, physics);
}
