#include "app/logic/sheet_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "app/logic/user_prompts.h"
#include "sheets/mark_sheet.h"

namespace {

// Adding or removing entries changes what the commands can work on.
const TCommandTriggers kSheetTriggers{{ncCurrentDoc, ncModified, ncDocument}, true};

} // namespace

TSheetCmd::TSheetCmd(TAppLogic& app, TSheetFiles& files)
    : TAppCommand(app, kSheetTriggers), fFiles(files) {}

bool TSheetCmd::IsEnabled() const {
    const TDocLogic* doc = App().CurrentDoc();
    return doc && !doc->Document().Entries.empty();
}

TCreateMarkSheetCmd::TCreateMarkSheetCmd(TAppLogic& app, TSheetFiles& files,
                                         TSheetSettingsFn settings)
    : TSheetCmd(app, files), fSettings(std::move(settings)) {}

void TCreateMarkSheetCmd::Execute(void*) {
    if (!IsEnabled() || !App().Library()) return;
    TMarkSheetRequest request;
    if (App().Prompts().Ask("Do you want to use a Student list?", true) == TAnswer::Yes)
        request.StudentList = Files().ChooseStudentList();
    std::optional<std::string> out = Files().ChooseOutput();
    if (!out) return;
    TSheetSettings settings = fSettings();
    request.TemplatePath = settings.TemplatePath;
    request.UseResource = settings.UseResource;
    TMarkSheetStudents students =
        WriteMarkSheet(App().CurrentDoc()->Document(), *App().Library(), request, *out);
    for (const std::string& warning : students.Warnings)
        App().Prompts().Inform(warning);
    Files().Show(*out);
}

void TCreateSummaryCmd::Execute(void*) {
    if (!IsEnabled() || !App().Library()) return;
    std::optional<std::string> out = Files().ChooseOutput();
    if (!out) return;
    WriteFileIndex(App().CurrentDoc()->Document(), *App().Library(), *out);
    Files().Show(*out);
}
