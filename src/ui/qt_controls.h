#pragma once

#include "framework/command.h"

#include <QPointer>

class QAction;
class QAbstractButton;

// A menu item as a command's control. Its check mark shows only what the command set:
// a click never flips it by itself.
class TActionControl : public TCommandControl {
public:
    explicit TActionControl(QAction* action);
    ~TActionControl() override;
    void SetEnabled(bool enabled) override;
    void SetChecked(bool checked) override;
    void SetClickHandler(std::function<void()> handler) override;
    QAction* Action() const { return fAction; }

private:
    QPointer<QAction> fAction;
    std::function<void()> fHandler;
    bool fChecked; // as the command last set it
};

// A flat tool button as a command's control; checked shows as pressed, and only the
// command sets it.
class TButtonControl : public TCommandControl {
public:
    explicit TButtonControl(QAbstractButton* button);
    ~TButtonControl() override;
    void SetEnabled(bool enabled) override;
    void SetChecked(bool checked) override;
    void SetClickHandler(std::function<void()> handler) override;
    QAbstractButton* Button() const { return fButton; }

private:
    QPointer<QAbstractButton> fButton;
    std::function<void()> fHandler;
    bool fChecked; // as the command last set it
};
