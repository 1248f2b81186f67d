#pragma once

#include <QStringList>

#include "framework/observer.h"

#include <QDockWidget>
#include <QMdiSubWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QMainWindow;
class QMdiArea;
class QToolButton;
class TAppLogic;
class TCommand;
class TCommandControl;
class TRelatedChooser;
class TRichTextControl;
class TTextChunk;
class TTextStreamer;
class TViewManager;

// The Viewer: a header naming the selected item with the browsing buttons, and the
// item's text below. It follows the application's selection while it is shown, and
// moves whole into a dock at the bottom of the main window when docked.
class TViewerForm : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kMinWidth = 467;
    static constexpr int kMinHeight = 113;
    // The main window's own minimum height, which a docked Viewer must leave room for.
    static constexpr int kFrameMinHeight = 350;

    TViewerForm(TAppLogic& app, TViewManager& manager, TRelatedChooser& chooser, QMainWindow& frame,
                QMdiArea& workspace);
    ~TViewerForm() override;

    // Shows the selected item's text; unforced, the text already shown is kept.
    void UpdateView(bool forced);
    // Marks these words and phrases wherever the shown text holds them; a term ending in
    // "*" marks the words it begins. Only the displayed copy changes. The finder's
    // words are marked in questions, the text list's in the other texts, since each
    // searched only its own kind.
    void SetHighlightTerms(const QStringList& terms);
    void SetTextListHighlightTerms(const QStringList& terms);
    // Brings the window back from minimised (not while docked).
    void RestoreWindow();

    QWidget* Panel() const { return fPanel; }
    QWidget* ItemBox() const { return fItemBox; }
    TRichTextControl* Text() const { return fText; }
    QToolButton* Button(const char* name) const;
    QDockWidget* Dock() const { return fDock; }
    const TTextChunk* ShownChunk() const { return fShown; }
    int DockedHeight() const { return fDockedHeight; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildHeader();
    void LayoutButtons(int width);
    void ManagerChanged(TObservable* sender, const TCodeSet& codes);
    void AppChanged(TObservable* sender, const TCodeSet& codes);
    void Shown();
    void Hidden();
    void Docked();
    void Undocked();
    void LimitDockHeight();
    void Observe(bool on);
    void LoadChunk(TTextChunk& chunk);
    void HighlightTerms();

    TAppLogic& fApp;
    TViewManager& fManager;
    TRelatedChooser& fChooser;
    QMainWindow& fFrame;
    QWidget* fBody;  // header and text: the part that moves into the dock
    QWidget* fPanel; // ViewerPanel
    QWidget* fItemBox;
    TRichTextControl* fText;
    std::vector<QToolButton*> fButtons;
    QPointer<QDockWidget> fDock;
    std::unique_ptr<TTextStreamer> fStreamer;
    QStringList fHighlightTerms;
    QStringList fTextListTerms;
    TTextChunk* fShown = nullptr;
    bool fShownIsQuestion = false;
    int fDockedHeight = 213;
    bool fObserving = false;
    std::vector<std::unique_ptr<TCommandControl>> fControls;
    std::vector<std::unique_ptr<TCommand>> fCommands;
    std::unique_ptr<TCommand> fDockCmd;
    std::unique_ptr<TCommand> fCloseCmd;
};
