#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <vector>

// A set of notification codes 0..255, passed by value.
class TCodeSet {
public:
    TCodeSet() = default;
    TCodeSet(std::initializer_list<int> codes) {
        for (int c : codes) Add(c);
    }
    void Add(int code) { fBits.set(static_cast<std::size_t>(code & 0xFF)); }
    bool Has(int code) const { return fBits.test(static_cast<std::size_t>(code & 0xFF)); }
    bool Empty() const { return fBits.none(); }
    bool Intersects(const TCodeSet& other) const { return (fBits & other.fBits).any(); }
    TCodeSet operator|(const TCodeSet& other) const {
        TCodeSet r;
        r.fBits = fBits | other.fBits;
        return r;
    }
    bool operator==(const TCodeSet& other) const { return fBits == other.fBits; }

private:
    std::bitset<256> fBits;
};

class TObservable;

// A bound method: the same procedure on the same receiver compares equal.
struct THandler {
    using Proc = void (*)(void* receiver, TObservable* sender, const TCodeSet& codes);
    void* receiver = nullptr;
    Proc proc = nullptr;
    bool operator==(const THandler&) const = default;
    void operator()(TObservable* sender, const TCodeSet& codes) const { proc(receiver, sender, codes); }
};

// MakeHandler<&TFoo::Changed>(foo) binds TFoo::Changed(TObservable*, const TCodeSet&).
template <auto Method, class C> THandler MakeHandler(C* receiver) {
    return THandler{receiver, [](void* r, TObservable* sender, const TCodeSet& codes) {
                        (static_cast<C*>(r)->*Method)(sender, codes);
                    }};
}

class TObservable {
public:
    TObservable() = default;
    virtual ~TObservable() = default;
    TObservable(const TObservable&) = delete;
    TObservable& operator=(const TObservable&) = delete;

    virtual void Notify(TCodeSet codes);
    virtual void AddObserver(const THandler& handler);
    // Removes the last-added record equal to the handler; never raises.
    virtual void RemoveObserver(const THandler& handler);

    std::size_t ObserverCount() const { return fObservers.size(); }

protected:
    // Calls every handler with `sender`, tolerating handlers that add or remove
    // handlers or notify again while being called.
    void CallHandlers(TObservable* sender, const TCodeSet& codes);

private:
    std::vector<THandler> fObservers;
    std::ptrdiff_t fNotifyIndex = 0;
};

// Passes on the notifications of every attached subject, naming that subject as sender.
class TNotificationRelay : public TObservable {
public:
    TNotificationRelay() = default;
    ~TNotificationRelay() override;

    virtual void Relay(TObservable* sender, const TCodeSet& codes);
    virtual void Attach(TObservable* subject);
    virtual void Detach(TObservable* subject);
    const std::vector<TObservable*>& Sources() const { return fSources; }

private:
    std::vector<TObservable*> fSources;
};
