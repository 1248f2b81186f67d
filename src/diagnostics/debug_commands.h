#pragma once

#include "app/logic/app_command.h"

#include <functional>
#include <optional>
#include <string>

class TMonitorForm;

// Shows the notification monitor.
class TDebugMonitorCmd : public TCommand {
public:
    explicit TDebugMonitorCmd(TMonitorForm& monitor) : fMonitor(monitor) {}
    void Execute(void* sender) override;

private:
    TMonitorForm& fMonitor;
};

// Adds library texts to the end of the current document by their identifiers, asking
// for one after another until the user cancels. A text the document holds already is
// added again without asking.
class TDebugAddItemsCmd : public TAppCommand {
public:
    // The identifier typed (code page 1252), or nothing on Cancel.
    using TAskFn = std::function<std::optional<std::string>()>;
    // Shows a warning (UTF-8) with an OK button.
    using TWarnFn = std::function<void(const std::string&)>;

    TDebugAddItemsCmd(TAppLogic& app, TAskFn ask = {}, TWarnFn warn = {});
    bool IsEnabled() const override;
    void Execute(void* sender) override;

private:
    TAskFn fAsk;
    TWarnFn fWarn;
};
