#pragma once

#include "framework/observer.h"
#include "model/question_set.h"
#include "model/selector_index.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TCategory;
class TLibrary;
class TQuestion;
class TSet;

enum class TDimension { Identity, Topic, QuestionType, Level, Paper, Resource };
constexpr int kDimensionCount = 6;

// The Question Finder's search: one optional criterion per dimension and the
// questions that meet them all. Narrowing filters the current matches; anything
// else recomputes from the library. Each effective change notifies once with the
// empty code set. The library must not change while a selector works on it.
class TQuestionSelector : public TObservable {
public:
    explicit TQuestionSelector(const TLibrary& library);
    ~TQuestionSelector() override;

    void Set(TDimension d, TCategory* category, bool reset);
    // The criterion, or the tree's root when there is none.
    TCategory* Current(TDimension d) const;
    // The categories of a dimension that occur in questions meeting every other
    // criterion, each with all its ancestors. The caller owns the set.
    std::unique_ptr<TSet> Available(TDimension d) const;
    TCategory* Filter(TDimension d) const { return fFilters[Index(d)]; }
    TCategory* Root(TDimension d) const;

    void SetIdentity(TCategory* c, bool reset) { Set(TDimension::Identity, c, reset); }
    void SetTopic(TCategory* c, bool reset) { Set(TDimension::Topic, c, reset); }
    void SetQuestionType(TCategory* c, bool reset) { Set(TDimension::QuestionType, c, reset); }
    void SetLevel(TCategory* c, bool reset) { Set(TDimension::Level, c, reset); }
    void SetPaper(TCategory* c, bool reset) { Set(TDimension::Paper, c, reset); }
    void SetResource(TCategory* c, bool reset) { Set(TDimension::Resource, c, reset); }

    // Narrows the result to these questions (those a full-text search found), in the
    // criteria's order, until changed again; null gives the criteria's whole result
    // back. The criteria and the text combine whichever is set first. The categories
    // offered by Available follow the criteria alone.
    using TQuestionSet = ::TQuestionSet;
    void SetTextFilter(std::shared_ptr<const TQuestionSet> questions);
    bool HasTextFilter() const { return fTextFilter != nullptr; }

    const std::vector<TQuestion*>& Matches() const { return fMatches; }

    // Whether a question meets criterion c of dimension d (c null: always).
    static bool Meets(const TQuestion& q, TDimension d, const TCategory* c);

private:
    using Filters = std::array<TCategory*, kDimensionCount>;
    static std::size_t Index(TDimension d) { return static_cast<std::size_t>(d); }
    // Results are positions of questions in the index, in pre-order of the question tree.
    void Compute(const Filters& filters, std::vector<std::uint32_t>& target) const;
    void Refine(TDimension d, const TCategory* c);
    bool MeetsAll(std::uint32_t question, const Filters& filters) const;
    static bool InRange(const TSelectorIndex::TColumn& column, std::uint32_t question,
                        std::uint32_t low, std::uint32_t high);
    void UpdateMatches();

    const TLibrary& fLibrary;
    std::unique_ptr<TSelectorIndex> fIndex;
    Filters fFilters{};
    std::vector<std::uint32_t> fMatchPositions;
    std::vector<TQuestion*> fMatches;
    std::shared_ptr<const TQuestionSet> fTextFilter;
};
