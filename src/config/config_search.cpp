#include "config/config_search.h"

#include "framework/stream.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> UserConfigFolder() {
    // Relative values of XDG_CONFIG_HOME are to be ignored.
    if (auto xdg = Variable("XDG_CONFIG_HOME"); xdg && fs::path(*xdg).is_absolute())
        return (fs::path(*xdg) / "quarrybook").string();
    if (auto home = Variable("HOME")) return (fs::path(*home) / ".config" / "quarrybook").string();
    return std::nullopt;
}

} // namespace

std::vector<std::string> ConfigSearchFolders() {
    std::vector<std::string> folders;
    if (auto dir = Variable(kConfigDirVariable)) folders.push_back(*dir);
    // Absolute, so that paths found there stay right if the process changes folder.
    std::error_code error;
    fs::path current = fs::current_path(error);
    if (!error) folders.push_back(current.string());
    if (auto user = UserConfigFolder()) folders.push_back(*user);
    // The sample installed beside the program, wherever the installation was moved.
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back(
            (program.parent_path().parent_path() / "share" / "quarrybook" / "sample").string());
    if (RunningFromBuildTree()) folders.push_back(QB_BUILD_DIR "/data/sample");
    folders.push_back(QB_INSTALLED_DATA_DIR "/sample");
    return folders;
}

bool RunningFromBuildTree() {
    std::error_code error;
    fs::path program = fs::canonical("/proc/self/exe", error);
    if (error) return false;
    // Compared as written: the build folder was resolved when it was configured, and an
    // installed program must not even look at it.
    const fs::path build = QB_BUILD_DIR;
    // Component-wise, so that "/src/build-old" does not count as inside "/src/build".
    auto [buildEnd, programAt] =
        std::mismatch(build.begin(), build.end(), program.begin(), program.end());
    return buildEnd == build.end();
}

std::optional<std::string> FindConfigFile(const std::string& name,
                                          const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        std::string candidate = (fs::path(folder) / name).string();
        if (FileExists(candidate)) return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> FindConfigFile(const std::string& name) {
    return FindConfigFile(name, ConfigSearchFolders());
}

std::optional<std::string> FindStartupIni(const std::vector<std::string>& folders) {
    if (std::optional<std::string> main = FindConfigFile(kMainIniName, folders)) {
        std::string beside = (fs::path(*main).parent_path() / kStartupIniName).string();
        if (FileExists(beside)) return beside;
    }
    return FindConfigFile(kStartupIniName, folders);
}

std::optional<std::string> FindStartupIni() {
    return FindStartupIni(ConfigSearchFolders());
}

std::string ResolveConfigPath(const std::string& folder, const std::string& path) {
    if (path.empty() || folder.empty() || fs::path(path).is_absolute()) return path;
    return (fs::path(folder) / path).string();
}
