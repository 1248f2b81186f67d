#pragma once

#include "framework/observer.h"

#include <QWidget>

class QListView;
class QStringListModel;
class TAppLogic;

// Logs, one line each, the notifications of the application logic, of every open
// document (through the document relay) and of the question selector, while shown.
class TMonitorForm : public QWidget {
    Q_OBJECT
public:
    explicit TMonitorForm(TAppLogic& app, QWidget* parent = nullptr);
    ~TMonitorForm() override;

    QListView* Log() const { return fLogView; }
    QStringList Lines() const;
    void ClearLog();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Logged(TObservable* sender, const TCodeSet& codes);
    void Listen(bool on);

    TAppLogic& fApp;
    QListView* fLogView = nullptr;
    QStringListModel* fLog = nullptr;
    bool fListening = false;
};
