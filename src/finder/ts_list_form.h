#pragma once

#include "app/logic/item_list.h"
#include "finder/view_manager.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QTabBar;
class QTimer;
class TAppLogic;
class TTextSearch;
class TSegmentListModel;
class TSegmentListView;
class TTextSegment;

// The text-list window: every mark scheme, report, link or resource of the library,
// one kind at a time, chosen by the tabs along the bottom, narrowed to the texts holding
// the words typed in its search field. The rows clicked become the application's
// selection. It stays above the main window.
class TTSListForm : public QWidget {
    Q_OBJECT
public:
    TTSListForm(TAppLogic& app, TTSListManager& manager, QWidget* parent = nullptr);
    ~TTSListForm() override;

    TSegmentListView* List() const { return fList; }
    QTabBar* Tabs() const { return fTabs; }
    const TItemList& Items() const { return fItems; }
    // Words typed here narrow the list to the texts of its kind that contain them.
    QLineEdit* SearchField() const { return fSearchField; }
    // The library's full-text search, which must outlive the window; without one the
    // field stays disabled.
    void SetTextSearch(TTextSearch* search);
    // Told the words to mark whenever the searched words change.
    void OnTextSearch(std::function<void(const QStringList& terms)> told) {
        fTextSearched = std::move(told);
    }
    // Re-lists the manager's kind.
    void Fill();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ManagerChanged(TObservable* sender, const TCodeSet& codes);
    void AppChanged(TObservable* sender, const TCodeSet& codes);
    void Observe(bool on);
    void RowsClicked();
    void MirrorSelection();
    void TabChosen(int index);
    void BuildSearchField();
    void RunTextSearch();
    void TextSearchChanged(TObservable* sender, const TCodeSet& codes);
    // Lists the kind's texts that the field's words find, or all of them.
    void ApplyTextFilter();

    TAppLogic& fApp;
    TTSListManager& fManager;
    std::vector<TTextSegment*> fAll;      // every text of the kind
    std::vector<TTextSegment*> fSegments; // the rows shown
    TVectorItemList<TTextSegment> fItems{fSegments};
    TSegmentListModel* fModel;
    TSegmentListView* fList;
    QTabBar* fTabs;
    QLineEdit* fSearchField = nullptr;
    QTimer* fSearchTimer = nullptr;
    TTextSearch* fTextSearch = nullptr;
    std::string fSearchedFor;
    std::function<void(const QStringList&)> fTextSearched;
    bool fInClick = false;
    bool fMirroring = false;
    bool fObserving = false;
    bool fPlaced = false;
};
