#include "finder/finder_form.h"
#include "finder/segment_list_model.h"
#include "finder/text_search.h"
#include "search/text_index.h"
#include "search_fixture.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace {

class FinderTextSearchTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        ASSERT_TRUE(cache.isValid());
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        const TIndexEntry texts[] = {
            {"Q1", 'Q', "Question 1", "A trolley's speed down a ramp"},
            {"Q2", 'Q', "Question 2", "Energy stored in a stretched spring, Hooke's law"},
            {"M2", 'M', "Question 2", "titration"},
            {"Q3", 'Q', "Question 3", "A titration of a weak acid"},
            {"Q4", 'Q', "Question 4", "Forces on a spring balance"},
        };
        std::size_t next = 0;
        index = TTextIndex::Build(IndexFolder() + "/test.fts", "key", [&](TIndexEntry& e) {
            if (next == std::size(texts)) return false;
            e = texts[next++];
            return true;
        });
        host = std::make_unique<FakeHost>();
        search = std::make_unique<TTextSearch>(*app.Library());
        form = std::make_unique<TQFForm>(app, manager, *host, picker);
        form->SetTextSearch(search.get());
        host->frame.show();
        manager.Show();
    }
    void TearDown() override {
        form.reset();
        search.reset();
        host.reset();
        qunsetenv("XDG_CACHE_HOME");
    }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < form->ListModel()->rowCount(); ++i)
            rows << form->ListModel()->index(i).data(Qt::AccessibleTextRole).toString();
        return rows;
    }

    class NoPicker : public TCategoryPicker {
        TPickResult Execute(TCategory*, const TSet&, TCategory*&) override {
            return TPickResult::Cancel;
        }
    } picker;
    QTemporaryDir cache;
    std::shared_ptr<TTextIndex> index;
    std::unique_ptr<TTextSearch> search;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<TQFForm> form;
};

TEST_F(FinderTextSearchTest, TypedWordsNarrowTheListAndClearingRestoresIt) {
    QLineEdit* field = form->SearchField();
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(field->placeholderText(), QString::fromUtf8("Preparing the search index…"));
    search->SetIndex(index);
    ASSERT_TRUE(field->isEnabled());
    EXPECT_EQ(field->accessibleName(), "Search text");
    const int all = Rows().size();
    ASSERT_EQ(all, 4);

    // Enter searches at once; only question texts count, not the mark scheme's.
    QTest::keyClicks(field, "SPRING");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows().size(), 2);
    EXPECT_TRUE(Selector().HasTextFilter());

    // A pause after typing searches too, within the category choice.
    Selector().SetLevel(l1, true);
    field->clear();
    QTest::keyClicks(field, "titrat*");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Rows().size() == 1; }, 2000));

    field->clear();
    EXPECT_FALSE(Selector().HasTextFilter());
    Selector().SetLevel(nullptr, true);
    EXPECT_EQ(Rows().size(), all);
}

TEST_F(FinderTextSearchTest, DamagedIndexFoundWhileSearchingIsRebuiltAndTheFieldWaitsForIt) {
    int rebuilds = 0;
    search->OnDamaged([&] { ++rebuilds; });
    const std::string path = IndexFolder() + "/test.fts";
    index.reset();
    // Damage past the records the opening checks read, as a bad disk block would: the
    // fifth page holds the index of the words.
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(4 * 4096)
        .write(std::string(4096, '\xff').data(), 4096);
    std::shared_ptr<TTextIndex> damaged = TTextIndex::OpenCurrent(path, "key");
    ASSERT_TRUE(damaged);
    search->SetIndex(damaged);

    QLineEdit* field = form->SearchField();
    QTest::keyClicks(field, "spring");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(field->placeholderText(), QString::fromUtf8("Preparing the search index…"));
    EXPECT_EQ(Rows().size(), 0) << "a damaged index finds nothing rather than everything";

    // The rebuilt index serves the words already typed.
    const TIndexEntry spring{"Q4", 'Q', "Question 4", "spring"};
    bool given = false;
    search->SetIndex(TTextIndex::Build(IndexFolder() + "/rebuilt.fts", "key", [&](TIndexEntry& e) {
        if (given) return false;
        e = spring;
        return given = true;
    }));
    EXPECT_TRUE(field->isEnabled());
    EXPECT_EQ(Rows().size(), 1);
}

} // namespace
