#pragma once

#include "config/library_open.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TLibrary;

// A command line the tool cannot act on; reported with the command's usage and exit
// status 2, where data and file errors end in status 1.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where a command writes, so that tests run commands without spawning processes.
struct TToolIO {
    using PlainTextFn = std::function<std::string(const std::string& rtf)>;
    std::ostream& Out;
    std::ostream& Err;
    // Turns one stored RTF text into plain UTF-8 text, without the end mark; empty in
    // builds without the rich-text layer.
    PlainTextFn PlainText;
    // The usage of commands the program adds to these (the rich-text ones), for help.
    std::vector<std::string_view> MoreUsages = {};
};

// One word of a command line after the command name: an option with its value, or a
// positional argument (empty Option).
struct TArgument {
    std::string Option;
    std::string Value;
};

// Splits a command line into options and positional arguments. `options` names the
// command's own options, each with whether it takes a value; the library options
// --ini, --data and --text are always known. After "--" every word is positional.
std::vector<TArgument>
ParseArguments(const std::vector<std::string>& args,
               std::initializer_list<std::pair<std::string_view, bool>> options);
// The positional arguments, in order.
std::vector<std::string> Positionals(const std::vector<TArgument>& arguments);
// The positional arguments, which must be `count`; `names` says which for the message.
std::vector<std::string> RequirePositionals(const std::vector<TArgument>& arguments,
                                            std::size_t count, const char* names);
bool HasOption(const std::vector<TArgument>& arguments, std::string_view option);

// Where the library is read from: the subject's section of the configuration found
// by the usual search, of a named vantor32.ini, or two library files named directly.
struct TLibrarySource {
    std::string Ini;
    std::string Data;
    std::string Text;
};
TLibrarySource LibrarySource(const std::vector<TArgument>& arguments);

// An open library with the version its data file carries.
struct TToolLibrary {
    TOpenedLibrary Opened;
    std::int32_t Version = 0;

    const TLibrary& Library() const { return *Opened.Library; }
    // The subject in the files' code page; documents must carry it as library name.
    const std::string& Subject() const { return Opened.Subject; }
};

// Opens the subject's library (the subject as typed on the command line).
TToolLibrary OpenToolLibrary(const std::string& subjectArgument, const TLibrarySource& source);
// The version integer at the start of a library data file.
std::int32_t ReadLibraryVersion(const std::string& dataPath);

// Command-line words are UTF-8 where the files hold code page 1252. A word that is
// not valid UTF-8 is taken as already being in the code page.
std::string ArgumentToCp1252(std::string_view argument);
// An identifier typed on the command line, in the code page. One holding a character
// the code page lacks cannot name any text and raises EDataError "Invalid ID: ...",
// saying which character.
std::string IdentifierArgument(std::string_view argument);
// Text for the terminal: messages mix the files' code page with UTF-8 paths, so only
// text that is not valid UTF-8 is converted.
std::string ToDisplayText(std::string_view text);
