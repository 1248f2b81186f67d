#include "ui/qt_controls.h"

#include "ui/error_report.h"

#include <QAbstractButton>
#include <QAction>

TActionControl::TActionControl(QAction* action) : fAction(action), fChecked(action->isChecked()) {
    QObject::connect(action, &QAction::triggered, action, [this] {
        // A checkable item flips its own mark when clicked; the mark is the command's
        // answer alone, which the action's notifications set again.
        if (fAction && fAction->isCheckable()) fAction->setChecked(fChecked);
        if (fHandler) RunReportingErrors(fHandler);
    });
}

TActionControl::~TActionControl() {
    if (fAction) QObject::disconnect(fAction, &QAction::triggered, fAction, nullptr);
}

void TActionControl::SetEnabled(bool enabled) {
    if (fAction) fAction->setEnabled(enabled);
}

void TActionControl::SetChecked(bool checked) {
    fChecked = checked;
    if (!fAction) return;
    if (checked) fAction->setCheckable(true);
    fAction->setChecked(checked);
}

void TActionControl::SetClickHandler(std::function<void()> handler) {
    fHandler = std::move(handler);
}

TButtonControl::TButtonControl(QAbstractButton* button)
    : fButton(button), fChecked(button->isChecked()) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this] {
        // Qt has already flipped a checkable button; only the command's SetChecked may.
        fButton->setChecked(fChecked);
        if (fHandler) RunReportingErrors(fHandler);
    });
}

TButtonControl::~TButtonControl() {
    if (fButton) QObject::disconnect(fButton, &QAbstractButton::clicked, fButton, nullptr);
}

void TButtonControl::SetEnabled(bool enabled) {
    if (fButton) fButton->setEnabled(enabled);
}

void TButtonControl::SetChecked(bool checked) {
    fChecked = checked;
    if (!fButton) return;
    fButton->setCheckable(checked || fButton->isCheckable());
    fButton->setChecked(checked);
}

void TButtonControl::SetClickHandler(std::function<void()> handler) {
    fHandler = std::move(handler);
}
