#include "finder/viewer_form.h"

#include "app/logic/app_logic.h"
#include "finder/browse_commands.h"
#include "finder/view_commands.h"
#include "finder/view_manager.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "output/richtext/end_marks.h"
#include "output/richtext/hidden_text.h"
#include "output/richtext/rich_text_control.h"
#include "output/richtext/rich_text_edit.h"
#include "output/richtext/text_streamer.h"
#include "ui/child_window.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"
#include "ui/qt_controls.h"
#include "ui/qt_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QColor>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstring>

namespace {
constexpr int kPanelHeight = 33;
constexpr int kButtonSize = 25;
constexpr int kButtonTop = 4;

struct TButtonSpec {
    const char* name;
    int left;
    const char* hint;
    int glyph;
};

constexpr TButtonSpec kButtons[] = {
    {"PrevB", 8, "View previous extract", 17},
    {"NextB", 32, "View next extract", 16},
    {"BackB", 432, "Back", 18},
    {"RelResB", 471, "View Teaching objectives", 37},
    {"RelQB", 496, "View related questions", 8},
    {"RelMSB", 520, "View related mark scheme", 9},
    {"RelERB", 544, "View report", 11},
    {"RelSylB", 568, "View related links", 10},
    {"RelNoteB", 592, "View related notes", 12},
};

// CurrentItemBox: the selected item drawn as a list entry, blank without a single item.
class TCurrentItemBox : public QWidget {
public:
    TCurrentItemBox(TAppLogic& app, QWidget* parent) : QWidget(parent), fApp(app) {
        setObjectName("CurrentItemBox");
        setAccessibleName(QStringLiteral("Current item"));
    }
    void Refresh() {
        const TTextSegment* s = SelectedText(fApp);
        setAccessibleDescription(s ? FromCp1252(s->GetID()) + QStringLiteral("  ") +
                                         FromCp1252(s->GetTitle())
                                   : QString());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setBrush(palette().window());
        if (const TTextSegment* s = SelectedText(fApp))
            DrawSegmentEntry(painter, *s, 2, 0, width());
    }

private:
    TAppLogic& fApp;
};
} // namespace

TViewerForm::TViewerForm(TAppLogic& app, TViewManager& manager, TRelatedChooser& chooser,
                         QMainWindow& frame, QMdiArea& workspace)
    : fApp(app), fManager(manager), fChooser(chooser), fFrame(frame) {
    setObjectName("ViewerForm");
    setWindowTitle(QStringLiteral("Viewer"));
    setMinimumSize(kMinWidth, kMinHeight);
    resize(640, 396);

    fBody = new QWidget;
    fBody->setObjectName("ViewerBody");
    fBody->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(fBody);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    fPanel = new QWidget(fBody);
    fPanel->setObjectName("ViewerPanel");
    fPanel->setFixedHeight(kPanelHeight);
    fPanel->installEventFilter(this);
    fPanel->hide(); // until the Viewer is first shown
    fText = new TRichTextControl(fBody);
    fText->setObjectName("ViewerTX");
    fText->setAccessibleName(QStringLiteral("Text"));
    fText->Editor().setAccessibleName(QStringLiteral("Viewer text"));
    fText->SetReadOnly(true);
    layout->addWidget(fPanel);
    layout->addWidget(fText, 1);
    setWidget(fBody);
    InstallHelpKey(fBody, 220);
    fStreamer = std::make_unique<TTextStreamer>(*fText);
    BuildHeader();

    FreeCtrlW(*this);
    systemMenu()->addSeparator();
    systemMenu()->addAction(QStringLiteral("&Dock at Bottom"), this,
                            [this] { fManager.SetDocked(true); });
    // Alt+Hyphen opens a child window's menu, as in other multiple-document programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Minus), this);
    menuKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QShortcut::activated, this, &QMdiSubWindow::showSystemMenu);

    fDockCmd = MakeCommand<TDockViewerCmd>(nullptr, nullptr, fManager);
    fCloseCmd = MakeCommand<TCloseViewerCmd>(nullptr, nullptr, [this] { showMinimized(); });
    fManager.AddObserver(MakeHandler<&TViewerForm::ManagerChanged>(this));
    workspace.addSubWindow(this);
    hide(); // until its manager shows it, not with the main window
}

TViewerForm::~TViewerForm() {
    Observe(false);
    fManager.RemoveObserver(MakeHandler<&TViewerForm::ManagerChanged>(this));
    fCommands.clear();
    fControls.clear();
    delete fDock; // with the body when docked
}

void TViewerForm::BuildHeader() {
    fItemBox = new TCurrentItemBox(fApp, fPanel);
    fItemBox->setGeometry(64, 0, 361, kPanelHeight);
    for (const TButtonSpec& spec : kButtons) {
        auto* b = new QToolButton(fPanel);
        b->setObjectName(spec.name);
        b->setAutoRaise(true);
        b->setGeometry(spec.left, kButtonTop, kButtonSize, kButtonSize);
        b->setToolTip(QString::fromUtf8(spec.hint));
        b->setAccessibleName(QString::fromUtf8(spec.hint));
        b->setIconSize(QSize(16, 16));
        LoadButtonGlyph(*b, spec.glyph);
        fButtons.push_back(b);
        fControls.push_back(std::make_unique<TButtonControl>(b));
    }
    auto control = [this](int i) { return fControls[std::size_t(i)].get(); };
    fCommands.push_back(MakeCommand<TPrevCmd>(nullptr, control(0), fApp, fManager));
    fCommands.push_back(MakeCommand<TNextCmd>(nullptr, control(1), fApp, fManager));
    fCommands.push_back(MakeCommand<TBackCmd>(nullptr, control(2), fApp, fManager));
    fCommands.push_back(
        MakeCommand<TRelatedResourceCmd>(nullptr, control(3), fApp, fManager, fChooser));
    fCommands.push_back(
        MakeCommand<TRelatedQuestionsCmd>(nullptr, control(4), fApp, fManager, fChooser));
    fCommands.push_back(
        MakeCommand<TRelatedMarkSchemeCmd>(nullptr, control(5), fApp, fManager, fChooser));
    fCommands.push_back(
        MakeCommand<TRelatedExaminersReportCmd>(nullptr, control(6), fApp, fManager, fChooser));
    fCommands.push_back(
        MakeCommand<TRelatedSyllabusCmd>(nullptr, control(7), fApp, fManager, fChooser));
    fCommands.push_back(
        MakeCommand<TRelatedNoteCmd>(nullptr, control(8), fApp, fManager, fChooser));
}

QToolButton* TViewerForm::Button(const char* name) const {
    for (QToolButton* b : fButtons)
        if (b->objectName() == QLatin1String(name)) return b;
    return nullptr;
}

void TViewerForm::LayoutButtons(int w) {
    const int x = std::max(w - 150, 301);
    for (int i = 0; i < 6; ++i)
        fButtons[std::size_t(3 + i)]->move(x + 24 * i, kButtonTop);
    const int back = std::clamp(w - 174, 277, 432);
    fButtons[2]->move(back, kButtonTop);
    fItemBox->resize(back - 71, kPanelHeight);
}

bool TViewerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fPanel && event->type() == QEvent::Resize) LayoutButtons(fPanel->width());
    if (watched == &fFrame && event->type() == QEvent::Resize) LimitDockHeight();
    return QMdiSubWindow::eventFilter(watched, event);
}

void TViewerForm::closeEvent(QCloseEvent* event) {
    // Closing only minimises: the Viewer lives as long as the program.
    event->ignore();
    RunReportingErrors([this] { fCloseCmd->Execute(nullptr); });
}

void TViewerForm::RestoreWindow() {
    if (!fManager.Docked() && isMinimized()) showNormal();
}

void TViewerForm::Observe(bool on) {
    if (on == fObserving) return;
    fObserving = on;
    if (on)
        fApp.AddObserver(MakeHandler<&TViewerForm::AppChanged>(this));
    else
        fApp.RemoveObserver(MakeHandler<&TViewerForm::AppChanged>(this));
}

void TViewerForm::ManagerChanged(TObservable*, const TCodeSet& codes) {
    if (codes.Has(vcVisible)) fManager.Visible() ? Shown() : Hidden();
    if (codes.Has(vcDocked)) fManager.Docked() ? Docked() : Undocked();
}

void TViewerForm::AppChanged(TObservable*, const TCodeSet& codes) {
    if (codes.Has(ncCurrentSelection)) UpdateView(false);
}

void TViewerForm::Shown() {
    // Following the selection already: the Viewer is up, only the focus moves to it.
    if (fObserving && !fPanel->isHidden()) {
        fText->setFocus();
        return;
    }
    Observe(true);
    fPanel->show();
    if (fManager.Docked()) {
        if (fDock) fDock->show();
    } else {
        show();
    }
    UpdateView(true);
}

void TViewerForm::Hidden() {
    Observe(false);
    hide();
    if (fDock) fDock->hide();
    fPanel->hide();
}

void TViewerForm::Docked() {
    if (!fDock) {
        fDock = new QDockWidget(QStringLiteral("Viewer"), &fFrame);
        fDock->setObjectName("ViewerDock");
        fDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
        fDock->setAllowedAreas(Qt::BottomDockWidgetArea);
        // The title bar carries the way back into the workspace.
        auto* title = new QWidget(fDock);
        auto* row = new QHBoxLayout(title);
        row->setContentsMargins(6, 1, 2, 1);
        row->addWidget(new QLabel(QStringLiteral("Viewer"), title));
        row->addStretch(1);
        auto* undock = new QToolButton(title);
        undock->setObjectName("UndockB");
        undock->setText(QStringLiteral("&Undock"));
        undock->setToolTip(QStringLiteral("Back into the workspace"));
        undock->setAccessibleName(QStringLiteral("Undock the Viewer"));
        undock->setAutoRaise(true);
        connect(undock, &QToolButton::clicked, this,
                [this] { RunReportingErrors([this] { fDockCmd->Execute(nullptr); }); });
        row->addWidget(undock);
        fDock->setTitleBarWidget(title);
        fFrame.addDockWidget(Qt::BottomDockWidgetArea, fDock);
        fFrame.installEventFilter(this);
        LimitDockHeight();
    }
    if (fDock->widget() != fBody) {
        hide();
        setWidget(nullptr);
        fDock->setWidget(fBody);
    }
    fPanel->show();
    fBody->show();
    fDock->show();
    fFrame.resizeDocks({fDock.data()}, {fDockedHeight}, Qt::Vertical);
    UpdateView(true);
}

void TViewerForm::LimitDockHeight() {
    // Docked, the Viewer leaves the main window its minimum height for everything else.
    if (!fDock) return;
    fDock->setMinimumHeight(kMinHeight);
    fDock->setMaximumHeight(std::max(kMinHeight, fFrame.height() - kFrameMinHeight + kMinHeight));
}

void TViewerForm::Undocked() {
    if (fDock && fDock->widget() == fBody) {
        fDockedHeight = fDock->height();
        fDock->setWidget(nullptr);
        fDock->hide();
        setWidget(fBody);
        fBody->show();
    }
    if (fManager.Visible()) {
        showNormal();
        fText->setFocus();
    }
    UpdateView(true);
}

void TViewerForm::UpdateView(bool forced) {
    static_cast<TCurrentItemBox*>(fItemBox)->Refresh();
    TTextSegment* segment = SelectedText(fApp);
    TTextChunk* chunk = segment ? segment->Chunk.get() : nullptr;
    if (!forced && chunk == fShown) {
        // The same text again: back to its top, as a fresh look at it expects.
        fText->ScrollToTop();
        return;
    }
    fText->Clear();
    fShown = nullptr;
    if (!chunk) return;
    fShownIsQuestion = segment->Kind() == 'Q';
    try {
        LoadChunk(*chunk);
        fShown = chunk;
    } catch (const std::exception& e) {
        // The text stays hidden and is loaded again by the next update.
        ShowError(this, e.what());
    }
}

void TViewerForm::LoadChunk(TTextChunk& chunk) {
    fText->hide();
    try {
        fStreamer->LoadInto(chunk);
        RemoveEndMarks(fText->Document());
        // Hidden text stays hidden on screen, as in a word processor.
        RemoveHiddenText(fText->Document());
        HighlightTerms();
    } catch (...) {
        chunk.UnloadLines();
        throw;
    }
    chunk.UnloadLines();
    fText->show();
    fText->ScrollToTop();
}

void TViewerForm::SetHighlightTerms(const QStringList& terms) {
    if (terms == fHighlightTerms) return;
    fHighlightTerms = terms;
    if (fShown && fShownIsQuestion) UpdateView(true);
}

void TViewerForm::SetTextListHighlightTerms(const QStringList& terms) {
    if (terms == fTextListTerms) return;
    fTextListTerms = terms;
    if (fShown && !fShownIsQuestion) UpdateView(true);
}

void TViewerForm::HighlightTerms() {
    QTextDocument& doc = fText->Document();
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 236, 130));
    for (QString term : fShownIsQuestion ? fHighlightTerms : fTextListTerms) {
        QTextDocument::FindFlags flags = QTextDocument::FindWholeWords;
        if (term.endsWith(QLatin1Char('*'))) {
            term.chop(1);
            flags = {};
        }
        if (term.isEmpty()) continue;
        for (QTextCursor at = doc.find(term, 0, flags); !at.isNull();
             at = doc.find(term, at, flags))
            at.mergeCharFormat(marked);
    }
    // Marking is for the eye only: the shown text is no edit of the stored one.
    doc.setModified(false);
}
