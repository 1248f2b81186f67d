#pragma once

#include "app/logic/app_command.h"

class TDocLogic;
class TEditForm;
class TSectionForm;
class TTitleForm;

// The commands of the Edit and Insert menus: they change the entries of the current
// test document through its document logic, and the clipboard of the application.

// Shared rules of the edit commands.
class TEditCommand : public TAppCommand {
public:
    using TAppCommand::TAppCommand;

protected:
    // There is a current document and the selection was taken from its entries.
    bool SelectionInDocument() const;
    // The current list is the current document's entries and its item at the current
    // index is the one selected item.
    bool OneEntryCurrent() const;
    // Takes the selected entries out of the document and empties the selection.
    void RemoveSelection();
};

class TCutCmd : public TEditCommand {
public:
    explicit TCutCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override { return SelectionInDocument(); }
};

class TCopyCmd : public TEditCommand {
public:
    explicit TCopyCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override;
};

class TPasteCmd : public TEditCommand {
public:
    explicit TPasteCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override;
};

class TClearCmd : public TEditCommand {
public:
    explicit TClearCmd(TAppLogic& app);
    void Execute(void*) override { RemoveSelection(); }
    bool IsEnabled() const override { return SelectionInDocument(); }
};

class TSelectAllCmd : public TEditCommand {
public:
    explicit TSelectAllCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override;
};

class TCopyToDocCmd : public TEditCommand {
public:
    explicit TCopyToDocCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override;
};

class TToggleNumberedCmd : public TEditCommand {
public:
    explicit TToggleNumberedCmd(TAppLogic& app);
    void Execute(void*) override;
    bool IsEnabled() const override { return OneEntryCurrent(); }
    bool IsChecked() const override;
};

// The four moves of the current entry; the moved entry stays selected.
class TMoveCmd : public TEditCommand {
public:
    enum class TWhere { Top, Up, Down, Bottom };
    TMoveCmd(TAppLogic& app, TWhere where);
    void Execute(void*) override;
    bool IsEnabled() const override;

private:
    TWhere fWhere;
};

class TMoveToTopCmd : public TMoveCmd {
public:
    explicit TMoveToTopCmd(TAppLogic& app) : TMoveCmd(app, TWhere::Top) {}
};
class TMoveUpCmd : public TMoveCmd {
public:
    explicit TMoveUpCmd(TAppLogic& app) : TMoveCmd(app, TWhere::Up) {}
};
class TMoveDownCmd : public TMoveCmd {
public:
    explicit TMoveDownCmd(TAppLogic& app) : TMoveCmd(app, TWhere::Down) {}
};
class TMoveToBottomCmd : public TMoveCmd {
public:
    explicit TMoveToBottomCmd(TAppLogic& app) : TMoveCmd(app, TWhere::Bottom) {}
};

class TInsertTitleCmd : public TEditCommand {
public:
    TInsertTitleCmd(TAppLogic& app, TTitleForm& form);
    void Execute(void*) override;
    bool IsEnabled() const override;

private:
    TTitleForm& fForm;
};

class TInsertSectionCmd : public TEditCommand {
public:
    TInsertSectionCmd(TAppLogic& app, TSectionForm& form);
    void Execute(void*) override;
    bool IsEnabled() const override;

private:
    TSectionForm& fForm;
};

class TInsertTextCmd : public TEditCommand {
public:
    TInsertTextCmd(TAppLogic& app, TEditForm& form);
    void Execute(void*) override;
    bool IsEnabled() const override;

private:
    TEditForm& fForm;
};

// Edits the current entry; a library text is edited as a copy, after asking.
class TEditTextCmd : public TEditCommand {
public:
    TEditTextCmd(TAppLogic& app, TEditForm& form);
    void Execute(void*) override;
    bool IsEnabled() const override { return OneEntryCurrent(); }

private:
    TEditForm& fForm;
};
