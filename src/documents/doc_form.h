#pragma once

#include "framework/observer.h"

#include <QMdiSubWindow>

class QMdiArea;
class TAppLogic;
class TDocEntryModel;
class TDocListView;
class TDocLogic;
class TFileDialogs;

// The window of one open test document: its entries, two lines each. It never changes
// the document itself; it calls the application and document logic and follows their
// notifications. Closing it runs the Close command, which may ask to save first.
class TDocForm : public QMdiSubWindow {
    Q_OBJECT
public:
    // Shows the last of the application's documents.
    TDocForm(TAppLogic& app, TFileDialogs& dialogs, QSize size, QWidget* parent = nullptr);
    ~TDocForm() override;

    TDocLogic* DocLogic() const { return fDoc; }
    TDocListView* List() const { return fList; }
    TDocEntryModel* Model() const { return fModel; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Changed(TObservable* sender, const TCodeSet& codes);
    void Activated();
    void RowsClicked();
    void SynchroniseSelection();
    void Dropped(bool fromHere, int row);
    void Release();

    TAppLogic& fApp;
    TFileDialogs& fDialogs;
    TDocLogic* fDoc;
    TDocListView* fList;
    TDocEntryModel* fModel;
    bool fBusy = false;
};
