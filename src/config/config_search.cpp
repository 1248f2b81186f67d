#include "config/config_search.h"

#include "framework/stream.h"

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
    folders.push_back(QB_BUILD_DATA_DIR "/sample");
    folders.push_back(QB_INSTALLED_DATA_DIR "/sample");
    return folders;
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

std::string ResolveConfigPath(const std::string& folder, const std::string& path) {
    if (path.empty() || folder.empty() || fs::path(path).is_absolute()) return path;
    return (fs::path(folder) / path).string();
}
