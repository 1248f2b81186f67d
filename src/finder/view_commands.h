#pragma once

#include "finder/view_manager.h"
#include "framework/command.h"

#include <functional>

// Opens the Question Finder or the viewer: restores its window, then shows it.
class TViewWindowCmd : public TCommand {
public:
    TViewWindowCmd(TViewManager& manager, std::function<void()> restoreWindow = {})
        : fManager(manager), fRestore(std::move(restoreWindow)) {}
    void Execute(void*) override {
        if (fRestore) fRestore();
        fManager.Show();
    }

private:
    TViewManager& fManager;
    std::function<void()> fRestore;
};
using TViewQFCmd = TViewWindowCmd;
using TViewViewerCmd = TViewWindowCmd;

// Closing the finder or the viewer minimises its window; the manager stays visible.
class TMinimiseWindowCmd : public TCommand {
public:
    explicit TMinimiseWindowCmd(std::function<void()> minimise) : fMinimise(std::move(minimise)) {}
    void Execute(void*) override {
        if (fMinimise) fMinimise();
    }

private:
    std::function<void()> fMinimise;
};
using TCloseQFCmd = TMinimiseWindowCmd;
using TCloseViewerCmd = TMinimiseWindowCmd;

// Undocks the finder or the viewer; checked while it is docked.
class TDockCmd : public TCommand {
public:
    explicit TDockCmd(TViewManager& manager) : fManager(manager) {}
    ~TDockCmd() override;
    void Execute(void*) override { fManager.SetDocked(false); }
    bool IsChecked() const override { return fManager.Docked(); }
    void Changed(TObservable*, const TCodeSet&) { UpdateState(); }

protected:
    void Attach() override;

private:
    TViewManager& fManager;
    bool fAttached = false;
};
using TDockQFCmd = TDockCmd;
using TDockViewerCmd = TDockCmd;

// Shows the text-list window on one kind of text.
class TViewKindCmd : public TCommand {
public:
    TViewKindCmd(TTSListManager& manager, TListKind kind) : fManager(manager), fKind(kind) {}
    void Execute(void*) override { fManager.ShowKind(fKind); }

private:
    TTSListManager& fManager;
    TListKind fKind;
};

class TCloseTSListCmd : public TCommand {
public:
    explicit TCloseTSListCmd(TTSListManager& manager) : fManager(manager) {}
    void Execute(void*) override { fManager.Hide(); }

private:
    TTSListManager& fManager;
};
