#include "finder_fixture.h"

#include "finder/related_form.h"
#include "finder/segment_list.h"
#include "finder/text_search.h"
#include "finder/ts_list_form.h"
#include "finder/viewer_form.h"
#include "output/richtext/rich_text_control.h"
#include "search/library_entries.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

namespace {
class ViewerTest : public FinderTest {
protected:
    void SetUp() override {
        FinderTest::SetUp();
        frame.setCentralWidget(workspace);
        frame.resize(1000, 700);
        frame.show();
        viewer.Show();
    }
    QString Shown() const { return form->Text()->PlainText().trimmed(); }
    // Answers the error box that a failed load shows.
    void AnswerErrorBox() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                errorShown = box->text();
                box->accept();
            }
        });
    }

    QMainWindow frame;
    QMdiArea* workspace = new QMdiArea;
    std::unique_ptr<TViewerForm> form =
        std::make_unique<TViewerForm>(app, viewer, chooser, frame, *workspace);
    TTSListManager listManager;
    QString errorShown;
};
} // namespace

TEST_F(ViewerTest, ShowsTheSelectedTextWithoutEndMarksAndBlanksForSeveralItems) {
    auto* q = Seg("Q1");
    q->Chunk =
        MakeChunk({"{\\rtf1\\ansi\\f0 Forces pre-\\par on a{\\v  hidden} ramp\\par -\\par}"});
    Select("Q1");
    EXPECT_EQ(Shown(), "Forces pre-\non a ramp"); // hidden text hidden, as in a word processor
    EXPECT_EQ(form->ShownChunk(), q->Chunk.get());
    EXPECT_EQ(form->Button("NextB")->isEnabled(), false); // no current list
    EXPECT_TRUE(form->Button("RelMSB")->isEnabled());
    form->Text()->SetSelStart(0);
    form->Text()->SetSelText("Seen: ");
    Select("Q1"); // the text already shown is not loaded again
    EXPECT_TRUE(Shown().startsWith("Seen: "));

    app.SetSelection({Seg("Q1"), Seg("Q1a")}, nullptr);
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(form->ShownChunk(), nullptr);
    EXPECT_FALSE(form->Button("RelMSB")->isEnabled());
}

TEST_F(ViewerTest, TextThatCannotBeLoadedIsReportedAndTriedAgain) {
    TTextStore store(std::make_unique<TMemoryStream>());
    auto* q = Seg("Q1a");
    q->Chunk = std::make_unique<TTextChunk>();
    q->Chunk->Store = &store;
    q->Chunk->Offset = 64; // past the end of the empty store
    AnswerErrorBox();
    Select("Q1a");
    EXPECT_FALSE(errorShown.isEmpty());
    EXPECT_EQ(form->ShownChunk(), nullptr);
    EXPECT_FALSE(q->Chunk->IsLoaded());
}

TEST_F(ViewerTest, ButtonsFollowTheHeaderWidth) {
    form->Panel()->resize(900, 33);
    EXPECT_EQ(form->Button("RelResB")->x(), 750);
    EXPECT_EQ(form->Button("RelNoteB")->x(), 870);
    EXPECT_EQ(form->Button("BackB")->x(), 432);
    form->Panel()->resize(400, 33);
    EXPECT_EQ(form->Button("RelResB")->x(), 301);
    EXPECT_EQ(form->Button("BackB")->x(), 277);
    EXPECT_EQ(form->ItemBox()->width(), 206);
}

TEST_F(ViewerTest, DockingMovesTheWholeViewerAndKeepsTheTextAndTheDockedHeight) {
    Select("Q1");
    viewer.SetDocked(true);
    ASSERT_NE(form->Dock(), nullptr);
    EXPECT_TRUE(form->Dock()->isAncestorOf(form->Panel()));
    EXPECT_TRUE(form->Dock()->isAncestorOf(form->Text()));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Shown(), "Forces Q");
    Select("M1");
    EXPECT_EQ(Shown(), "Forces M");

    frame.resizeDocks({form->Dock()}, {260}, Qt::Vertical);
    QApplication::processEvents();
    const int height = form->Dock()->height();
    viewer.SetDocked(false);
    EXPECT_TRUE(form->isAncestorOf(form->Text()));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Dock()->isVisible());
    EXPECT_EQ(Shown(), "Forces M");
    EXPECT_EQ(form->DockedHeight(), height);
    EXPECT_LT(form->Panel()->y(), form->Text()->y()); // the header is the top strip again
}

TEST_F(ViewerTest, ChooserOffersOkOnlyOnceARowIsClicked) {
    TRelatedForm related;
    bool okAtFirst = true;
    QTimer::singleShot(0, [&] {
        okAtFirst = related.OkButton()->isEnabled();
        const QRect row = related.List()->visualRect(related.List()->model()->index(1, 0));
        QTest::mouseClick(related.List()->viewport(), Qt::LeftButton, {}, row.center());
        related.OkButton()->click();
    });
    TTextSegment* chosen = nullptr;
    EXPECT_TRUE(related.Choose({Seg("Q1"), Seg("Q2a")}, chosen));
    EXPECT_FALSE(okAtFirst);
    EXPECT_EQ(chosen, Seg("Q2a"));
    EXPECT_FALSE(related.OkButton()->isEnabled());
    EXPECT_EQ(related.List()->model()->rowCount(), 0);
}

TEST_F(ViewerTest, TextListListsByKindAndMirrorsTheSelectionWithTheViewer) {
    TTSListForm list(app, listManager, &frame);
    listManager.ShowKind(TListKind::MarkScheme);
    auto* model = list.List()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 0).data().toString(), "M1  Forces");
    EXPECT_EQ(list.windowTitle(), "Mark Scheme");

    const QRect row = list.List()->visualRect(model->index(1, 0));
    QTest::mouseClick(list.List()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(app.SelectedItem(), Seg("M1a"));
    EXPECT_EQ(app.CurrentList(), &list.Items());
    EXPECT_EQ(Shown(), "Forces a M");

    app.SelectItem(Seg("M1a"), nullptr, false); // the same text chosen elsewhere: rows let go
    EXPECT_FALSE(list.List()->selectionModel()->hasSelection());
    TCommand::Run<TBackCmd>(app, viewer); // back to the list's current entry
    EXPECT_TRUE(list.List()->selectionModel()->isRowSelected(1, {}));

    list.Tabs()->setCurrentIndex(3);
    EXPECT_EQ(list.windowTitle(), "Resources");
    ASSERT_EQ(model->rowCount(), 2); // R3 has no text
    EXPECT_EQ(model->index(1, 0).data().toString(), "2  Spring");
    list.close();
    EXPECT_FALSE(listManager.Visible());
    EXPECT_TRUE(list.isHidden());
}

TEST_F(ViewerTest, TextListSearchNarrowsTheKindShownOnceTheIndexIsReady) {
    TTextSearch search(*app.Library());
    TTSListForm list(app, listManager, &frame);
    list.SetTextSearch(&search);
    listManager.ShowKind(TListKind::MarkScheme);
    auto* model = list.List()->model();
    QLineEdit* field = list.SearchField();
    EXPECT_EQ(field->accessibleName(), "Search text");
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(field->placeholderText(), QString::fromUtf8("Preparing the search index…"));

    // Words already in the field are searched for once the index is ready.
    field->setText("forces a");
    EXPECT_EQ(model->rowCount(), 2);
    QTemporaryDir cache;
    search.SetIndex(TTextIndex::Build(cache.filePath("texts.index").toStdString(), "key",
                                      LibraryEntries(*app.Library(), nullptr)));
    EXPECT_TRUE(field->isEnabled());
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(list.Items().Item(0), Seg("M1a"));

    // The same words in another kind; clearing lists the whole kind again, in its order.
    list.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(model->rowCount(), 0);
    field->clear();
    EXPECT_EQ(model->rowCount(), 1);
    list.Tabs()->setCurrentIndex(0);
    QTest::keyClicks(field, "FORCES");
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(list.Items().Item(1), Seg("M1a"));
}

TEST_F(ViewerTest, MarksSearchedWordsAndPrefixesInTheShownTextOnly) {
    Seg("Q1")->Chunk = MakeChunk({"{\\rtf1\\ansi\\f0 Forceful ramps on a ramp\\par}"});
    form->SetHighlightTerms({"ramp", "force*"});
    Select("Q1");
    auto marked = [this](int position) {
        QTextCursor at(&form->Text()->Document());
        at.setPosition(position + 1);
        return at.charFormat().hasProperty(QTextFormat::BackgroundBrush);
    };
    EXPECT_TRUE(marked(0));  // "Forceful": a prefix
    EXPECT_FALSE(marked(9)); // "ramps": not the whole word
    EXPECT_TRUE(marked(20)); // "ramp"
    EXPECT_FALSE(form->Text()->Document().isModified());
    form->SetHighlightTerms({});
    EXPECT_FALSE(marked(20));

    // The finder searched questions only; the text list's words mark the other texts.
    Seg("M1a")->Chunk = MakeChunk({"{\\rtf1\\ansi\\f0 ramp\\par}"});
    form->SetHighlightTerms({"ramp"});
    Select("M1a");
    EXPECT_FALSE(marked(0));
    form->SetTextListHighlightTerms({"ramp"});
    EXPECT_TRUE(marked(0));
}
