#pragma once

#include "app/logic/codes.h"
#include "framework/command.h"
#include "framework/observer.h"

class TAppLogic;

// What makes an application command re-evaluate: a set of the application's codes
// (empty: every notification), and whether it follows the documents' notifications
// through the document relay as well.
struct TCommandTriggers {
    TCodeSet codes;
    bool viaRelay = false;
};

// The re-evaluation table of the system's application commands.
namespace Triggers {
inline const TCommandTriggers CurrentDoc{{ncCurrentDoc}, false};
inline const TCommandTriggers CurrentDocModified{{ncCurrentDoc, ncModified}, true};
inline const TCommandTriggers ModifiedDocDestroy{{ncModified, ncDocDestroy}, true};
inline const TCommandTriggers CurrentDocDocument{{ncCurrentDoc, ncDocument}, true};
inline const TCommandTriggers CurrentDocSelection{{ncCurrentDoc, ncCurrentSelection}, false};
inline const TCommandTriggers CurrentDocSelectionDocument{
    {ncCurrentDoc, ncCurrentSelection, ncDocument}, true};
inline const TCommandTriggers CurrentDocClipboard{{ncCurrentDoc, ncClipboard}, false};
inline const TCommandTriggers CurrentSelection{{ncCurrentSelection}, false};
inline const TCommandTriggers CurrentList{{ncCurrentList}, false};
inline const TCommandTriggers History{{ncHistory}, false};
} // namespace Triggers

// A command that follows the application logic (and, if its triggers say so, every
// open document) and re-evaluates its controls when a trigger code arrives.
class TAppCommand : public TCommand {
public:
    TAppCommand(TAppLogic& app, const TCommandTriggers& triggers);
    ~TAppCommand() override;

    virtual void Changed(TObservable* sender, const TCodeSet& changes);
    TAppLogic& App() const { return fApp; }

protected:
    void Attach() override;

private:
    TAppLogic& fApp;
    TCommandTriggers fTriggers;
    bool fAttached = false;
};
