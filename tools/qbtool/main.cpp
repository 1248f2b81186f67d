#include "qbtool.h"
#include "tool_options.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef QB_HAVE_RTF_COMMANDS
#include "rtf_commands.h"
#endif
#ifdef QB_HAVE_RTF_READER
#include "output/rtf/rtf_reader.h"
#include <QByteArray>
#include <QString>
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    TToolIO io{std::cout, std::cerr, {}};
#ifdef QB_HAVE_RTF_READER
    io.PlainText = [](const std::string& rtf) {
        QString text = RtfToPlainText(QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
        return text.toUtf8().toStdString();
    };
#endif
#ifdef QB_HAVE_RTF_COMMANDS
    if (!args.empty() && !IsQbtoolCommand(args[0])) {
        int status = 0;
        std::vector<std::string> rest(args.begin() + 1, args.end());
        if (RunRtfCommand(args[0], rest, status)) return status;
    }
#endif
    return RunQbtool(args, io);
}
