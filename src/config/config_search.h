#pragma once

#include <optional>
#include <string>
#include <vector>

// The main configuration file: one section per subject.
inline constexpr const char* kMainIniName = "vantor32.ini";
// The start-up file naming the subject of a test document given on the command line.
inline constexpr const char* kStartupIniName = "vantor.ini";
// Names a folder searched before all others.
inline constexpr const char* kConfigDirVariable = "QUARRYBOOK_CONFIG_DIR";

// The folders searched for the configuration files, best first: $QUARRYBOOK_CONFIG_DIR
// (when set and not empty), the current folder, $XDG_CONFIG_HOME/quarrybook (or
// ~/.config/quarrybook), then the sample subject installed beside the program, that of
// the build tree (only for a program run from the build tree) and that of the
// installation prefix, so that both a developer's build and an installed program start
// on the sample without any set-up.
std::vector<std::string> ConfigSearchFolders();

// True when the running program lies inside the build tree it was compiled in. An
// installed program must never read files of the build or source trees, which may
// since have changed or belong to someone else.
bool RunningFromBuildTree();

// The path of `name` in the first of the folders that holds it as a file.
std::optional<std::string> FindConfigFile(const std::string& name,
                                          const std::vector<std::string>& folders);
std::optional<std::string> FindConfigFile(const std::string& name);

// The start-up file that belongs with the main configuration file: the one beside the
// first main file found, so that a user's own subjects are never paired with another
// folder's start-up subject; the search decides only when that folder has none.
std::optional<std::string> FindStartupIni(const std::vector<std::string>& folders);
std::optional<std::string> FindStartupIni();

// A file name read from a configuration file, taken against the folder of that file
// when relative. An empty name stays empty so that it is reported as a missing file.
std::string ResolveConfigPath(const std::string& folder, const std::string& path);
