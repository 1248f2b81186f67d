#include "search_command.h"

#include "framework/cp1252.h"
#include "model/library.h"
#include "model/segments.h"
#include "search/library_entries.h"
#include "search/text_index.h"
#include "tool_options.h"

#include <ostream>
#include <string_view>

namespace {

struct TKindWord {
    std::string_view word;
    char letter;
};

constexpr TKindWord kKindWords[] = {
    {"question", 'Q'}, {"markscheme", 'M'}, {"report", 'E'},
    {"syllabus", 'S'}, {"note", 'N'},       {"resource", 'R'},
};

char KindLetter(const std::string& word) {
    for (const TKindWord& k : kKindWords)
        if (word == k.word) return k.letter;
    throw TUsageError("--kind takes question, markscheme, report, syllabus, note or resource, "
                      "not \"" +
                      word + "\"");
}

} // namespace

int RunSearchCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {{"--kind", true}});
    auto positionals = RequirePositionals(arguments, 2, "SUBJECT and QUERY");
    char kind = 0;
    for (const TArgument& a : arguments)
        if (a.Option == "--kind") kind = KindLetter(a.Value);
    if (!io.PlainText)
        throw TUsageError("search needs the rich-text layer, which this build lacks");
    TToolLibrary opened = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    const TLibrary& library = opened.Library();
    const TLibraryFiles files{opened.Opened.Config.LibFilename, opened.Opened.Config.TextFilename};
    for (const std::string& id :
         SearchLibrary(files, LibraryEntries(library, io.PlainText), positionals[1], kind)) {
        TTextSegment* segment = library.FindSegment(Utf8ToCp1252(id));
        io.Out << id << ' ' << Cp1252ToUtf8(segment->GetTitle()) << '\n';
    }
    return 0;
}
