#include "model/selector.h"

#include "framework/collections.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/selector_index.h"

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

template <class List>
void AddStrays(TSet& set, const List& list, const TSelectorIndex::TTree& tree) {
    for (TCategory* x : list)
        if (x && tree.PositionOf(x) == TSelectorIndex::kNone)
            AddWithAncestors(set, std::array<TCategory*, 1>{x});
}

} // namespace

TQuestionSelector::TQuestionSelector(const TLibrary& library) : fLibrary(library) {
    std::array<const TCategory*, kDimensionCount> roots{};
    for (int d = 0; d < kDimensionCount; ++d)
        roots[static_cast<std::size_t>(d)] = Root(static_cast<TDimension>(d));
    fIndex = std::make_unique<TSelectorIndex>(roots);
    Compute(fFilters, fMatchPositions);
    UpdateMatches();
}

TQuestionSelector::~TQuestionSelector() = default;

TCategory* TQuestionSelector::Root(TDimension d) const {
    switch (d) {
    case TDimension::Identity:
        return fLibrary.QuestionRoot.get();
    case TDimension::Topic:
        return fLibrary.TopicRoot.get();
    case TDimension::QuestionType:
        return fLibrary.QuestionTypeRoot.get();
    case TDimension::Level:
        return fLibrary.LevelRoot.get();
    case TDimension::Paper:
        return fLibrary.PaperRoot.get();
    case TDimension::Resource:
        return fLibrary.ResourceRoot.get();
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
    case TDimension::Identity:
        return q.Identity && q.Identity->IsOnUpwardPath(c);
    case TDimension::Topic:
        return AnyOnPath(q.Topics, c);
    case TDimension::QuestionType:
        return q.QuestionType && q.QuestionType->IsOnUpwardPath(c);
    case TDimension::Level:
        return q.Level && q.Level->IsOnUpwardPath(c);
    case TDimension::Paper:
        return AnyOnPath(q.Papers, c);
    case TDimension::Resource:
        return AnyOnPath(q.Resources, c);
    }
    return false;
}

bool TQuestionSelector::MeetsAll(std::uint32_t question, const Filters& filters) const {
    const TQuestion& q = *fIndex->Question(question);
    for (TDimension d : kTestOrder)
        if (!Meets(q, d, filters[Index(d)])) return false;
    return true;
}

void TQuestionSelector::Compute(const Filters& filters, std::vector<std::uint32_t>& target) const {
    target.clear();
    const std::uint32_t count = fIndex->QuestionCount();
    // Criteria as position ranges. A criterion from outside its dimension's tree (only a
    // caller's mistake can make one) is answered by walking up from every question.
    struct TRange {
        const TSelectorIndex::TColumn* column;
        std::uint32_t low, high; // subtree positions [low, high)
    };
    TRange ranges[kDimensionCount];
    int active = 0;
    for (TDimension d : kTestOrder) {
        const TCategory* c = filters[Index(d)];
        if (!c) continue;
        const auto& tree = fIndex->Tree(static_cast<int>(d));
        const std::uint32_t p = tree.PositionOf(c);
        if (p == TSelectorIndex::kNone) {
            for (std::uint32_t i = 0; i < count; ++i)
                if (MeetsAll(i, filters)) target.push_back(i);
            return;
        }
        ranges[active++] = {&fIndex->Column(static_cast<int>(d)), p, tree.SubtreeEnd[p]};
    }
    target.reserve(active ? count / 4 : count);
    for (std::uint32_t i = 0; i < count; ++i) {
        bool ok = true;
        for (int r = 0; r < active && ok; ++r)
            ok = InRange(*ranges[r].column, i, ranges[r].low, ranges[r].high);
        if (ok) target.push_back(i);
    }
}

bool TQuestionSelector::InRange(const TSelectorIndex::TColumn& column, std::uint32_t question,
                                std::uint32_t low, std::uint32_t high) {
    for (const std::uint32_t* v = column.Begin(question); v != column.End(question); ++v)
        if (*v >= low && *v < high) return true;
    return false;
}

void TQuestionSelector::Refine(TDimension d, const TCategory* c) {
    std::vector<std::uint32_t> previous;
    previous.swap(fMatchPositions);
    fMatchPositions.reserve(previous.size());
    const auto& tree = fIndex->Tree(static_cast<int>(d));
    const std::uint32_t p = tree.PositionOf(c);
    if (p == TSelectorIndex::kNone) {
        for (std::uint32_t i : previous)
            if (Meets(*fIndex->Question(i), d, c)) fMatchPositions.push_back(i);
        return;
    }
    const std::uint32_t end = tree.SubtreeEnd[p];
    const auto& column = fIndex->Column(static_cast<int>(d));
    for (std::uint32_t i : previous)
        if (InRange(column, i, p, end)) fMatchPositions.push_back(i);
}

void TQuestionSelector::UpdateMatches() {
    fMatches.clear();
    fMatches.reserve(fMatchPositions.size());
    for (std::uint32_t i : fMatchPositions) {
        TQuestion* q = fIndex->Question(i);
        if (!fTextFilter || fTextFilter->count(q)) fMatches.push_back(q);
    }
}

void TQuestionSelector::SetTextFilter(std::shared_ptr<const TQuestionSet> questions) {
    if (!questions && !fTextFilter) return;
    fTextFilter = std::move(questions);
    UpdateMatches();
    Notify({});
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
        Compute(with, fMatchPositions);
    }
    UpdateMatches();
    filter = c;
    Notify({});
}

std::unique_ptr<TSet> TQuestionSelector::Available(TDimension d) const {
    std::vector<std::uint32_t> others;
    const std::vector<std::uint32_t>* list = &fMatchPositions;
    if (fFilters[Index(d)]) {
        Filters without = fFilters;
        without[Index(d)] = nullptr;
        Compute(without, others);
        list = &others;
    }
    // Mark the categories and their ancestors by position first, then fill a set made
    // large enough at once: far cheaper than growing a hash set category by category.
    const int dim = static_cast<int>(d);
    const auto& tree = fIndex->Tree(dim);
    std::vector<char> marked(tree.Categories.size(), 0);
    std::int32_t count = 0;
    bool strays = false;
    const auto& column = fIndex->Column(dim);
    for (std::uint32_t i : *list) {
        const std::uint32_t* end = column.End(i);
        for (const std::uint32_t* v = column.Begin(i); v != end; ++v) {
            if (*v == TSelectorIndex::kNone) {
                strays = true;
                continue;
            }
            for (std::uint32_t p = *v; p != TSelectorIndex::kNone && !marked[p];
                 p = tree.Parent[p]) {
                marked[p] = 1;
                ++count;
            }
        }
    }
    auto set = std::make_unique<TSet>(count > 201 ? count : 201);
    for (std::size_t p = 0; p < marked.size(); ++p)
        if (marked[p]) set->Add(tree.Categories[p]);
    // Categories that lie outside the dimension's tree still count, with their ancestors.
    if (strays) {
        for (std::uint32_t i : *list) {
            const TQuestion& q = *fIndex->Question(i);
            switch (d) {
            case TDimension::Identity:
                break; // the question tree is the identity tree
            case TDimension::Topic:
                AddStrays(*set, q.Topics, tree);
                break;
            case TDimension::QuestionType:
                AddStrays(*set, std::array<TCategory*, 1>{q.QuestionType}, tree);
                break;
            case TDimension::Level:
                AddStrays(*set, std::array<TCategory*, 1>{q.Level}, tree);
                break;
            case TDimension::Paper:
                AddStrays(*set, q.Papers, tree);
                break;
            case TDimension::Resource:
                AddStrays(*set, q.Resources, tree);
                break;
            }
        }
    }
    return set;
}
