#include "finder/view_commands.h"

TDockCmd::~TDockCmd() {
    if (fAttached) fManager.RemoveObserver(MakeHandler<&TDockCmd::Changed>(this));
}

void TDockCmd::Attach() {
    if (fAttached) return;
    fAttached = true;
    fManager.AddObserver(MakeHandler<&TDockCmd::Changed>(this));
}
