#include "app/logic/app_command.h"

#include "app/logic/app_logic.h"

TAppCommand::TAppCommand(TAppLogic& app, const TCommandTriggers& triggers)
    : fApp(app), fTriggers(triggers) {}

TAppCommand::~TAppCommand() {
    if (!fAttached) return;
    if (fTriggers.viaRelay) fApp.DocumentRelay().RemoveObserver(MakeHandler<&TAppCommand::Changed>(this));
    fApp.RemoveObserver(MakeHandler<&TAppCommand::Changed>(this));
}

void TAppCommand::Attach() {
    if (fAttached) return;
    fAttached = true;
    fApp.AddObserver(MakeHandler<&TAppCommand::Changed>(this));
    if (fTriggers.viaRelay) fApp.DocumentRelay().AddObserver(MakeHandler<&TAppCommand::Changed>(this));
}

void TAppCommand::Changed(TObservable*, const TCodeSet& changes) {
    if (fTriggers.codes.Empty() || changes.Intersects(fTriggers.codes)) UpdateState();
}
