#pragma once

#include "app/logic/app_command.h"

#include <QString>

#include <functional>

class QWidget;
class TPrintForm;

// What the printing and export commands share: the print form, the organisation
// for the footer, the window their dialogs belong to, and where a finished export
// is reported (the main window's status line).
struct TOutputContext {
    TPrintForm& printForm;
    QString organisation;
    QWidget* dialogParent = nullptr;
    std::function<void(const QString&)> showStatus;
    // The save dialog: returns the chosen path, or empty when cancelled. The dialog
    // asks no question of its own about an existing file. Replaced in tests.
    std::function<QString(const QString& filter, const QString& defaultSuffix)> chooseFile;
};

// The file dialog the commands use unless told otherwise.
QString ChooseSaveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix);

class TPrintSetupCmd : public TCommand {
public:
    explicit TPrintSetupCmd(TOutputContext& context) : fContext(context) {}
    void Execute(void*) override;

private:
    TOutputContext& fContext;
};

// Enabled while there is a current document holding at least one entry.
class TOutputCmd : public TAppCommand {
public:
    TOutputCmd(TAppLogic& app, TOutputContext& context);
    bool IsEnabled() const override;

protected:
    void AssembleCurrent();
    TOutputContext& Context() const { return fContext; }

private:
    TOutputContext& fContext;
};

class TPrintCmd : public TOutputCmd {
public:
    using TOutputCmd::TOutputCmd;
    void Execute(void*) override;
};

class TPrintPreviewCmd : public TOutputCmd {
public:
    using TOutputCmd::TOutputCmd;
    void Execute(void*) override;
};

// Writes the assembled document to a file chosen in the save dialog, asking before
// it replaces a file; No and Cancel go back to the dialog.
class TFileExportCmd : public TOutputCmd {
public:
    using TOutputCmd::TOutputCmd;
    void Execute(void*) override;

protected:
    virtual QString Filter() const = 0;
    virtual QString DefaultSuffix() const = 0;
    virtual void Write(const QString& path) = 0;
};

// "Export to WP": RTF for a word processor.
class TExportCmd : public TFileExportCmd {
public:
    using TFileExportCmd::TFileExportCmd;

protected:
    QString Filter() const override;
    QString DefaultSuffix() const override;
    void Write(const QString& path) override;
};

// The printed pages as a PDF file.
class TExportPdfCmd : public TFileExportCmd {
public:
    using TFileExportCmd::TFileExportCmd;

protected:
    QString Filter() const override;
    QString DefaultSuffix() const override;
    void Write(const QString& path) override;
};
