// A library data file and its text file in one input: four bytes giving the length of
// the data part, the data, then the text file. An accepted library must stand every
// walk, lookup and search the program makes on it.
#include "fuzz_support.h"

#include "framework/collections.h"
#include "framework/errors.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/selector.h"
#include "model/text_store.h"

#include <algorithm>
#include <vector>

namespace {

// Every node of a tree in pre-order, as the iterator gives them.
std::vector<TCategory*> Nodes(const TCategory* root) {
    std::vector<TCategory*> nodes;
    TCategoryIterator it(root);
    while (TCategory* c = it.Next())
        nodes.push_back(c);
    return nodes;
}

void ExerciseIdentities(const TLibrary& library, char tree, TInputChoice& choice) {
    const TIdentityCategory* root = library.IdentityRoot(tree);
    std::vector<TCategory*> nodes = Nodes(root);
    for (int i = 0; i < 16 && !nodes.empty(); ++i) {
        auto* identity = static_cast<TIdentityCategory*>(nodes[choice.Below(nodes.size())]);
        std::string id = FullID(*identity);
        // Some identity spells every full identifier, if not always this one.
        QB_FUZZ_CHECK(FindByID(root, id) != nullptr);
        QB_FUZZ_CHECK(identity->Depth() >= 0 && identity->Root() == root);
        for (char kind : {'Q', 'S', 'E', 'M', 'N', 'R'}) {
            TTextSegment* segment = identity->SegmentFor(kind);
            if (!segment) continue;
            (void)segment->GetID();
            (void)segment->GetTitle();
            try {
                (void)library.FindSegment(std::string(1, kind) + id);
            } catch (const EDataError&) {
                // Another identity may spell the same identifier first.
            }
        }
    }
}

void ExerciseTexts(const TLibrary& library, TInputChoice& choice) {
    std::vector<TCategory*> nodes = Nodes(library.QuestionRoot.get());
    for (int i = 0; i < 8 && !nodes.empty(); ++i) {
        auto* identity = static_cast<TIdentityCategory*>(nodes[choice.Below(nodes.size())]);
        for (char kind : {'Q', 'M', 'E', 'N'}) {
            TTextSegment* segment = identity->SegmentFor(kind);
            if (!segment || !segment->Chunk) continue;
            try {
                std::size_t total = 0;
                for (const std::string& line : segment->Chunk->GetLines())
                    total += line.size();
                (void)total;
                auto copy = segment->Chunk->Clone();
                QB_FUZZ_CHECK(!segment->Chunk->IsLoaded() || !segment->Chunk->Store);
            } catch (const EDataError&) {
                QB_FUZZ_CHECK(!segment->Chunk->IsLoaded());
            }
        }
    }
}

TCategory* Pick(const TCategory* root, TInputChoice& choice) {
    std::vector<TCategory*> nodes = Nodes(root);
    return nodes.empty() ? nullptr : nodes[choice.Below(nodes.size())];
}

void ExerciseSelector(const TLibrary& library, TInputChoice& choice) {
    TQuestionSelector selector(library);
    const std::size_t all = selector.Matches().size();
    constexpr TDimension dims[] = {TDimension::Identity,     TDimension::Topic,
                                   TDimension::QuestionType, TDimension::Level,
                                   TDimension::Paper,        TDimension::Resource};
    for (int step = 0; step < 6; ++step) {
        TDimension d = dims[choice.Below(kDimensionCount)];
        TCategory* c = Pick(selector.Root(d), choice);
        selector.Set(d, c, choice.Below(4) == 0);
        QB_FUZZ_CHECK(selector.Matches().size() <= all);
        for (TQuestion* q : selector.Matches())
            for (TDimension e : dims)
                QB_FUZZ_CHECK(TQuestionSelector::Meets(*q, e, selector.Filter(e)));
    }
    for (TDimension d : dims) {
        std::unique_ptr<TSet> available = selector.Available(d);
        QB_FUZZ_CHECK(available->Count() >= 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t dataSize = 0;
    if (size >= 4) {
        dataSize = static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8 |
                   static_cast<std::size_t>(data[2]) << 16 |
                   static_cast<std::size_t>(data[3]) << 24;
        dataSize = std::min(dataSize, size - 4);
    }
    const std::uint8_t* body = size >= 4 ? data + 4 : data;
    TMemoryStream dataStream(AsString(body, dataSize));
    TTextStore store(std::make_unique<TMemoryStream>(
        AsString(body + dataSize, size - (body - data) - dataSize)));
    std::unique_ptr<TLibrary> library;
    try {
        library = ReadLibraryData(dataStream, &store);
    } catch (const EError& e) {
        NoteRefused(e);
        return 0;
    }
    QB_FUZZ_CHECK(library->ObjectCount() >= 8);
    TInputChoice choice(data, size);
    for (char tree : {'Q', 'S', 'R'})
        ExerciseIdentities(*library, tree, choice);
    ExerciseTexts(*library, choice);
    ExerciseSelector(*library, choice);
    for (char tree : {'Q', 'S', 'R', 'Z'})
        (void)library->FindIdentity("1a", tree);
    return 0;
}
