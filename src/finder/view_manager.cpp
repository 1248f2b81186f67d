#include "finder/view_manager.h"

void TViewManager::SetVisible(bool visible) {
    if (visible == fVisible) return;
    fVisible = visible;
    Notify({vcVisible});
}

void TViewManager::SetDocked(bool docked) {
    fDocked = docked;
    Notify({vcDocked});
}

void TTSListManager::ShowKind(TListKind kind) {
    fVisible = true;
    if (kind != fKind) {
        fKind = kind;
        Notify({vcVisible, vcKind});
    } else {
        Notify({vcVisible});
    }
}
