#include "app/about_form.h"
#include "app/help_window.h"
#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "app/main_form.h"
#include "diagnostics/monitor_form.h"
#include "documents/doc_form.h"
#include "documents/doc_form_creator.h"
#include "empty_library.h"
#include "finder/finder_form.h"
#include "finder/item_list_view.h"
#include "finder/pick_form.h"
#include "finder/related_form.h"
#include "finder/view_manager.h"
#include "finder/viewer_form.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "qb_version.h"
#include "students/pupil_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qb_app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class NoPrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string& message, bool) override {
        asked.push_back(message);
        return answer;
    }
    void Inform(const std::string&) override {}
    TAnswer answer = TAnswer::No;
    std::vector<std::string> asked;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        auto lib = MakeEmptyLibrary("Physics bank");
        for (const char* id : {"1", "2"}) {
            auto* identity =
                lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>(id, "Q"));
            auto q = std::make_unique<TQuestion>();
            q->Marks = 5;
            q->Time = 6;
            identity->SetSegment(std::move(q));
        }
        logic.SetLibrary("Sample", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                         std::move(lib));
        form = std::make_unique<TMainForm>(TMainFormContext{
            logic, finder, viewer, list, TSubjectConfig{}, "Sample", std::nullopt});
        form->ApplyCaptionOverrides();
    }

    NoPrompts prompts;
    TAppLogic logic{prompts};
    TViewManager finder, viewer;
    TTSListManager list;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(MainFormTest, MenusCarryTheirCaptionsShortcutsAndHiddenItems) {
    struct Expect {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    for (const Expect& e :
         {Expect{"New1", "&New", "Ctrl+N"}, Expect{"Open1", "&Open...", "Ctrl+O"},
          Expect{"Save1", "&Save", "Ctrl+S"}, Expect{"PrintM", "&Print...", "Ctrl+P"},
          Expect{"ClearM", "Cle&ar", "Del"}, Expect{"CopytoDocM", "Copy to &Document", "Ctrl+D"},
          Expect{"QuestionFinder1", "&Question Finder", "Ctrl+Q"},
          Expect{"Viewer1", "&Viewer", "Ctrl+W"}, Expect{"BackM", "&Back", "Ctrl+B"},
          Expect{"ViewSylM", "Specification", ""}, Expect{"ViewMSM", "&Markscheme", ""},
          Expect{"ViewExRepM", "Examiner's Report", ""},
          Expect{"CreateMarkScheme1", "&Create Markscheme", "Ctrl+M"},
          Expect{"AboutVantor1", "About Orrin Quarrybook...", ""}}) {
        QAction* a = form->Action(e.name);
        ASSERT_NE(a, nullptr) << e.name;
        EXPECT_EQ(a->text().toStdString(), e.caption) << e.name;
        EXPECT_EQ(a->shortcut().toString().toStdString(), e.shortcut) << e.name;
    }
    for (const char* hidden : {"ContextHelp1", "DebugM"})
        EXPECT_FALSE(form->Action(hidden)->isVisible()) << hidden;
    for (const char* shown : {"CreateSummary1", "InsertTextM", "EditTextM"})
        EXPECT_TRUE(form->Action(shown)->isVisible()) << shown;
    // Separators after Close, Save All and Print.
    auto items = form->Menu("File1")->actions();
    ASSERT_EQ(items.size(), 13);
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_TRUE(items[7]->isSeparator());
    EXPECT_TRUE(items[11]->isSeparator());
}

TEST_F(MainFormTest, ToolPanelHasFifteenButtonsAtTheirPlaces) {
    struct Place {
        const char* name;
        int left;
    };
    for (const Place& p :
         {Place{"NewB", 8}, Place{"btExport", 80}, Place{"PrintB", 113}, Place{"CreateMSB", 248},
          Place{"ViewSylB", 351}, Place{"CopyToDocB", 384}}) {
        QAbstractButton* b = form->Button(p.name);
        ASSERT_NE(b, nullptr) << p.name;
        EXPECT_EQ(b->geometry(), QRect(p.left, 4, 25, 25)) << p.name;
    }
    EXPECT_EQ(form->Button("CreateMSB")->toolTip(), "Create Markscheme");
    EXPECT_EQ(form->Button("ViewSylB")->toolTip(), "View Specification");
}

TEST_F(MainFormTest, BoundCommandsWorkAndUnbuiltOnesAreGreyed) {
    EXPECT_TRUE(form->Action("QuestionFinder1")->isEnabled());
    EXPECT_TRUE(form->Button("QFB")->isEnabled());
    EXPECT_FALSE(form->Action("Save1")->isEnabled());
    EXPECT_FALSE(form->Button("SaveB")->isEnabled());
    EXPECT_TRUE(form->Action("Tile1")->isEnabled());

    form->Action("ViewMSM")->trigger();
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(list.Kind(), TListKind::MarkScheme);
    QTest::mouseClick(form->Button("ViewerB"), Qt::LeftButton);
    EXPECT_TRUE(viewer.Visible());
}

TEST_F(MainFormTest, EditAndInsertMenusWorkOnTheCurrentDocument) {
    EXPECT_FALSE(form->Action("InsertTitleM")->isEnabled());
    TDocLogic& doc = logic.NewDocument();
    logic.SetCurrentDoc(&doc);
    EXPECT_TRUE(form->Action("InsertTitleM")->isEnabled());
    TItemList* results = logic.SelectorList();
    logic.SetCurrentList(results, 0);
    logic.SelectItem(results->Item(0), results, true);
    EXPECT_FALSE(form->Action("CutM")->isEnabled());
    EXPECT_TRUE(form->Button("CopyToDocB")->isEnabled());
    QTest::mouseClick(form->Button("CopyToDocB"), Qt::LeftButton);
    form->Action("CopyM")->trigger();
    EXPECT_TRUE(form->Button("PasteB")->isEnabled());
    form->Action("PasteM")->trigger();
    EXPECT_EQ(doc.Document().Entries.size(), 1u); // the duplicate question was answered No
    logic.CloseDocument(doc);
    EXPECT_FALSE(form->Action("InsertTitleM")->isEnabled());
    EXPECT_FALSE(form->Button("PasteB")->isEnabled());
}

TEST_F(MainFormTest, OutputCommandsFollowTheCurrentDocumentAndDeriveFromIt) {
    const QList<QAction*> tools = form->Menu("Tools1")->actions();
    const auto wp = std::find(tools.begin(), tools.end(), form->Action("ExporttoWP2"));
    ASSERT_NE(wp, tools.end());
    EXPECT_EQ(*(wp + 1), form->Action("ExportPdfM"));
    EXPECT_EQ(form->Action("ExportPdfM")->text(), "Export to &PDF...");
    EXPECT_TRUE(form->Action("PrintSetupM")->isEnabled());

    TDocLogic& doc = logic.NewDocument();
    logic.SetCurrentDoc(&doc);
    EXPECT_FALSE(form->Action("PrintM")->isEnabled());
    doc.InsertEntries({logic.SelectorList()->Item(0)}, -1);
    for (const char* item : {"PrintM", "PrintPreviewM", "ExporttoWP2", "ExportPdfM",
                             "CreateMarkScheme1", "CreateReport1"})
        EXPECT_TRUE(form->Action(item)->isEnabled()) << item;
    for (const char* button : {"PrintB", "PrintPrevB", "btExport", "CreateMSB", "RepB"})
        EXPECT_TRUE(form->Button(button)->isEnabled()) << button;
    const std::size_t open = logic.Documents().size();
    QTest::mouseClick(form->Button("CreateMSB"), Qt::LeftButton);
    ASSERT_EQ(logic.Documents().size(), open + 1);
    EXPECT_EQ(logic.Documents().back()->Document().Entries.size(), 1u);
    EXPECT_TRUE(logic.Documents().back()->Modified());
}

TEST_F(MainFormTest, StatusLineFollowsTheSelectionAndMinimumSizeHolds) {
    TItemList* results = logic.SelectorList();
    logic.SetCurrentList(results, 0);
    logic.SelectItem(results->Item(0), results, true);
    EXPECT_EQ(form->StatusText().toStdString(),
              "  Item 1 of 2 in Question Finder, total marks: 10, time allowed: 12 min");
    logic.SetSelection({}, nullptr);
    EXPECT_EQ(form->StatusText().toStdString(), "");

    form->resize(200, 100);
    EXPECT_GE(form->width(), TMainForm::kMinWidth);
    EXPECT_GE(form->height(), TMainForm::kMinHeight);
}

TEST_F(MainFormTest, FirstShowingNamesTheLibraryAndCreatesTheFirstDocument) {
    form->show();
    QTRY_COMPARE(form->windowTitle(), QStringLiteral("Orrin Quarrybook Physics bank"));
    EXPECT_EQ(logic.Documents().size(), 1u);
    EXPECT_TRUE(finder.Visible());
    EXPECT_TRUE(viewer.Visible());
    EXPECT_EQ(logic.SelectedItem(), logic.SelectorList()->Item(0));
    form->hide();
}

TEST_F(MainFormTest, TheFirstDocumentsWindowIsPlacedAndClosingTheFrameAsksToSaveIt) {
    form->resize(1000, 700);
    form->show();
    QTRY_COMPARE(logic.Documents().size(), std::size_t(1));
    TDocForm* window = form->DocForms().Newest();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->geometry(),
              QRect(QPoint(form->FirstLayout().left, form->FirstLayout().middle),
                    form->DocumentWindowSize()));
    QTRY_COMPARE(logic.CurrentDoc(), logic.Documents()[0]);
    EXPECT_FALSE(form->Action("Save1")->isEnabled());
    TDocLogic& doc = *logic.CurrentDoc();
    doc.AddToDocument({logic.SelectorList()->Item(0)}, -1);
    logic.SetCurrentList(&doc.EntryList(), 0);
    logic.SelectItem(doc.EntryList().Item(0), &doc.EntryList(), true);
    doc.InsertEntries({logic.SelectorList()->Item(1)}, -1); // the totals follow the document
    EXPECT_EQ(form->StatusText().toStdString(),
              "  Item 1 of 2 in Untitled, total marks: 10, time allowed: 12 min");
    EXPECT_TRUE(form->Action("Save1")->isEnabled());
    EXPECT_TRUE(form->Button("SaveB")->isEnabled());

    prompts.answer = TAnswer::Cancel;
    form->close();
    EXPECT_EQ(prompts.asked,
              std::vector<std::string>{"Do you want to save the changes to document 'Untitled'?"});
    EXPECT_EQ(logic.Documents().size(), 1u);
    EXPECT_TRUE(form->isVisible());
    prompts.answer = TAnswer::No;
    form->close();
    EXPECT_TRUE(logic.Documents().empty());
    EXPECT_FALSE(form->Action("Close1")->isEnabled());
    EXPECT_TRUE(form->Action("New1")->isEnabled());
    form->hide();
}

TEST_F(MainFormTest, FirstShowingPlacesTheViewerWhoseBrowsingTheMenuDrives) {
    TRelatedForm related(form.get());
    TViewerForm viewerForm(logic, viewer, related, *form, *form->Workspace());
    form->SetViewer(viewerForm, related);
    EXPECT_FALSE(form->Action("NextM")->isEnabled());
    form->resize(1000, 700);
    form->show();
    QTRY_VERIFY(viewerForm.isVisible());
    const auto& l = form->FirstLayout();
    EXPECT_EQ(viewerForm.geometry().top(), l.top);
    EXPECT_EQ(viewerForm.height(), l.bottom - l.top);
    EXPECT_EQ(viewerForm.geometry().right(), form->frameGeometry().width() - 12 + l.left - 1);

    ASSERT_TRUE(form->Action("NextM")->isEnabled());
    form->Action("NextM")->trigger();
    EXPECT_EQ(logic.SelectedItem(), logic.SelectorList()->Item(1));
    EXPECT_FALSE(form->Action("NextM")->isEnabled());
    EXPECT_TRUE(form->Action("PrevM")->isEnabled());
    form->hide();
}

TEST_F(MainFormTest, F1InAMenuOpensTheItemsSectionOfTheManual) {
    form->show();
    QMenu* file = form->Menu("File1");
    file->popup(QPoint(0, 0));
    file->setActiveAction(form->Action("Exit1"));
    QTest::keyClick(file, Qt::Key_F1);
    auto* help = form->findChild<THelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->CurrentPage(),
              THelpWindow::PageForContext(form->Action("Exit1")->property("helpContext").toInt()));
    EXPECT_TRUE(help->CurrentPage().startsWith("documents.html"));
    EXPECT_FALSE(file->isVisible());
    help->close();
    form->hide();
}

TEST_F(MainFormTest, FirstShowingOpensTheDocumentNamedOnTheCommandLine) {
    const std::string path = ::testing::TempDir() + "qb_first_showing.VQD";
    {
        TDocLogic& doc = logic.NewDocument();
        doc.AddToDocument({logic.SelectorList()->Item(0), logic.SelectorList()->Item(1)}, 0);
        doc.SaveToFile(path);
        logic.CloseDocument(doc);
    }
    TMainForm opening({logic, finder, viewer, list, TSubjectConfig{}, "Sample", path});
    opening.show();
    QTRY_COMPARE(logic.Documents().size(), std::size_t(2));
    EXPECT_EQ(logic.Documents()[1]->DisplayName(), "qb_first_showing.VQD");
    EXPECT_EQ(logic.Documents()[1]->Document().Entries.size(), 2u);
    opening.hide();
    for (TDocLogic* doc : std::vector<TDocLogic*>(logic.Documents()))
        logic.CloseDocument(*doc);
    std::remove(path.c_str());
}

TEST_F(MainFormTest, TheFinderFillsItsColumnComesBackFromTheViewMenuAndHasItsHelp) {
    TPickForm picker(logic, nullptr, form.get());
    TQFForm qf(logic, finder, *form, picker);
    form->SetFinder(&qf);
    form->show();
    QTRY_VERIFY(qf.isVisible());
    EXPECT_EQ(qf.geometry().topLeft(), QPoint(form->FirstLayout().left, form->FirstLayout().top));
    EXPECT_EQ(qf.height(), form->FirstLayout().middle - form->FirstLayout().top);
    EXPECT_EQ(form->DocumentWindowSize().width(), qf.width());
    EXPECT_EQ(qf.List()->HighlightedRows(), QList<int>({0}));

    qf.close();
    EXPECT_TRUE(qf.isMinimized());
    form->Action("QuestionFinder1")->trigger();
    EXPECT_FALSE(qf.isMinimized());

    qf.List()->setFocus();
    QTest::keyClick(qf.List(), Qt::Key_F1);
    auto* help = form->findChild<THelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->CurrentPage(), "finding.html#finder");
    help->close();
    form->hide();
}

TEST(AboutBox, ShowsTheDecodedPictureTheSubjectAndTheVersion) {
    App();
    TAboutExForm about("Sample");
    EXPECT_EQ(about.windowTitle(), "About Orrin Quarrybook");
    EXPECT_EQ(about.size(), QSize(329, 223));
    EXPECT_EQ(about.SubjectLabel()->text(), "Sample");
    EXPECT_EQ(about.VersionLabel()->text(), QStringLiteral("Version ") + kProgramVersion);
    ASSERT_FALSE(about.Picture()->pixmap().isNull());
    EXPECT_GT(about.Picture()->pixmap().width(), 100);
}

TEST_F(MainFormTest, SpreadsheetItemsFollowTheCurrentDocumentsEntries) {
    QAction* sheet = form->Action("AnalysisSheets2");
    QAction* index = form->Action("CreateSummary1");
    EXPECT_FALSE(sheet->isEnabled());
    TDocLogic& doc = logic.NewDocument();
    logic.SetCurrentDoc(&doc);
    EXPECT_FALSE(index->isEnabled());
    doc.InsertEntries({logic.Library()->FindSegment("Q1")}, -1);
    EXPECT_TRUE(sheet->isEnabled());
    EXPECT_TRUE(index->isEnabled());
}

TEST_F(MainFormTest, ToolsAndDebugItemsShowTheStudentListAndTheMonitor) {
    form->Action("PupilLists2")->trigger();
    auto* pupils = form->findChild<TPupilForm*>();
    ASSERT_TRUE(pupils);
    EXPECT_TRUE(pupils->isVisible());
    EXPECT_EQ(pupils->windowTitle(), QStringLiteral("Names of students in set"));

    form->Action("Monitor1")->trigger();
    auto* monitor = form->findChild<TMonitorForm*>();
    ASSERT_TRUE(monitor);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_FALSE(form->Action("AddItems1")->isEnabled());
    logic.SetCurrentDoc(&logic.NewDocument());
    EXPECT_TRUE(form->Action("AddItems1")->isEnabled());
    pupils->hide();
    monitor->hide();
}
