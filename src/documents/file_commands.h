#pragma once

#include "app/logic/app_command.h"
#include "framework/command.h"

#include <functional>
#include <string>

class TAppLogic;
class TDocLogic;

// The file names the file commands ask the user for. The windows answer with the
// platform's file dialogs; tests script the answers.
class TFileDialogs {
public:
    virtual ~TFileDialogs() = default;
    // A test document to open, or empty when the user cancels.
    virtual std::string ChooseDocumentToOpen() = 0;
    // Where to save the current document, as a full path, or empty when the user
    // cancels. `fileName` is the document's present name (empty for a new one).
    virtual std::string ChooseDocumentToSave(const std::string& fileName) = 0;
};

// "Do you want to save the changes to document '...'?"
std::string SavePrompt(const std::string& displayName);

class TNewCmd : public TCommand {
public:
    // `forgetPrompts` empties the record of resources already offered for adding.
    TNewCmd(TAppLogic& app, std::function<void()> forgetPrompts);
    void Execute(void* sender) override;

private:
    TAppLogic& fApp;
    std::function<void()> fForgetPrompts;
};

class TOpenCmd : public TCommand {
public:
    TOpenCmd(TAppLogic& app, TFileDialogs& dialogs, std::function<void()> forgetPrompts);
    void Execute(void* sender) override;

private:
    TAppLogic& fApp;
    TFileDialogs& fDialogs;
    std::function<void()> fForgetPrompts;
};

// Closes the current document, asking first to save it when it is modified. A
// document whose save was cancelled or failed stays open.
class TCloseCmd : public TAppCommand {
public:
    TCloseCmd(TAppLogic& app, TFileDialogs& dialogs);
    void Execute(void* sender) override;
    bool IsEnabled() const override;

protected:
    // Closes `doc`, which must be the current document, after the save prompt when it
    // is modified; it stays open when the user cancels or its save does not succeed.
    void CloseAsking(TDocLogic& doc);

private:
    TFileDialogs& fDialogs;
};

// Closes every document, the last opened first; a cancelled one stays open and the
// walk goes on with the others.
class TCloseAllCmd : public TCloseCmd {
public:
    using TCloseCmd::TCloseCmd;
    void Execute(void* sender) override;
};

class TSaveCmd : public TAppCommand {
public:
    TSaveCmd(TAppLogic& app, TFileDialogs& dialogs);
    void Execute(void* sender) override;
    bool IsEnabled() const override;

private:
    TFileDialogs& fDialogs;
};

class TSaveAsCmd : public TAppCommand {
public:
    TSaveAsCmd(TAppLogic& app, TFileDialogs& dialogs);
    void Execute(void* sender) override;
    bool IsEnabled() const override;

private:
    TFileDialogs& fDialogs;
};

// Saves every modified document, the first opened first; stops at an unnamed one
// whose Save As was cancelled.
class TSaveAllCmd : public TAppCommand {
public:
    TSaveAllCmd(TAppLogic& app, TFileDialogs& dialogs);
    void Execute(void* sender) override;
    bool IsEnabled() const override;

private:
    TFileDialogs& fDialogs;
};

// Closes every document through Close All and ends the program only when none is left.
class TExitCmd : public TCommand {
public:
    TExitCmd(TAppLogic& app, TFileDialogs& dialogs, std::function<void()> terminate);
    void Execute(void* sender) override;

private:
    TAppLogic& fApp;
    TFileDialogs& fDialogs;
    std::function<void()> fTerminate;
};
