#include "find_command.h"

#include "category_paths.h"
#include "framework/collections.h"
#include "framework/cp1252.h"
#include "framework/errors.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/selector.h"
#include "tool_options.h"

#include <ostream>
#include <string_view>

namespace {

struct TKind {
    std::string_view word; // after --available, and the option without its dashes
    std::string_view noun; // in messages
    TDimension dimension;
};

constexpr TKind kKinds[] = {
    {"topic", "topic", TDimension::Topic},
    {"type", "question type", TDimension::QuestionType},
    {"level", "level", TDimension::Level},
    {"paper", "paper", TDimension::Paper},
    {"identity", "identity", TDimension::Identity},
    {"resource", "resource", TDimension::Resource},
};

const TKind* KindOfOption(std::string_view option) {
    for (const TKind& k : kKinds)
        if (option.size() == k.word.size() + 2 && option.substr(2) == k.word) return &k;
    return nullptr;
}

const TKind* KindOfWord(std::string_view word) {
    for (const TKind& k : kKinds)
        if (word == k.word) return &k;
    return nullptr;
}

struct TCriterion {
    const TKind* kind;
    std::string path;
    bool reset;
};

struct TFindRequest {
    std::string subject;
    std::vector<TCriterion> criteria;
    const TKind* available = nullptr;
};

TFindRequest ParseFind(const std::vector<TArgument>& arguments) {
    TFindRequest request;
    bool reset = false;
    std::vector<std::string> positionals;
    for (const TArgument& a : arguments) {
        if (a.Option.empty()) {
            positionals.push_back(a.Value);
        } else if (a.Option == "--reset") {
            if (reset) throw TUsageError("--reset given twice before one criterion");
            reset = true;
        } else if (const TKind* kind = KindOfOption(a.Option)) {
            request.criteria.push_back({kind, a.Value, reset});
            reset = false;
        } else if (a.Option == "--available") {
            if (reset) throw TUsageError("--reset must stand before a criterion");
            if (request.available) throw TUsageError("option --available given twice");
            request.available = KindOfWord(a.Value);
            if (!request.available)
                throw TUsageError("--available takes topic, type, level, paper, identity or "
                                  "resource, not \"" +
                                  a.Value + "\"");
        }
    }
    if (reset) throw TUsageError("--reset must stand before a criterion");
    if (positionals.size() != 1) throw TUsageError("expected SUBJECT");
    request.subject = positionals[0];
    return request;
}

} // namespace

int RunFindCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {{"--reset", false},
                                                             {"--topic", true},
                                                             {"--type", true},
                                                             {"--level", true},
                                                             {"--paper", true},
                                                             {"--identity", true},
                                                             {"--resource", true},
                                                             {"--available", true}});
    TFindRequest request = ParseFind(arguments);
    TToolLibrary library = OpenToolLibrary(request.subject, LibrarySource(arguments));
    TQuestionSelector selector(library.Library());

    // Every path is resolved before the search starts, so a misspelt one changes nothing.
    std::vector<TCategory*> targets;
    for (const TCriterion& c : request.criteria) {
        TCategory* root = selector.Root(c.kind->dimension);
        TCategory* target = root ? FindCategoryByPath(*root, c.path) : nullptr;
        if (!target) throw EDataError("No " + std::string(c.kind->noun) + " \"" + c.path + "\"");
        targets.push_back(target);
    }
    for (std::size_t i = 0; i < targets.size(); ++i)
        selector.Set(request.criteria[i].kind->dimension, targets[i], request.criteria[i].reset);

    if (!request.available) {
        for (const TQuestion* q : selector.Matches())
            io.Out << Cp1252ToUtf8(q->GetID()) << '\n';
        return 0;
    }
    TDimension d = request.available->dimension;
    std::unique_ptr<TSet> available = selector.Available(d);
    TCategoryIterator it(selector.Root(d));
    while (TCategory* c = it.Next())
        if (available->Find(c)) io.Out << CategoryPath(*c) << '\n';
    return 0;
}
