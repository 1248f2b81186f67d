#include "output/print/derive_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"

TCreateMarkSchemeCmd::TCreateMarkSchemeCmd(TAppLogic& app)
    : TAppCommand(app, Triggers::CurrentDocDocument) {}

bool TCreateMarkSchemeCmd::IsEnabled() const {
    const TDocLogic* doc = App().CurrentDoc();
    return doc && !doc->Document().Entries.empty();
}

void TCreateMarkSchemeCmd::Execute(void*) {
    if (IsEnabled()) App().CreateMarkSchemeDocument();
}

void TCreateReportCmd::Execute(void*) {
    if (IsEnabled()) App().CreateReportDocument();
}
