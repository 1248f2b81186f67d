#pragma once

#include "framework/observer.h"

#include <QPointer>
#include <QSize>

#include <functional>

class QMdiArea;
class TAppLogic;
class TDocForm;
class TFileDialogs;

// Opens a window in the workspace for every document the application creates.
class TDocFormCreator {
public:
    // `windowSize` answers the size every new document window takes.
    TDocFormCreator(TAppLogic& app, TFileDialogs& dialogs, QMdiArea& workspace,
                    std::function<QSize()> windowSize);
    ~TDocFormCreator();
    TDocFormCreator(const TDocFormCreator&) = delete;
    TDocFormCreator& operator=(const TDocFormCreator&) = delete;

    void Changed(TObservable* sender, const TCodeSet& codes);
    // The window made last, while it is there.
    TDocForm* Newest() const { return fNewest; }

private:
    TAppLogic& fApp;
    TFileDialogs& fDialogs;
    QMdiArea& fWorkspace;
    std::function<QSize()> fWindowSize;
    QPointer<TDocForm> fNewest;
};
