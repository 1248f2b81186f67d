#include "documents/file_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {
// Save All also follows new documents, which a derived one enters already modified.
const TCommandTriggers kSaveAllTriggers{{ncModified, ncDocDestroy, ncDocCreate}, true};

bool IsOpen(const TAppLogic& app, const TDocLogic* doc) {
    const auto& docs = app.Documents();
    return std::find(docs.begin(), docs.end(), doc) != docs.end();
}
} // namespace

std::string SavePrompt(const std::string& displayName) {
    return "Do you want to save the changes to document '" + displayName + "'?";
}

TNewCmd::TNewCmd(TAppLogic& app, std::function<void()> forgetPrompts)
    : fApp(app), fForgetPrompts(std::move(forgetPrompts)) {}

void TNewCmd::Execute(void*) {
    if (fForgetPrompts) fForgetPrompts();
    fApp.NewDocument();
}

TOpenCmd::TOpenCmd(TAppLogic& app, TFileDialogs& dialogs, std::function<void()> forgetPrompts)
    : fApp(app), fDialogs(dialogs), fForgetPrompts(std::move(forgetPrompts)) {}

void TOpenCmd::Execute(void*) {
    const std::string name = fDialogs.ChooseDocumentToOpen();
    if (name.empty()) return;
    if (fForgetPrompts) fForgetPrompts();
    fApp.OpenDocument(name);
}

TCloseCmd::TCloseCmd(TAppLogic& app, TFileDialogs& dialogs)
    : TAppCommand(app, Triggers::CurrentDoc), fDialogs(dialogs) {}

bool TCloseCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

void TCloseCmd::Execute(void*) {
    if (TDocLogic* doc = App().CurrentDoc()) CloseAsking(*doc);
}

void TCloseCmd::CloseAsking(TDocLogic& doc) {
    if (doc.Modified()) {
        switch (App().Prompts().Ask(SavePrompt(doc.DisplayName()), true)) {
        case TAnswer::Yes:
            // A failed save raises and leaves the document open; a cancelled Save As
            // leaves it modified.
            TCommand::Run<TSaveCmd>(App(), fDialogs);
            if (doc.Modified()) return;
            break;
        case TAnswer::No:
            break;
        case TAnswer::Cancel:
            return;
        }
    }
    App().CloseDocument(doc);
}

void TCloseAllCmd::Execute(void*) {
    const std::vector<TDocLogic*> docs = App().Documents();
    for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
        TDocLogic* doc = *it;
        if (!IsOpen(App(), doc)) continue;
        // The document to be asked about becomes current, so that its window comes to
        // the front and Save works on it.
        if (doc->Modified()) App().SetCurrentDoc(doc);
        CloseAsking(*doc);
    }
}

TSaveCmd::TSaveCmd(TAppLogic& app, TFileDialogs& dialogs)
    : TAppCommand(app, Triggers::CurrentDocModified), fDialogs(dialogs) {}

bool TSaveCmd::IsEnabled() const {
    return App().CurrentDoc() && App().CurrentDoc()->Modified();
}

void TSaveCmd::Execute(void*) {
    TDocLogic* doc = App().CurrentDoc();
    if (!doc) return;
    if (!doc->FileName().empty())
        doc->SaveToFile(doc->FileName());
    else
        TCommand::Run<TSaveAsCmd>(App(), fDialogs);
}

TSaveAsCmd::TSaveAsCmd(TAppLogic& app, TFileDialogs& dialogs)
    : TAppCommand(app, Triggers::CurrentDoc), fDialogs(dialogs) {}

bool TSaveAsCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

void TSaveAsCmd::Execute(void*) {
    TDocLogic* doc = App().CurrentDoc();
    if (!doc) return;
    const std::string name = fDialogs.ChooseDocumentToSave(doc->FileName());
    if (name.empty()) return;
    doc->SaveToFile(std::filesystem::absolute(name).lexically_normal().string());
}

TSaveAllCmd::TSaveAllCmd(TAppLogic& app, TFileDialogs& dialogs)
    : TAppCommand(app, kSaveAllTriggers), fDialogs(dialogs) {}

bool TSaveAllCmd::IsEnabled() const {
    const auto& docs = App().Documents();
    return std::any_of(docs.begin(), docs.end(), [](const TDocLogic* d) { return d->Modified(); });
}

void TSaveAllCmd::Execute(void*) {
    const std::vector<TDocLogic*> docs = App().Documents();
    for (TDocLogic* doc : docs) {
        if (!IsOpen(App(), doc) || !doc->Modified()) continue;
        if (!doc->FileName().empty()) {
            doc->SaveToFile(doc->FileName());
            continue;
        }
        App().SetCurrentDoc(doc);
        TCommand::Run<TSaveAsCmd>(App(), fDialogs);
        if (doc->Modified()) return;
    }
}

TExitCmd::TExitCmd(TAppLogic& app, TFileDialogs& dialogs, std::function<void()> terminate)
    : fApp(app), fDialogs(dialogs), fTerminate(std::move(terminate)) {}

void TExitCmd::Execute(void*) {
    TCommand::Run<TCloseAllCmd>(fApp, fDialogs);
    if (fApp.Documents().empty() && fTerminate) fTerminate();
}
