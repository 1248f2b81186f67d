#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qb_config_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        fPath = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return fPath; }
    // Writes a file below the folder (making its folders) and returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path path = std::filesystem::path(fPath) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

private:
    std::string fPath;
};

// Sets or clears an environment variable for the lifetime of the guard.
class TEnvGuard {
public:
    TEnvGuard(const char* name, const std::optional<std::string>& value) : fName(name) {
        if (const char* old = std::getenv(name)) fOld = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~TEnvGuard() {
        if (fOld)
            ::setenv(fName.c_str(), fOld->c_str(), 1);
        else
            ::unsetenv(fName.c_str());
    }
    TEnvGuard(const TEnvGuard&) = delete;
    TEnvGuard& operator=(const TEnvGuard&) = delete;

private:
    std::string fName;
    std::optional<std::string> fOld;
};

// Makes a folder current for the lifetime of the guard.
class TCurrentFolderGuard {
public:
    explicit TCurrentFolderGuard(const std::string& folder)
        : fOld(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~TCurrentFolderGuard() {
        std::error_code ignored;
        std::filesystem::current_path(fOld, ignored);
    }
    TCurrentFolderGuard(const TCurrentFolderGuard&) = delete;
    TCurrentFolderGuard& operator=(const TCurrentFolderGuard&) = delete;

private:
    std::filesystem::path fOld;
};
