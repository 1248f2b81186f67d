// The Question Finder's search over the large library.
#include "bench_state.h"

#include "framework/collections.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/selector.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr TDimension kDimensions[] = {TDimension::Identity,     TDimension::Topic,
                                      TDimension::QuestionType, TDimension::Level,
                                      TDimension::Paper,        TDimension::Resource};
constexpr const char* kDimensionNames[] = {"Identity", "Topic", "QuestionType",
                                           "Level",    "Paper", "Resource"};

// A criterion in each dimension: the first child of its tree's root, so that it keeps
// a fair share of the questions.
TCategory* FirstChild(TCategory* root) {
    return root && !root->Children.empty() ? root->Children.front().get() : root;
}

void BM_SelectorCompute(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    std::size_t matches = 0;
    for (auto _ : state) {
        TQuestionSelector selector(library);
        matches = selector.Matches().size();
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_SelectorCompute)->Unit(benchmark::kMillisecond);

// A topic chosen with no criterion set filters all 100,000 questions.
void BM_SelectorRefineTopic(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    TQuestionSelector selector(library);
    TCategory* topic = FirstChild(library.TopicRoot.get());
    std::size_t matches = 0;
    for (auto _ : state) {
        selector.SetTopic(topic, false);
        matches = selector.Matches().size();
        state.PauseTiming();
        selector.SetTopic(library.TopicRoot.get(), false); // back to every question
        state.ResumeTiming();
    }
    state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_SelectorRefineTopic)->Unit(benchmark::kMillisecond);

// The first search in a dimension also builds that dimension's column of the index.
void BM_SelectorFirstTopicSearch(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    TCategory* topic = FirstChild(library.TopicRoot.get());
    for (auto _ : state) {
        state.PauseTiming();
        auto selector = std::make_unique<TQuestionSelector>(library);
        state.ResumeTiming();
        selector->SetTopic(topic, false);
        benchmark::DoNotOptimize(selector->Matches().size());
        state.PauseTiming();
        selector.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectorFirstTopicSearch)->Unit(benchmark::kMillisecond);

// Choosing a topic sideways recomputes from the whole library.
void BM_SelectorRecomputeTopic(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    TQuestionSelector selector(library);
    TCategory* a = library.TopicRoot->Children[0].get();
    TCategory* b = library.TopicRoot->Children[1].get();
    bool flip = false;
    for (auto _ : state) {
        selector.SetTopic(flip ? a : b, false);
        flip = !flip;
    }
    state.counters["matches"] = static_cast<double>(selector.Matches().size());
}
BENCHMARK(BM_SelectorRecomputeTopic)->Unit(benchmark::kMillisecond);

// Available for one dimension: with no criteria (the finder just opened), and with a
// criterion in that dimension, which the answer must ignore and so recompute.
void BM_SelectorAvailable(benchmark::State& state) {
    const TLibrary& library = BenchLibrary();
    const auto d = kDimensions[state.range(0)];
    const bool withCriterion = state.range(1) != 0;
    TQuestionSelector selector(library);
    if (withCriterion) selector.Set(d, FirstChild(selector.Root(d)), false);
    std::int32_t found = 0;
    for (auto _ : state) {
        std::unique_ptr<TSet> available = selector.Available(d);
        found = available->Count();
    }
    state.counters["categories"] = found;
    state.counters["matches"] = static_cast<double>(selector.Matches().size());
    state.SetLabel(std::string(kDimensionNames[state.range(0)]) +
                   (withCriterion ? " with its criterion" : ""));
}
BENCHMARK(BM_SelectorAvailable)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->ArgNames({"dim", "criterion"})
    ->Unit(benchmark::kMillisecond);

} // namespace
