#include "framework/observer.h"

#include <algorithm>

void TObservable::Notify(TCodeSet codes) { CallHandlers(this, codes); }

void TObservable::CallHandlers(TObservable* sender, const TCodeSet& codes) {
    // The count is re-read at every step and the index is shared with nested passes:
    // a nested notification leaves it at the end, which ends the outer pass too.
    for (fNotifyIndex = 0; fNotifyIndex < static_cast<std::ptrdiff_t>(fObservers.size());
         ++fNotifyIndex) {
        THandler h = fObservers[static_cast<std::size_t>(fNotifyIndex)];
        h(sender, codes);
    }
}

void TObservable::AddObserver(const THandler& handler) { fObservers.push_back(handler); }

void TObservable::RemoveObserver(const THandler& handler) {
    for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(fObservers.size()) - 1; i >= 0; --i) {
        if (fObservers[static_cast<std::size_t>(i)] == handler) {
            fObservers.erase(fObservers.begin() + i);
            if (fNotifyIndex >= i) --fNotifyIndex;
            return;
        }
    }
}

TNotificationRelay::~TNotificationRelay() {
    for (TObservable* s : fSources) s->RemoveObserver(MakeHandler<&TNotificationRelay::Relay>(this));
}

void TNotificationRelay::Relay(TObservable* sender, const TCodeSet& codes) {
    CallHandlers(sender, codes);
}

void TNotificationRelay::Attach(TObservable* subject) {
    subject->AddObserver(MakeHandler<&TNotificationRelay::Relay>(this));
    fSources.push_back(subject);
}

void TNotificationRelay::Detach(TObservable* subject) {
    subject->RemoveObserver(MakeHandler<&TNotificationRelay::Relay>(this));
    auto it = std::find(fSources.begin(), fSources.end(), subject);
    if (it != fSources.end()) fSources.erase(it);
}
