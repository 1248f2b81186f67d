#pragma once

#include "app/logic/app_command.h"

// "Create Mark Scheme": a new untitled document of the current test's mark schemes.
// Enabled while the current document holds at least one entry.
class TCreateMarkSchemeCmd : public TAppCommand {
public:
    explicit TCreateMarkSchemeCmd(TAppLogic& app);
    bool IsEnabled() const override;
    void Execute(void*) override;
};

// "Create Report": the examiner's reports of the current test, or of the first open
// test when the current document holds no question.
class TCreateReportCmd : public TCreateMarkSchemeCmd {
public:
    using TCreateMarkSchemeCmd::TCreateMarkSchemeCmd;
    void Execute(void*) override;
};
