#include "library_commands.h"

#include "framework/cp1252.h"
#include "library_json.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "tool_options.h"

#include <ostream>

namespace {

int CountBelowRoot(const TCategory* root) {
    if (!root) return 0;
    int count = -1; // the root itself is not a category anyone chooses
    TCategoryIterator it(root);
    while (it.Next())
        ++count;
    return count;
}

struct TSegmentCounts {
    int Questions = 0, MarkSchemes = 0, Reports = 0, Notes = 0, Syllabus = 0, Resources = 0;
};

void CountSegments(const TIdentityCategory* root, TSegmentCounts& counts) {
    if (!root) return;
    TCategoryIterator it(root);
    while (TCategory* c = it.Next()) {
        auto* identity = dynamic_cast<TIdentityCategory*>(c);
        if (!identity) continue;
        // The empty resources that old libraries give every identity have no
        // identity of their own and are not counted.
        auto has = [&](char kind) {
            TTextSegment* s = identity->SegmentFor(kind);
            return s && s->Identity ? 1 : 0;
        };
        counts.Questions += has('Q');
        counts.MarkSchemes += has('M');
        counts.Reports += has('E');
        counts.Notes += has('N');
        counts.Syllabus += has('S');
        counts.Resources += has('R');
    }
}

} // namespace

int RunLibraryCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals = RequirePositionals(arguments, 1, "SUBJECT");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    WriteLibraryJson(io.Out, library.Library(), library.Version);
    return 0;
}

int RunSummaryCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals = RequirePositionals(arguments, 1, "SUBJECT");
    TToolLibrary opened = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    const TLibrary& library = opened.Library();
    TSegmentCounts counts;
    CountSegments(library.QuestionRoot.get(), counts);
    CountSegments(library.SyllabusRoot.get(), counts);
    CountSegments(library.ResourceRoot.get(), counts);
    std::ostream& out = io.Out;
    out << "Subject: " << Cp1252ToUtf8(opened.Subject()) << '\n'
        << "Library: " << Cp1252ToUtf8(library.Name) << '\n'
        << "Version: " << opened.Version << '\n'
        << "Topics: " << CountBelowRoot(library.TopicRoot.get()) << '\n'
        << "Question types: " << CountBelowRoot(library.QuestionTypeRoot.get()) << '\n'
        << "Levels: " << CountBelowRoot(library.LevelRoot.get()) << '\n'
        << "Papers: " << CountBelowRoot(library.PaperRoot.get()) << '\n'
        << "Questions: " << counts.Questions << '\n'
        << "Mark schemes: " << counts.MarkSchemes << '\n'
        << "Examiner's reports: " << counts.Reports << '\n'
        << "Notes: " << counts.Notes << '\n'
        << "Syllabus links: " << counts.Syllabus << '\n'
        << "Resources: " << counts.Resources << '\n';
    return 0;
}

int RunTextCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {{"--plain", false}});
    auto positionals = RequirePositionals(arguments, 2, "SUBJECT and ID");
    bool plain = HasOption(arguments, "--plain");
    if (plain && !io.PlainText)
        throw TUsageError("--plain needs the rich-text layer, which this build lacks");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    TTextSegment* segment = library.Library().FindSegment(IdentifierArgument(positionals[1]));
    // A segment without a text prints nothing; "hasText" of the library's JSON says so.
    if (!segment->Chunk) return 0;
    for (const std::string& line : segment->Chunk->GetLines()) {
        std::string text = plain ? io.PlainText(line) : line;
        io.Out << text;
        if (text.empty() || text.back() != '\n') io.Out << '\n';
    }
    return 0;
}
