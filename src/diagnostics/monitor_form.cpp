#include "diagnostics/monitor_form.h"

#include "app/logic/app_logic.h"
#include "diagnostics/monitor_line.h"
#include "model/selector.h"

#include <QHideEvent>
#include <QListView>
#include <QMouseEvent>
#include <QShowEvent>
#include <QStringListModel>
#include <QVBoxLayout>

TMonitorForm::TMonitorForm(TAppLogic& app, QWidget* parent)
    // A dialog-type window stays above the main window that it watches.
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      fApp(app) {
    setObjectName("MonitorForm");
    setWindowTitle(QStringLiteral("Update Notification Monitor"));
    resize(480, 300);
    fLog = new QStringListModel(this);
    fLogView = new QListView(this);
    fLogView->setObjectName("LogLB");
    fLogView->setAccessibleName(QStringLiteral("Notifications"));
    fLogView->setModel(fLog);
    fLogView->setUniformItemSizes(true);
    fLogView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fLogView->setStyleSheet(QStringLiteral("QListView::item { height: 16px; }"));
    fLogView->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fLogView);
}

TMonitorForm::~TMonitorForm() {
    Listen(false);
}

QStringList TMonitorForm::Lines() const {
    return fLog->stringList();
}

void TMonitorForm::ClearLog() {
    fLog->setStringList({});
}

void TMonitorForm::Listen(bool on) {
    if (on == fListening) return;
    fListening = on;
    const THandler handler = MakeHandler<&TMonitorForm::Logged>(this);
    TObservable* subjects[] = {&fApp, &fApp.DocumentRelay(), fApp.Selector()};
    for (TObservable* subject : subjects) {
        if (!subject) continue;
        if (on)
            subject->AddObserver(handler);
        else
            subject->RemoveObserver(handler);
    }
}

void TMonitorForm::Logged(TObservable* sender, const TCodeSet& codes) {
    if (!isVisible()) return;
    const int row = fLog->rowCount();
    fLog->insertRows(row, 1);
    fLog->setData(fLog->index(row), QString::fromStdString(MonitorLine(sender, codes)));
    fLogView->scrollToBottom();
}

void TMonitorForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Listen(true);
}

void TMonitorForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Minimising is not hiding: the log goes on.
    if (event->spontaneous()) return;
    ClearLog();
    Listen(false);
}

bool TMonitorForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fLogView->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        ClearLog();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
