#include "framework/command.h"

TCommand::~TCommand() {
    // The controls outlive their commands in some windows; leave them inert.
    if (fMenuItem) fMenuItem->SetClickHandler({});
    if (fToolButton) fToolButton->SetClickHandler({});
}

void TCommand::Bind(TCommandControl* menuItem, TCommandControl* toolButton) {
    fMenuItem = menuItem;
    fToolButton = toolButton;
    if (fMenuItem) fMenuItem->SetClickHandler([this] { Execute(fMenuItem); });
    if (fToolButton) fToolButton->SetClickHandler([this] { Execute(fToolButton); });
    Attach();
    UpdateState();
}

void TCommand::UpdateState() {
    if (!fMenuItem && !fToolButton) return;
    bool enabled = IsEnabled();
    bool checked = IsChecked();
    for (TCommandControl* c : {fMenuItem, fToolButton}) {
        if (!c) continue;
        c->SetEnabled(enabled);
        c->SetChecked(checked);
    }
}
