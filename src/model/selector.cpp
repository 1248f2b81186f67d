#include "model/selector.h"

#include "framework/collections.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"

namespace {
// The order in which a question is tested against the criteria.
constexpr TDimension kTestOrder[] = {TDimension::Identity,     TDimension::Topic,
                                     TDimension::QuestionType, TDimension::Level,
                                     TDimension::Resource,     TDimension::Paper};

template <class List> bool AnyOnPath(const List& list, const TCategory* c) {
    for (const TCategory* x : list)
        if (x && x->IsOnUpwardPath(c)) return true;
    return false;
}

template <class List> void AddWithAncestors(TSet& set, const List& list) {
    for (TCategory* x : list) {
        for (TCategory* n = x; n; n = n->Parent)
            if (set.Add(n)) break; // already there, and so are its ancestors
    }
}
} // namespace

TQuestionSelector::TQuestionSelector(const TLibrary& library) : fLibrary(library) {
    Compute(fFilters, fMatches);
}

TQuestionSelector::~TQuestionSelector() = default;

TCategory* TQuestionSelector::Root(TDimension d) const {
    switch (d) {
    case TDimension::Identity: return fLibrary.QuestionRoot.get();
    case TDimension::Topic: return fLibrary.TopicRoot.get();
    case TDimension::QuestionType: return fLibrary.QuestionTypeRoot.get();
    case TDimension::Level: return fLibrary.LevelRoot.get();
    case TDimension::Paper: return fLibrary.PaperRoot.get();
    case TDimension::Resource: return fLibrary.ResourceRoot.get();
    }
    return nullptr;
}

TCategory* TQuestionSelector::Current(TDimension d) const {
    TCategory* f = fFilters[Index(d)];
    return f ? f : Root(d);
}

bool TQuestionSelector::Meets(const TQuestion& q, TDimension d, const TCategory* c) {
    if (!c) return true;
    switch (d) {
    case TDimension::Identity: return q.Identity && q.Identity->IsOnUpwardPath(c);
    case TDimension::Topic: return AnyOnPath(q.Topics, c);
    case TDimension::QuestionType: return q.QuestionType && q.QuestionType->IsOnUpwardPath(c);
    case TDimension::Level: return q.Level && q.Level->IsOnUpwardPath(c);
    case TDimension::Paper: return AnyOnPath(q.Papers, c);
    case TDimension::Resource: return AnyOnPath(q.Resources, c);
    }
    return false;
}

void TQuestionSelector::Compute(const Filters& filters, std::vector<TQuestion*>& target) const {
    target.clear();
    TCategoryIterator it(fLibrary.QuestionRoot.get());
    while (TCategory* c = it.Next()) {
        auto* question = static_cast<TQuestion*>(static_cast<TIdentityCategory*>(c)->Question.get());
        if (!question) continue;
        bool ok = true;
        for (TDimension d : kTestOrder) {
            if (!Meets(*question, d, filters[Index(d)])) {
                ok = false;
                break;
            }
        }
        if (ok) target.push_back(question);
    }
}

void TQuestionSelector::Refine(TDimension d, const TCategory* c) {
    std::vector<TQuestion*> previous;
    previous.swap(fMatches);
    fMatches.reserve(previous.size());
    for (TQuestion* q : previous)
        if (Meets(*q, d, c)) fMatches.push_back(q);
}

void TQuestionSelector::Set(TDimension d, TCategory* category, bool reset) {
    TCategory* c = category == Root(d) ? nullptr : category;
    TCategory*& filter = fFilters[Index(d)];
    if (c == filter && !reset) return;
    if (reset) fFilters.fill(nullptr);
    if (filter && c && c->IsOnUpwardPath(filter)) filter = nullptr; // narrows
    if (!filter && !reset) {
        Refine(d, c);
    } else {
        Filters with = fFilters;
        with[Index(d)] = c;
        Compute(with, fMatches);
    }
    filter = c;
    Notify({});
}

std::unique_ptr<TSet> TQuestionSelector::Available(TDimension d) const {
    std::vector<TQuestion*> others;
    const std::vector<TQuestion*>* list = &fMatches;
    if (fFilters[Index(d)]) {
        Filters without = fFilters;
        without[Index(d)] = nullptr;
        Compute(without, others);
        list = &others;
    }
    auto set = std::make_unique<TSet>(201);
    for (TQuestion* q : *list) {
        switch (d) {
        case TDimension::Identity:
            if (q->Identity) AddWithAncestors(*set, std::array<TCategory*, 1>{q->Identity});
            break;
        case TDimension::Topic: AddWithAncestors(*set, q->Topics); break;
        case TDimension::QuestionType:
            if (q->QuestionType) AddWithAncestors(*set, std::array<TCategory*, 1>{q->QuestionType});
            break;
        case TDimension::Level:
            if (q->Level) AddWithAncestors(*set, std::array<TCategory*, 1>{q->Level});
            break;
        case TDimension::Paper: AddWithAncestors(*set, q->Papers); break;
        case TDimension::Resource: AddWithAncestors(*set, q->Resources); break;
        }
    }
    return set;
}
