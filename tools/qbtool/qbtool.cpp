#include "qbtool.h"

#include "doc_commands.h"
#include "find_command.h"
#include "library_commands.h"
#include "qb_version.h"
#include "search_command.h"
#include "sheet_commands.h"
#include "students_command.h"
#include "tool_options.h"

#include <exception>
#include <new>
#include <ostream>

#if __has_include("build_library.h")
#include "build_library.h"
#define QB_HAVE_BUILD_LIBRARY 1
#endif

namespace {

using TCommandFn = int (*)(const std::vector<std::string>&, TToolIO&);

struct TCommand {
    std::string_view name;
    std::string_view usage;
    TCommandFn run;
    bool takesLibrary = true; // takes a SUBJECT and the options that say where its library is
};

#ifdef QB_HAVE_BUILD_LIBRARY
int RunBuildLibraryCommand(const std::vector<std::string>& args, TToolIO&) {
    return RunBuildLibrary(args);
}
#endif

int RunHelpCommand(const std::vector<std::string>& args, TToolIO& io);

constexpr std::string_view kLibraryOptions = "[--ini FILE | --data FILE --text FILE]";

constexpr TCommand kCommands[] = {
#ifdef QB_HAVE_BUILD_LIBRARY
    {"build-library", "build-library SRC_DIR --out DIR [--subject NAME]", RunBuildLibraryCommand,
     false},
#endif
    {"library", "library SUBJECT", RunLibraryCommand},
    {"summary", "summary SUBJECT", RunSummaryCommand},
    {"text", "text SUBJECT ID [--plain]", RunTextCommand},
    {"find",
     "find SUBJECT [[--reset] --topic|--type|--level|--paper|--identity|--resource PATH]... "
     "[--available KIND]",
     RunFindCommand},
    {"search", "search SUBJECT [--kind question|markscheme|report|syllabus|note|resource] QUERY",
     RunSearchCommand},
    {"doc", "doc SUBJECT FILE.vqd", RunDocCommand},
    {"derive", "derive markscheme|report SUBJECT IN.vqd OUT.vqd", RunDeriveCommand},
    {"resave", "resave SUBJECT IN.vqd OUT.vqd", RunResaveCommand},
    {"new-doc", "new-doc SUBJECT OUT.vqd ID...", RunNewDocCommand},
    {"marksheet", "marksheet SUBJECT DOC.vqd OUT.xlsx [--students LIST]", RunMarkSheetCommand},
    {"file-index", "file-index SUBJECT DOC.vqd OUT.xlsx", RunFileIndexCommand},
    {"students", "students LIST", RunStudentsCommand, false},
    {"help", "help", RunHelpCommand, false},
};

const TCommand* FindCommand(std::string_view name) {
    for (const TCommand& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

void PrintUsage(const TToolIO& io) {
    std::ostream& out = io.Out;
    out << "Usage:\n";
    for (const TCommand& c : kCommands) {
        if (c.name == "help") {
            for (std::string_view usage : io.MoreUsages)
                out << "  qbtool " << usage << '\n';
        }
        out << "  qbtool " << c.usage << '\n';
    }
    out << "  qbtool --version\n"
           "\nCommands that take a SUBJECT find its library through vantor32.ini, or:\n"
           "  --ini FILE              use this vantor32.ini\n"
           "  --data FILE --text FILE open these library files; SUBJECT is then the\n"
           "                          library name that documents must carry\n"
           "KIND is topic, type, level, paper, identity or resource.\n"
           "\nExit status: 0 done, 1 data or file error, 2 wrong usage.\n"
           "See docs/qbtool.md for the output formats.\n";
}

int RunHelpCommand(const std::vector<std::string>& args, TToolIO& io) {
    if (!args.empty()) throw TUsageError("help takes no arguments");
    PrintUsage(io);
    return 0;
}

int UsageFailure(TToolIO& io, const std::string& message, const TCommand* command) {
    io.Err << "qbtool: " << message << '\n';
    if (command) {
        io.Err << "usage: qbtool " << command->usage;
        if (command->takesLibrary) io.Err << ' ' << kLibraryOptions;
        io.Err << '\n';
    } else {
        io.Err << "Run \"qbtool help\" for the commands.\n";
    }
    return 2;
}

} // namespace

bool IsQbtoolCommand(std::string_view name) {
    return FindCommand(name) != nullptr;
}

int RunQbtool(const std::vector<std::string>& args, TToolIO& io) {
    if (args.empty()) return UsageFailure(io, "no command given", nullptr);
    if (args[0] == "--help" || args[0] == "-h") return RunHelpCommand({}, io);
    if (args[0] == "--version") {
        if (args.size() > 1) return UsageFailure(io, "--version takes no arguments", nullptr);
        io.Out << "qbtool (" << kProgramName << ") " << kProgramVersion << '\n';
        return 0;
    }
    const TCommand* command = FindCommand(args[0]);
    if (!command) return UsageFailure(io, "unknown command \"" + args[0] + "\"", nullptr);
    std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        int status = command->run(rest, io);
        io.Out.flush();
        if (!io.Out) {
            io.Err << "qbtool: Cannot write the output\n";
            return 1;
        }
        return status;
    } catch (const TUsageError& e) {
        return UsageFailure(io, e.what(), command);
    } catch (const std::bad_alloc&) {
        io.Err << "qbtool: Out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        io.Err << "qbtool: " << ToDisplayText(e.what()) << '\n';
        return 1;
    }
}
