#include "qbtool.h"
#include "tool_options.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef QB_HAVE_RTF_COMMANDS
#include "rtf_commands.h"
#endif
#ifdef QB_HAVE_OUTPUT_COMMANDS
#include "output_commands.h"
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    TToolIO io{std::cout, std::cerr, {}};
#ifdef QB_HAVE_RTF_COMMANDS
    io.PlainText = StoredTextToPlain;
    io.MoreUsages = RtfCommandUsages();
#ifdef QB_HAVE_OUTPUT_COMMANDS
    for (std::string_view usage : OutputCommandUsages())
        io.MoreUsages.push_back(usage);
#endif
    if (!args.empty() && !IsQbtoolCommand(args[0])) {
        int status = 0;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (RunRtfCommand(args[0], rest, status)) return status;
#ifdef QB_HAVE_OUTPUT_COMMANDS
        if (RunOutputCommand(args[0], rest, io, status)) return status;
#endif
    }
#endif
    return RunQbtool(args, io);
}
