#pragma once

#include "app/logic/app_command.h"

#include <functional>
#include <optional>
#include <string>

// The files the spreadsheet commands ask for, and the desktop they hand the result to;
// the main window answers with its dialogs, tests with scripted answers.
class TSheetFiles {
public:
    virtual ~TSheetFiles() = default;
    // The student list to fill the sheet's rows from; nullopt when cancelled.
    virtual std::optional<std::string> ChooseStudentList() = 0;
    // Where to save the workbook; nullopt when cancelled.
    virtual std::optional<std::string> ChooseOutput() = 0;
    // Opens a saved workbook in the desktop's spreadsheet program.
    virtual void Show(const std::string& path) = 0;
};

// What the mark entry sheet is made with, as the main window has it at the time.
struct TSheetSettings {
    std::string TemplatePath;
    bool UseResource = true;
};
using TSheetSettingsFn = std::function<TSheetSettings()>;

// Enabled while the current document holds at least one entry.
class TSheetCmd : public TAppCommand {
public:
    TSheetCmd(TAppLogic& app, TSheetFiles& files);
    bool IsEnabled() const override;

protected:
    TSheetFiles& Files() const { return fFiles; }

private:
    TSheetFiles& fFiles;
};

// "Create &Mark Entry Sheet": asks whether to use a student list, where to save, and
// writes the sheet from the template.
class TCreateMarkSheetCmd : public TSheetCmd {
public:
    TCreateMarkSheetCmd(TAppLogic& app, TSheetFiles& files, TSheetSettingsFn settings);
    void Execute(void* sender) override;

private:
    TSheetSettingsFn fSettings;
};

// "Create &File Index": asks where to save and writes the file index.
class TCreateSummaryCmd : public TSheetCmd {
public:
    using TSheetCmd::TSheetCmd;
    void Execute(void* sender) override;
};
