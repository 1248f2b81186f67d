#include "app/main_form.h"

#include "app/about_form.h"
#include "app/help_window.h"
#include "app/logic/app_logic.h"
#include "app/logic/codes.h"
#include "app/logic/sheet_commands.h"
#include "app/logic/status_text.h"
#include "app/menu_layout.h"
#include "app/sheet_dialogs.h"
#include "diagnostics/debug_commands.h"
#include "diagnostics/monitor_form.h"
#include "documents/doc_form.h"
#include "documents/doc_form_creator.h"
#include "documents/file_commands.h"
#include "documents/file_dialogs.h"
#include "documents/edit_commands.h"
#include "documents/edit_dialogs.h"
#include "finder/browse_commands.h"
#include "finder/finder_form.h"
#include "finder/sizeable_panel.h"
#include "finder/view_commands.h"
#include "finder/viewer_form.h"
#include "model/library.h"
#include "output/print/derive_commands.h"
#include "output/print/output_commands.h"
#include "output/print/print_form.h"
#include "students/pupil_form.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"
#include "ui/qt_controls.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace {

struct ToolButtonSpec {
    const char* name;
    int left;
    const char* hint;
    int glyph;
};

constexpr ToolButtonSpec kToolButtons[] = {
    {"NewB", 8, "Create new document", 0},
    {"OpenB", 32, "Open existing document", 1},
    {"SaveB", 56, "Save current document", 2},
    {"btExport", 80, "Export to Word", 39},
    {"PrintB", 113, "Print current document", 3},
    {"PrintPrevB", 136, "Preview current document", 4},
    {"CutB", 168, "Cut", 5},
    {"CopyB", 192, "Copy", 6},
    {"PasteB", 216, "Paste", 7},
    {"CreateMSB", 248, "Create Mark Scheme", 22},
    {"RepB", 272, "Create Report", 38},
    {"QFB", 304, "Question Finder", 13},
    {"ViewerB", 328, "Viewer", 14},
    {"ViewSylB", 351, "View Related Links", 20},
    {"CopyToDocB", 384, "Copy to document", 15},
};

constexpr int kPanelHeight = 33;
constexpr int kStatusHeight = 17;

// The help context of the window part that has the focus: the nearest one up the chain.
int FocusedHelpContext(const QWidget* start) {
    for (const QWidget* w = start; w; w = w->parentWidget())
        if (const int context = w->property("helpContext").toInt(); context > 0) return context;
    return 1;
}

} // namespace

TMainForm::TMainForm(TMainFormContext context, QWidget* parent)
    : QMainWindow(parent), fContext(std::move(context)) {
    setWindowTitle(QStringLiteral("Quillon"));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(640, 480);
    setProperty("helpContext", 1);

    fActions = BuildMenus(*menuBar(), MainMenuLayout(), &fMenus);
    if (qEnvironmentVariable("QUARRYBOOK_DEBUG") == QLatin1String("1"))
        fActions["DebugM"]->setVisible(true);

    // The tool panel and the status line span the frame; docked windows sit between
    // them beside the workspace.
    auto* panel = new QWidget(this);
    panel->setObjectName("Panel1");
    panel->setFixedHeight(kPanelHeight);
    panel->setMinimumWidth(410);
    BuildToolPanel(panel);
    auto* tools = new QToolBar(this);
    tools->setObjectName("ToolBar");
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->toggleViewAction()->setVisible(false);
    tools->setContextMenuPolicy(Qt::PreventContextMenu);
    tools->layout()->setContentsMargins(0, 0, 0, 0);
    tools->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
    tools->addWidget(panel);
    addToolBar(Qt::TopToolBarArea, tools);
    fWorkspace = new QMdiArea(this);
    fWorkspace->setObjectName("Workspace");
    fWorkspace->setBackground(QApplication::palette().brush(QPalette::Dark));
    setCentralWidget(fWorkspace);
    fStatus = new QLabel(this);
    fStatus->setObjectName("StatusP");
    fStatus->setFixedHeight(kStatusHeight);
    fStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fStatus->setFrameShape(QFrame::Panel);
    fStatus->setFrameShadow(QFrame::Sunken);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    status->setContentsMargins(0, 0, 0, 0);
    status->addWidget(fStatus, 1);
    setStatusBar(status);

    CreateCommands();
    fContext.app.AddObserver(MakeHandler<&TMainForm::StatusChanged>(this));
    fResourcePrompt = fContext.config.FlagResource;

    connect(fActions["Tile1"], &QAction::triggered, fWorkspace, &QMdiArea::tileSubWindows);
    connect(fActions["Cascade1"], &QAction::triggered, fWorkspace, &QMdiArea::cascadeSubWindows);
    connect(fActions["ArrangeIcons1"], &QAction::triggered, this, &TMainForm::ArrangeIcons);
    connect(fActions["Contents1"], &QAction::triggered, this, [this] { ShowHelp(1); });
    for (const auto& [name, menu] : fMenus)
        menu->installEventFilter(this);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this,
            [this] { ShowHelp(FocusedHelpContext(QApplication::focusWidget())); });
    connect(fActions["SearchforHelpon1"], &QAction::triggered, this, [this] {
        ShowHelp(1);
        if (fHelp) fHelp->FocusSearch();
    });
    connect(fActions["AboutVantor1"], &QAction::triggered, this, &TMainForm::ShowAbout);
    SetHelpHandler([this](int context) { ShowHelp(context); });

    // The Window menu lists the open child windows after its own items.
    QMenu* windowMenu = fMenus["Window1"];
    connect(windowMenu, &QMenu::aboutToShow, this, [this, windowMenu] {
        for (QAction* a : windowMenu->actions())
            if (a->property("childWindow").isValid()) windowMenu->removeAction(a), a->deleteLater();
        // Windows that are hidden (a docked Viewer's) are not there to pick.
        auto windows = fWorkspace->subWindowList();
        windows.removeIf([](const QMdiSubWindow* w) { return w->isHidden(); });
        if (!windows.isEmpty()) {
            QAction* sep = windowMenu->addSeparator();
            sep->setProperty("childWindow", true);
        }
        int n = 1;
        for (QMdiSubWindow* w : windows) {
            QAction* a =
                windowMenu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(w->windowTitle()));
            a->setProperty("childWindow", true);
            a->setCheckable(true);
            a->setChecked(w == fWorkspace->activeSubWindow());
            connect(a, &QAction::triggered, fWorkspace,
                    [this, w] { fWorkspace->setActiveSubWindow(w); });
        }
    });
}

TMainForm::~TMainForm() {
    SetHelpHandler({});
    fContext.app.RemoveObserver(MakeHandler<&TMainForm::StatusChanged>(this));
    fContext.app.DocumentRelay().RemoveObserver(MakeHandler<&TMainForm::StatusChanged>(this));
    fCommands.clear();
    fExit.reset();
}

void TMainForm::BuildToolPanel(QWidget* panel) {
    for (const auto& spec : kToolButtons) {
        auto* b = new QToolButton(panel);
        b->setObjectName(spec.name);
        b->setAutoRaise(true);
        b->setGeometry(spec.left, 4, 25, 25);
        b->setToolTip(QString::fromUtf8(spec.hint));
        b->setAccessibleName(QString::fromUtf8(spec.hint));
        b->setIconSize(QSize(16, 16));
        LoadButtonGlyph(*b, spec.glyph);
        fButtons[spec.name] = b;
    }
}

TCommandControl* TMainForm::ControlFor(const char* name, bool isButton) {
    if (!name) return nullptr;
    std::unique_ptr<TCommandControl> control;
    if (isButton)
        control = std::make_unique<TButtonControl>(fButtons.at(name));
    else
        control = std::make_unique<TActionControl>(fActions.at(name));
    fControls.push_back(std::move(control));
    return fControls.back().get();
}

template <class C, class... Args>
void TMainForm::Bind(const char* menuItem, const char* button, Args&&... args) {
    TCommandControl* m = ControlFor(menuItem, false);
    TCommandControl* b = ControlFor(button, true);
    fCommands.push_back(MakeCommand<C>(m, b, std::forward<Args>(args)...));
    if (menuItem) fActions.at(menuItem)->setProperty("bound", true);
    if (button) fButtons.at(button)->setProperty("bound", true);
}

void TMainForm::CreateCommands() {
    CreateDocumentCommands();

    // Editing the current test document: the Edit and Insert menus, Edit Text and
    // their dialogs. Typed texts and editing are shown: without them a test could not
    // hold a typed question or an edited copy of a library one.
    TAppLogic& app = fContext.app;
    fEditDialogs =
        std::make_unique<TEditDialogs>(app, FromCp1252(fContext.config.Organisation), this);
    Bind<TCutCmd>("CutM", "CutB", app);
    Bind<TCopyCmd>("CopyM", "CopyB", app);
    Bind<TPasteCmd>("PasteM", "PasteB", app);
    Bind<TClearCmd>("ClearM", nullptr, app);
    Bind<TSelectAllCmd>("SelectAllM", nullptr, app);
    Bind<TToggleNumberedCmd>("ShowNumberM", nullptr, app);
    fActions["ShowNumberM"]->setCheckable(true);
    Bind<TMoveToTopCmd>("MoveToTopM", nullptr, app);
    Bind<TMoveUpCmd>("MoveUpM", nullptr, app);
    Bind<TMoveDownCmd>("MoveDownM", nullptr, app);
    Bind<TMoveToBottomCmd>("MoveToBottomM", nullptr, app);
    Bind<TCopyToDocCmd>("CopytoDocM", "CopyToDocB", app);
    Bind<TInsertTitleCmd>("InsertTitleM", nullptr, app, *fEditDialogs->title);
    Bind<TInsertSectionCmd>("InsertSectionM", nullptr, app, *fEditDialogs->section);
    Bind<TInsertTextCmd>("InsertTextM", nullptr, app, *fEditDialogs->editor);
    Bind<TEditTextCmd>("EditTextM", nullptr, app, *fEditDialogs->editor);
    fActions["InsertTextM"]->setVisible(true);
    fActions["EditTextM"]->setVisible(true);

    // Finder and Viewer: opening one first brings it back from its minimised state.
    Bind<TViewQFCmd>("QuestionFinder1", "QFB", fContext.finderManager, [this] {
        if (fFinder) fFinder->Restore();
    });
    Bind<TViewViewerCmd>("Viewer1", "ViewerB", fContext.viewerManager, [this] {
        if (fViewer) fViewer->RestoreWindow();
    });
    Bind<TViewKindCmd>("ViewMSM", nullptr, fContext.listManager, TListKind::MarkScheme);
    Bind<TViewKindCmd>("ViewExRepM", nullptr, fContext.listManager, TListKind::ExaminersReport);
    Bind<TViewKindCmd>("ViewSylM", "ViewSylB", fContext.listManager, TListKind::Syllabus);
    CreateOutputCommands();

    // Mark entry sheet and file index, with the template and resource option as they
    // stand when the command runs.
    fSheetFiles = std::make_unique<TSheetFileDialogs>(this);
    Bind<TCreateMarkSheetCmd>("AnalysisSheets2", nullptr, fContext.app, *fSheetFiles, [this] {
        TSubjectConfig config = fContext.config;
        if (config.TemplateName != fTemplateName) {
            config.TemplateName = fTemplateName;
            config.TemplateFilename.clear();
        }
        return TSheetSettings{FindSheetTemplate(config), fResourceOption};
    });
    Bind<TCreateSummaryCmd>("CreateSummary1", nullptr, fContext.app, *fSheetFiles);

    // The student list window and the monitor: made once, shown from their menu items.
    auto* pupils = new TPupilForm(this);
    connect(fActions["PupilLists2"], &QAction::triggered, pupils, [pupils] {
        pupils->setWindowState(pupils->windowState() & ~Qt::WindowMinimized);
        pupils->show();
        pupils->raise();
        pupils->activateWindow();
    });
    fActions["PupilLists2"]->setProperty("bound", true);
    auto* monitor = new TMonitorForm(fContext.app, this);
    Bind<TDebugMonitorCmd>("Monitor1", nullptr, *monitor);
    Bind<TDebugAddItemsCmd>("AddItems1", nullptr, fContext.app);

    // Items whose command is not built yet have no action; show them greyed rather
    // than let a click do nothing.
    static const char* const kOwnActions[] = {"Tile1",       "Cascade1",         "ArrangeIcons1",
                                              "Contents1",   "SearchforHelpon1", "AboutVantor1",
                                              "ContextHelp1"};
    for (auto& [name, action] : fActions) {
        if (action->menu() || action->property("bound").toBool()) continue;
        if (std::find(std::begin(kOwnActions), std::end(kOwnActions), name) !=
            std::end(kOwnActions))
            continue;
        action->setEnabled(false);
    }
    for (auto& [name, button] : fButtons)
        if (!button->property("bound").toBool()) button->setEnabled(false);
}

// Deriving, printing, the preview and the exports.
void TMainForm::CreateOutputCommands() {
    fPrintForm = std::make_unique<TPrintForm>();
    fOutput = std::make_unique<TOutputContext>(
        TOutputContext{*fPrintForm,
                       FromCp1252(fContext.config.Organisation),
                       this,
                       [this](const QString& message) { fStatus->setText(message); },
                       {}});
    TAppLogic& app = fContext.app;
    Bind<TCreateMarkSchemeCmd>("CreateMarkScheme1", "CreateMSB", app);
    Bind<TCreateReportCmd>("CreateReport1", "RepB", app);
    Bind<TPrintSetupCmd>("PrintSetupM", nullptr, *fOutput);
    Bind<TPrintCmd>("PrintM", "PrintB", app, *fOutput);
    Bind<TPrintPreviewCmd>("PrintPreviewM", "PrintPrevB", app, *fOutput);
    Bind<TExportCmd>("ExporttoWP2", "btExport", app, *fOutput);
    Bind<TExportPdfCmd>("ExportPdfM", nullptr, app, *fOutput);
}

// Test documents: a window for every document, and the File menu's commands.
void TMainForm::CreateDocumentCommands() {
    TAppLogic& app = fContext.app;
    fFileDialogs = std::make_unique<TQtFileDialogs>(this);
    fDocForms = std::make_unique<TDocFormCreator>(app, *fFileDialogs, *fWorkspace,
                                                  [this] { return fDocumentWindowSize; });
    // The status line's count, totals and list name follow the document being browsed.
    app.DocumentRelay().AddObserver(MakeHandler<&TMainForm::StatusChanged>(this));
    auto forgetPrompts = [this] { fResourcePromptList.clear(); };
    TFileDialogs& dialogs = *fFileDialogs;
    Bind<TNewCmd>("New1", "NewB", app, forgetPrompts);
    Bind<TOpenCmd>("Open1", "OpenB", app, dialogs, forgetPrompts);
    Bind<TCloseCmd>("Close1", nullptr, app, dialogs);
    Bind<TSaveCmd>("Save1", "SaveB", app, dialogs);
    Bind<TSaveAsCmd>("SaveAs1", nullptr, app, dialogs);
    Bind<TSaveAllCmd>("SaveAll1", nullptr, app, dialogs);
    Bind<TExitCmd>("Exit1", nullptr, app, dialogs, [] { QCoreApplication::quit(); });
    fExit = std::make_unique<TExitCmd>(app, dialogs, [] { QCoreApplication::quit(); });
}

void TMainForm::SetViewer(TViewerForm& viewer, TRelatedChooser& chooser) {
    fViewer = &viewer;
    TAppLogic& app = fContext.app;
    TViewManager& v = fContext.viewerManager;
    Bind<TPrevCmd>("PrevM", nullptr, app, v);
    Bind<TNextCmd>("NextM", nullptr, app, v);
    Bind<TBackCmd>("BackM", nullptr, app, v);
    Bind<TRelatedQuestionsCmd>("RelQM", nullptr, app, v, chooser);
    Bind<TRelatedMarkSchemeCmd>("RelMSM", nullptr, app, v, chooser);
    Bind<TRelatedExaminersReportCmd>("RelERM", nullptr, app, v, chooser);
    Bind<TRelatedSyllabusCmd>("RelSylM", nullptr, app, v, chooser);
    Bind<TRelatedNoteCmd>("RelNoteM", nullptr, app, v, chooser);
}

void TMainForm::ApplyCaptionOverrides() {
    fActions["ViewExRepM"]->setText(QStringLiteral("Examiner's Report"));
    fActions["ViewSylM"]->setText(QStringLiteral("Specification"));
    fActions["ViewMSM"]->setText(QStringLiteral("&Markscheme"));
    fActions["CreateMarkScheme1"]->setText(QStringLiteral("&Create Markscheme"));
    for (const auto& [name, hint] : {std::pair{"CreateMSB", "Create Markscheme"},
                                     std::pair{"ViewSylB", "View Specification"}}) {
        fButtons[name]->setToolTip(QString::fromUtf8(hint));
        fButtons[name]->setAccessibleName(QString::fromUtf8(hint));
    }
    fActions["AboutVantor1"]->setText(QStringLiteral("About Orrin Quarrybook..."));
    fActions["CreateSummary1"]->setVisible(true);
}

QAction* TMainForm::Action(const QString& name) const {
    auto it = fActions.find(name);
    return it == fActions.end() ? nullptr : it->second;
}

QMenu* TMainForm::Menu(const QString& name) const {
    auto it = fMenus.find(name);
    return it == fMenus.end() ? nullptr : it->second;
}

QAbstractButton* TMainForm::Button(const QString& name) const {
    auto it = fButtons.find(name);
    return it == fButtons.end() ? nullptr : it->second;
}

QString TMainForm::StatusText() const {
    return fStatus->text();
}

void TMainForm::StatusChanged(TObservable*, const TCodeSet& codes) {
    if (codes.Has(ncCurrentSelection) || codes.Has(ncCurrentList) || codes.Has(ncDocument) ||
        codes.Has(ncFilename))
        fStatus->setText(QString::fromStdString(BuildStatusText(fContext.app)));
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (fFirstShow) {
        fFirstShow = false;
        // Run once the frame has its maximised size, which the layout depends on. A window
        // manager maximises it a little after it is shown: wait for that, but not long.
        if (isMaximized() && !AtMaximisedSize()) {
            fAwaitingMaximise = true;
            QTimer::singleShot(500, this, [this] {
                if (std::exchange(fAwaitingMaximise, false)) FirstShowing();
            });
        } else {
            QTimer::singleShot(0, this, &TMainForm::FirstShowing);
        }
    }
}

void TMainForm::FirstShowing() {
    TAppLogic& app = fContext.app;
    QString libraryName = app.Library() ? FromCp1252(app.Library()->Name) : QString();
    setWindowTitle(QStringLiteral("Orrin Quarrybook ") + libraryName);

    TFirstLayout& l = fFirstLayout;
    l.left = 4;
    l.top = kPanelHeight - 30; // the panel sits at the top of the client area
    l.middle = frameGeometry().height() / 2 + 8;
    // In the client area below the menu: the tool panel, the workspace, the status line.
    l.bottom = kPanelHeight + fWorkspace->height() - 40;
    fContext.finderManager.Show();
    fContext.viewerManager.Show();
    int finderWidth = TQFForm::kInitialWidth;
    if (fFinder) {
        finderWidth = fFinder->Panel()->IsDocked() ? fFinder->DockedWidth() : fFinder->width();
        if (!fFinder->Panel()->IsDocked())
            fFinder->setGeometry(l.left, l.top, finderWidth, std::max(1, l.middle - l.top));
    }
    if (fViewer && !fContext.viewerManager.Docked())
        fViewer->setGeometry(l.left + finderWidth, l.top,
                             frameGeometry().width() - 12 - finderWidth, l.bottom - l.top);
    // A tiny screen must not give document windows a negative height.
    fDocumentWindowSize = QSize(finderWidth, std::max(100, l.bottom - l.middle));
    app.NewDocument();
    if (TDocForm* first = fDocForms->Newest()) {
        first->move(l.left, l.middle);
        fWorkspace->setActiveSubWindow(first);
    }
    if (TItemList* list = app.SelectorList(); list && list->Count() > 0) {
        app.SetCurrentList(list, 0);
        app.SelectItem(list->Item(0), list, false);
    }
    if (fContext.documentToOpen) {
        try {
            app.OpenDocument(*fContext.documentToOpen);
        } catch (const std::exception& e) {
            ShowError(this, e.what());
        }
    }
    if (fFinder) fFinder->FocusList();
    fResourceOption = fContext.config.UseResource;
    fTemplateName = fContext.config.TemplateName;

    // For the start-up benchmark: end once the first showing has been painted.
    if (qEnvironmentVariable("QUARRYBOOK_QUIT_AFTER_FIRST_PAINT") == QLatin1String("1")) {
        repaint();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Only the exit command ends the program; it may ask to save first.
    event->ignore();
    RunReportingErrors([this] { fExit->Execute(nullptr); });
}

bool TMainForm::AtMaximisedSize() const {
    const QScreen* where = screen();
    if (!where) return true;
    const QSize available = where->availableGeometry().size();
    const QSize frame = frameGeometry().size();
    return frame.width() >= available.width() - 8 && frame.height() >= available.height() - 8;
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (fAwaitingMaximise && AtMaximisedSize()) {
        fAwaitingMaximise = false;
        QTimer::singleShot(0, this, &TMainForm::FirstShowing);
    }
    // A docked window may grow until the workspace is down to the frame's minimum.
    for (TSizeablePanel* panel : findChildren<TSizeablePanel*>())
        if (panel->IsDocked()) panel->FitFrame(event->size(), minimumSize());
}

void TMainForm::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* w : fWorkspace->subWindowList()) {
        if (!w->isMinimized()) continue;
        const QSize size = w->size();
        if (x > 0 && x + size.width() > fWorkspace->width()) x = 0;
        w->move(x, fWorkspace->height() - size.height());
        x += size.width();
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            const QAction* item = menu->activeAction();
            const int context = item ? item->property("helpContext").toInt() : 0;
            menu->close();
            ShowHelp(context > 0 ? context : 1);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowAbout() {
    if (fAbout) fAbout->exec();
}

void TMainForm::ShowHelp(int context) {
    // A modal dialog would block the shared help window; it gets one of its own.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != fHelp) {
        auto* help = new THelpWindow(modal);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->ShowContext(context);
        return;
    }
    if (!fHelp) fHelp = new THelpWindow(this);
    fHelp->ShowContext(context);
}
