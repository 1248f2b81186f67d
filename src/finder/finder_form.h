#pragma once

#include "framework/observer.h"
#include "model/selector.h"

#include <QDockWidget>
#include <QMdiSubWindow>
#include <QPointer>

#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QTimer;
class TTextSearch;
class TAppLogic;
class TCategoryBox;
class TCategoryPicker;
class TCommand;
class TCommandControl;
class TFinderHost;
class TItemListView;
class TQuestionListModel;
class TSizeablePanel;
class TViewManager;

// The Question Finder: six rows that show and change the search's choices, and the
// list of the questions that meet them. Its controls sit on a panel that lives in this
// child window or, docked, at the right edge of the main window.
class TQFForm : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 201;
    static constexpr int kInitialWidth = 321;
    static constexpr int kInitialHeight = 284;

    TQFForm(TAppLogic& app, TViewManager& manager, TFinderHost& host, TCategoryPicker& picker);
    ~TQFForm() override;

    TSizeablePanel* Panel() const { return fPanel; }
    TItemListView* List() const { return fList; }
    TQuestionListModel* ListModel() const { return fModel; }
    // The row's "..." button, or null when the library offers no row of that kind.
    QAbstractButton* SearchButton(TDimension d) const;
    TCategoryBox* CategoryBox(TDimension d) const;
    // Words typed here narrow the result to the questions whose text contains them.
    QLineEdit* SearchField() const { return fSearchField; }
    // The library's full-text search; the field waits while it is not ready and is
    // disabled without one. It must outlive the window.
    void SetTextSearch(TTextSearch* search);
    // Told the words and phrases of each search (none when cleared), for marking them.
    void OnTextSearch(std::function<void(const QStringList& terms)> told) {
        fTextSearched = std::move(told);
    }
    QDockWidget* DockWidget() const { return fDockWidget; }
    int DockedWidth() const { return fDockedWidth; }
    // Out of its minimised state, as the View menu asks before showing it.
    void Restore();
    void FocusList();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        TCategoryBox* box = nullptr;
        QAbstractButton* button = nullptr;
    };
    void BuildRows(TCategoryPicker& picker);
    void BuildSearchField();
    void RunTextSearch();
    void TextSearchChanged(TObservable* sender, const TCodeSet& codes);
    void LayOutList();
    void ManagerChanged(TObservable* sender, const TCodeSet& codes);
    void AppChanged(TObservable* sender, const TCodeSet& codes);
    void ShowFinder();
    void HideFinder();
    void DockPanel();
    void UndockPanel();
    void Fill();
    void SyncHighlight();
    void Refreshed();
    void ListClicked();
    void OfferResource(int row);
    void DragSelection();

    TAppLogic& fApp;
    TViewManager& fManager;
    TFinderHost& fHost;
    TSizeablePanel* fPanel;
    TItemListView* fList;
    TQuestionListModel* fModel;
    QPointer<QDockWidget> fDockWidget;
    QLineEdit* fSearchField = nullptr;
    QTimer* fSearchTimer = nullptr;
    TTextSearch* fTextSearch = nullptr;
    std::string fSearchedFor;
    std::function<void(const QStringList&)> fTextSearched;
    std::array<Row, kDimensionCount> fRows{};
    std::unique_ptr<TCommand> fCloseCmd;
    std::unique_ptr<TCommand> fDockCmd;
    std::vector<std::unique_ptr<TCommandControl>> fControls;
    std::vector<std::unique_ptr<TCommand>> fSearchCmds;
    int fDockedWidth = 313;
    bool fBusy = false;
    bool fShown = false;
    bool fObservingApp = false;
};
