#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// What became of reading one file of a library source folder.
enum class TSourceRead { Done, Missing, NotAFile, TooLarge, Unreadable };

// Reads a whole regular file of at most `maxSize` bytes into `bytes`. Anything else
// (a FIFO, a device such as /dev/zero, a folder) is refused without being read, so a
// planted name can neither block the build nor make it grow without bound.
TSourceRead ReadSourceFile(const std::filesystem::path& path, std::uintmax_t maxSize,
                           std::string& bytes);

// Whether `path`, with every symbolic link resolved, lies inside `folder`. A path
// that cannot be resolved (it does not exist) is not inside.
bool ResolvesInside(const std::filesystem::path& path, const std::filesystem::path& folder);
