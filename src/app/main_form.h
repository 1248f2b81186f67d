#pragma once

#include "config/library_open.h"
#include "finder/finder_host.h"
#include "framework/observer.h"

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class TAppLogic;
class TCommand;
class TCommandControl;
class TDocFormCreator;
class TFileDialogs;
struct TEditDialogs;
class TTSListManager;
class TViewManager;
class THelpWindow;
class TAboutExForm;
class TRelatedChooser;
class TViewerForm;
class TQFForm;
class TPrintForm;
struct TOutputContext;
class TSheetFiles;

// What the main window needs from start-up.
struct TMainFormContext {
    TAppLogic& app;
    TViewManager& finderManager;
    TViewManager& viewerManager;
    TTSListManager& listManager;
    TSubjectConfig config;
    std::string subject;
    // A test document named on the command line, opened at the first showing.
    std::optional<std::string> documentToOpen;
};

// The application's frame: menus, the tool panel, the workspace for the child windows
// and the status line. Behaviour lives in the commands it binds.
class TMainForm : public QMainWindow, public TFinderHost {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 460;
    static constexpr int kMinHeight = 350;

    explicit TMainForm(TMainFormContext context, QWidget* parent = nullptr);
    ~TMainForm() override;

    QAction* Action(const QString& name) const;
    QMenu* Menu(const QString& name) const;
    QAbstractButton* Button(const QString& name) const;
    QString StatusText() const;
    QMdiArea* Workspace() const override { return fWorkspace; }
    QMainWindow* Frame() override { return this; }
    // The Question Finder, created after the main window.
    void SetFinder(TQFForm* finder) { fFinder = finder; }
    std::vector<std::string>& ResourcePromptList() override { return fResourcePromptList; }
    // The caption and hint changes start-up applies once the windows exist.
    void ApplyCaptionOverrides();
    void SetAboutBox(TAboutExForm* about) { fAbout = about; }
    // The Viewer and its browsing commands, bound once start-up has made the windows.
    void SetViewer(TViewerForm& viewer, TRelatedChooser& chooser);
    void ShowHelp(int context) override;
    bool ResourcePromptOption() const override { return fResourcePrompt; }
    bool ResourceOption() const { return fResourceOption; }
    const std::string& TemplateName() const { return fTemplateName; }
    QSize DocumentWindowSize() const { return fDocumentWindowSize; }
    TDocFormCreator& DocForms() const { return *fDocForms; }
    // Where the first showing places the finder, the viewer and the first document
    // window, in workspace pixels.
    struct TFirstLayout {
        int left = 0, top = 0, middle = 0, bottom = 0;
    };
    const TFirstLayout& FirstLayout() const { return fFirstLayout; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // F1 in an open menu shows the manual's section for the highlighted item.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolPanel(QWidget* panel);
    void CreateCommands();
    void CreateOutputCommands();
    void CreateDocumentCommands();
    template <class C, class... Args>
    void Bind(const char* menuItem, const char* button, Args&&... args);
    TCommandControl* ControlFor(const char* name, bool isButton);
    void FirstShowing();
    bool AtMaximisedSize() const;
    void StatusChanged(TObservable* sender, const TCodeSet& codes);
    void ShowAbout();
    // Lines the minimised child windows up along the bottom of the workspace.
    void ArrangeIcons();

    TMainFormContext fContext;
    std::map<QString, QAction*> fActions;
    std::map<QString, QMenu*> fMenus;
    std::map<QString, QAbstractButton*> fButtons;
    // Outlives the commands that use it.
    std::unique_ptr<TSheetFiles> fSheetFiles;
    std::vector<std::unique_ptr<TCommandControl>> fControls;
    // Before the commands, which use them until they go.
    std::unique_ptr<TPrintForm> fPrintForm;
    std::unique_ptr<TOutputContext> fOutput;
    std::vector<std::unique_ptr<TCommand>> fCommands;
    std::unique_ptr<TCommand> fExit;
    std::unique_ptr<TFileDialogs> fFileDialogs;
    std::unique_ptr<TDocFormCreator> fDocForms;
    std::unique_ptr<TEditDialogs> fEditDialogs;
    QMdiArea* fWorkspace = nullptr;
    QLabel* fStatus = nullptr;
    QPointer<THelpWindow> fHelp;
    TAboutExForm* fAbout = nullptr;
    TViewerForm* fViewer = nullptr;
    bool fFirstShow = true;
    bool fAwaitingMaximise = false;
    bool fResourcePrompt = true;
    bool fResourceOption = true;
    std::string fTemplateName = "marksheet.qbt";
    QSize fDocumentWindowSize;
    TFirstLayout fFirstLayout;
    std::vector<std::string> fResourcePromptList;
    TQFForm* fFinder = nullptr;
};
