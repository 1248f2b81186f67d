#pragma once

#include "app/logic/item_list.h"
#include "finder/view_manager.h"

#include <QWidget>

#include <vector>

class QTabBar;
class TAppLogic;
class TSegmentListModel;
class TSegmentListView;
class TTextSegment;

// The text-list window: every mark scheme, report, link or resource of the library,
// one kind at a time, chosen by the tabs along the bottom. The rows clicked become the
// application's selection. It stays above the main window.
class TTSListForm : public QWidget {
    Q_OBJECT
public:
    TTSListForm(TAppLogic& app, TTSListManager& manager, QWidget* parent = nullptr);
    ~TTSListForm() override;

    TSegmentListView* List() const { return fList; }
    QTabBar* Tabs() const { return fTabs; }
    const TItemList& Items() const { return fItems; }
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

    TAppLogic& fApp;
    TTSListManager& fManager;
    std::vector<TTextSegment*> fSegments;
    TVectorItemList<TTextSegment> fItems{fSegments};
    TSegmentListModel* fModel;
    TSegmentListView* fList;
    QTabBar* fTabs;
    bool fInClick = false;
    bool fMirroring = false;
    bool fObserving = false;
    bool fPlaced = false;
};
