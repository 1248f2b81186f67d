#include "framework/observer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Appends "<name><first code>" (or "<name>-" for an empty set) to a shared log and
// then runs an optional action.
class Probe {
public:
    Probe(std::string name, std::vector<std::string>& log) : fName(std::move(name)), fLog(log) {}
    void Changed(TObservable* sender, const TCodeSet& codes) {
        lastSender = sender;
        std::string entry = fName;
        int first = -1;
        for (int c = 0; c < 256 && first < 0; ++c)
            if (codes.Has(c)) first = c;
        entry += first < 0 ? "-" : std::to_string(first);
        fLog.push_back(entry);
        // A copy, so that an action may replace itself while it runs.
        if (auto run = action) run();
    }
    THandler Handler() { return MakeHandler<&Probe::Changed>(this); }

    std::function<void()> action;
    TObservable* lastSender = nullptr;

private:
    std::string fName;
    std::vector<std::string>& fLog;
};

using Log = std::vector<std::string>;

} // namespace

TEST(Observer, HandlersAreCalledInOrderWithSenderAndCodes) {
    Log log;
    TObservable subject;
    Probe a("A", log), b("B", log);
    subject.AddObserver(a.Handler());
    subject.AddObserver(b.Handler());
    subject.Notify({7, 200});
    subject.Notify({}); // an empty set is delivered like any other
    EXPECT_EQ(log, (Log{"A7", "B7", "A-", "B-"}));
    EXPECT_EQ(a.lastSender, &subject);

    TCodeSet codes{3, 255};
    EXPECT_TRUE(codes.Has(3) && codes.Has(255) && !codes.Has(4));
    EXPECT_TRUE(TCodeSet{}.Empty());
    EXPECT_TRUE(codes.Intersects(TCodeSet{255}));
    EXPECT_FALSE(codes.Intersects(TCodeSet{4}));
}

TEST(Observer, HandlersRemovingThemselvesDuringAPass) {
    Log log;
    TObservable subject;
    Probe a("A", log), b("B", log), c("C", log);
    subject.AddObserver(a.Handler());
    subject.AddObserver(b.Handler());
    subject.AddObserver(c.Handler());
    b.action = [&] { subject.RemoveObserver(b.Handler()); };
    subject.Notify({1});
    EXPECT_EQ(log, (Log{"A1", "B1", "C1"}));

    // The last handler removing itself ends the pass.
    log.clear();
    c.action = [&] { subject.RemoveObserver(c.Handler()); };
    subject.Notify({2});
    EXPECT_EQ(log, (Log{"A2", "C2"}));
    EXPECT_EQ(subject.ObserverCount(), 1u);

    // A handler removing one that was already called does not skip the next one.
    log.clear();
    subject.AddObserver(b.Handler());
    subject.AddObserver(c.Handler());
    b.action = [&] { subject.RemoveObserver(a.Handler()); };
    c.action = nullptr;
    subject.Notify({3});
    EXPECT_EQ(log, (Log{"A3", "B3", "C3"}));

    // A handler added during a pass is called in the same pass.
    log.clear();
    Probe d("D", log);
    b.action = [&] {
        subject.AddObserver(d.Handler());
        b.action = nullptr;
    };
    subject.Notify({4});
    EXPECT_EQ(log, (Log{"B4", "C4", "D4"}));
}

TEST(Observer, AHandlerAddedTwiceIsCalledTwiceAndRemovedFromTheEnd) {
    Log log;
    TObservable subject;
    Probe a("A", log), b("B", log);
    subject.AddObserver(a.Handler());
    subject.AddObserver(b.Handler());
    subject.AddObserver(a.Handler());
    subject.Notify({1});
    EXPECT_EQ(log, (Log{"A1", "B1", "A1"}));

    log.clear();
    subject.RemoveObserver(a.Handler()); // the later copy goes
    subject.Notify({2});
    EXPECT_EQ(log, (Log{"A2", "B2"}));

    // Removing a handler that was never added does nothing, not even raise.
    Probe stranger("X", log);
    log.clear();
    subject.RemoveObserver(stranger.Handler());
    subject.Notify({3});
    EXPECT_EQ(log, (Log{"A3", "B3"}));

    // Same procedure, other receiver: a different handler.
    EXPECT_FALSE(a.Handler() == b.Handler());
    EXPECT_TRUE(a.Handler() == a.Handler());
}

TEST(Observer, ANestedNotificationEndsTheOuterPass) {
    Log log;
    TObservable subject;
    Probe a("A", log), b("B", log), c("C", log);
    subject.AddObserver(a.Handler());
    subject.AddObserver(b.Handler());
    subject.AddObserver(c.Handler());
    a.action = [&] {
        a.action = nullptr;
        subject.Notify({2});
    };
    subject.Notify({1});
    // B and C see only the nested notification.
    EXPECT_EQ(log, (Log{"A1", "A2", "B2", "C2"}));

    // Nesting on another subject does not disturb this one's pass.
    log.clear();
    TObservable other;
    Probe x("X", log);
    other.AddObserver(x.Handler());
    b.action = [&] { other.Notify({9}); };
    subject.Notify({3});
    EXPECT_EQ(log, (Log{"A3", "B3", "X9", "C3"}));
}

TEST(Observer, RelayPassesNotificationsWithTheOriginalSender) {
    Log log;
    TObservable doc1, doc2;
    Probe watcher("W", log);
    {
        TNotificationRelay relay;
        relay.AddObserver(watcher.Handler());
        relay.Attach(&doc1);
        relay.Attach(&doc2);
        EXPECT_EQ(relay.Sources(), (std::vector<TObservable*>{&doc1, &doc2}));

        doc1.Notify({1});
        EXPECT_EQ(watcher.lastSender, &doc1);
        doc2.Notify({2});
        EXPECT_EQ(watcher.lastSender, &doc2);
        relay.Notify({3});
        EXPECT_EQ(watcher.lastSender, &relay);
        EXPECT_EQ(log, (Log{"W1", "W2", "W3"}));

        relay.Detach(&doc1);
        EXPECT_EQ(doc1.ObserverCount(), 0u);
        EXPECT_EQ(relay.Sources(), std::vector<TObservable*>{&doc2});
        doc1.Notify({4});
        EXPECT_EQ(log.size(), 3u);
        doc2.Notify({5});
        EXPECT_EQ(log.back(), "W5");
    }
    // A destroyed relay has left every subject it was attached to.
    EXPECT_EQ(doc2.ObserverCount(), 0u);
    doc2.Notify({6});
    EXPECT_EQ(log.size(), 4u);
}
