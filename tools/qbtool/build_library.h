#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// `qbtool build-library SRC_DIR --out DIR [--subject NAME]` (the arguments after the
// command name): builds a library from its source folder into DIR as library.dat,
// texts.dat and a vantor32.ini with the subject's section. Source errors go to
// standard error as "FILE:LINE: message". Returns 0 when built, 1 for errors in the
// source or files that cannot be read or written, 2 for wrong usage.
int RunBuildLibrary(const std::vector<std::string>& args);
// The same, writing to the given streams.
int RunBuildLibrary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The names of the files that build-library writes into DIR.
inline constexpr const char* kBuiltDataName = "library.dat";
inline constexpr const char* kBuiltTextName = "texts.dat";
inline constexpr const char* kBuiltIniName = "vantor32.ini";
