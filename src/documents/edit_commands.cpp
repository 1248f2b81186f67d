#include "documents/edit_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "documents/edit_form.h"
#include "documents/section_form.h"
#include "documents/title_form.h"

namespace {
const char* const kCopyQuestion = "The selected item cannot be edited, but you can make a copy and "
                                  "edit that. Would you like to make a copy?";

std::vector<TListItem> ClipboardItems(const TAppLogic& app) {
    std::vector<TListItem> items;
    for (const auto& entry : app.Clipboard())
        items.push_back(entry.get());
    return items;
}
} // namespace

bool TEditCommand::SelectionInDocument() const {
    const TAppLogic& app = App();
    return app.CurrentDoc() && !app.Selection().empty() &&
           app.SelectionSource() == &app.CurrentDoc()->EntryList();
}

bool TEditCommand::OneEntryCurrent() const {
    const TAppLogic& app = App();
    const int index = app.CurrentIndex();
    TItemList* list = app.CurrentList();
    return index != -1 && app.CurrentDoc() && list == &app.CurrentDoc()->EntryList() &&
           index < list->Count() && app.SelectedItem() && list->Item(index) == app.SelectedItem();
}

void TEditCommand::RemoveSelection() {
    TAppLogic& app = App();
    std::vector<TDocContent*> entries;
    for (TListItem item : app.Selection())
        if (auto* entry = dynamic_cast<TDocContent*>(item)) entries.push_back(entry);
    app.SetCurrentList(app.CurrentList(), -1);
    app.CurrentDoc()->RemoveEntries(entries);
    app.SetSelection({}, nullptr);
}

TCutCmd::TCutCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentDocSelection) {}

void TCutCmd::Execute(void*) {
    App().CopyToClipboard(App().Selection());
    RemoveSelection();
}

TCopyCmd::TCopyCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentSelection) {}

void TCopyCmd::Execute(void*) {
    App().CopyToClipboard(App().Selection());
}

bool TCopyCmd::IsEnabled() const {
    return !App().Selection().empty();
}

TPasteCmd::TPasteCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentDocClipboard) {}

void TPasteCmd::Execute(void*) {
    App().CurrentDoc()->AddToDocument(ClipboardItems(App()), -1);
}

bool TPasteCmd::IsEnabled() const {
    return App().CurrentDoc() && !App().Clipboard().empty();
}

TClearCmd::TClearCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentDocSelection) {}

TSelectAllCmd::TSelectAllCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentList) {}

void TSelectAllCmd::Execute(void*) {
    TItemList* list = App().CurrentList();
    std::vector<TListItem> items;
    items.reserve(std::size_t(list->Count()));
    for (int i = 0; i < list->Count(); ++i)
        items.push_back(list->Item(i));
    App().SetSelection(std::move(items), list);
}

bool TSelectAllCmd::IsEnabled() const {
    return App().CurrentList() != nullptr;
}

TCopyToDocCmd::TCopyToDocCmd(TAppLogic& app) : TEditCommand(app, Triggers::CurrentDocSelection) {}

void TCopyToDocCmd::Execute(void*) {
    const std::vector<TListItem> items = App().Selection();
    App().CurrentDoc()->AddToDocument(items, -1);
}

bool TCopyToDocCmd::IsEnabled() const {
    const TAppLogic& app = App();
    return app.CurrentDoc() && !app.Selection().empty() &&
           app.SelectionSource() != &app.CurrentDoc()->EntryList();
}

TToggleNumberedCmd::TToggleNumberedCmd(TAppLogic& app)
    : TEditCommand(app, Triggers::CurrentDocSelectionDocument) {}

void TToggleNumberedCmd::Execute(void*) {
    App().CurrentDoc()->ToggleNumbered(App().CurrentIndex());
}

bool TToggleNumberedCmd::IsChecked() const {
    if (!IsEnabled()) return false;
    auto* entry = dynamic_cast<TDocContent*>(App().SelectedItem());
    return entry && entry->Numbered;
}

// The moves follow the document as well: whether an entry is the last one changes
// when entries are added or removed without the selection changing.
TMoveCmd::TMoveCmd(TAppLogic& app, TWhere where)
    : TEditCommand(app, Triggers::CurrentDocSelectionDocument), fWhere(where) {}

bool TMoveCmd::IsEnabled() const {
    if (!OneEntryCurrent()) return false;
    const int index = App().CurrentIndex();
    if (fWhere == TWhere::Top || fWhere == TWhere::Up) return index >= 1;
    return index < App().CurrentList()->Count() - 1;
}

void TMoveCmd::Execute(void*) {
    TAppLogic& app = App();
    TItemList* list = app.CurrentList();
    const int from = app.CurrentIndex();
    int to = 0;
    switch (fWhere) {
    case TWhere::Top:
        to = 0;
        break;
    case TWhere::Up:
        to = from - 1;
        break;
    case TWhere::Down:
        to = from + 1;
        break;
    case TWhere::Bottom:
        to = list->Count() - 1;
        break;
    }
    app.CurrentDoc()->MoveEntry(from, to);
    app.SetCurrentList(list, to);
    app.NotifySelection();
}

TInsertTitleCmd::TInsertTitleCmd(TAppLogic& app, TTitleForm& form)
    : TEditCommand(app, Triggers::CurrentDoc), fForm(form) {}

void TInsertTitleCmd::Execute(void*) {
    fForm.Run();
}

bool TInsertTitleCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

TInsertSectionCmd::TInsertSectionCmd(TAppLogic& app, TSectionForm& form)
    : TEditCommand(app, Triggers::CurrentDoc), fForm(form) {}

void TInsertSectionCmd::Execute(void*) {
    fForm.Run();
}

bool TInsertSectionCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

TInsertTextCmd::TInsertTextCmd(TAppLogic& app, TEditForm& form)
    : TEditCommand(app, Triggers::CurrentDoc), fForm(form) {}

void TInsertTextCmd::Execute(void*) {
    fForm.RunNew();
}

bool TInsertTextCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

TEditTextCmd::TEditTextCmd(TAppLogic& app, TEditForm& form)
    : TEditCommand(app, Triggers::CurrentDocSelection), fForm(form) {}

void TEditTextCmd::Execute(void*) {
    if (!dynamic_cast<TOwningDocContent*>(App().SelectedItem()) &&
        App().Prompts().Ask(kCopyQuestion, false) != TAnswer::Yes)
        return;
    fForm.RunEdit();
}
