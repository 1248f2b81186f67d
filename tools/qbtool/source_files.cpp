#include "source_files.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Closes the descriptor on every way out.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : fFd(fd) {}
    ~TDescriptor() {
        if (fFd >= 0) ::close(fFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return fFd; }

private:
    int fFd;
};

} // namespace

TSourceRead ReadSourceFile(const fs::path& path, std::uintmax_t maxSize, std::string& bytes) {
    // Without O_NONBLOCK the open itself would wait for a writer on a FIFO.
    TDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) return errno == ENOENT ? TSourceRead::Missing : TSourceRead::Unreadable;
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0) return TSourceRead::Unreadable;
    if (!S_ISREG(st.st_mode)) return TSourceRead::NotAFile;
    if (static_cast<std::uintmax_t>(st.st_size) > maxSize) return TSourceRead::TooLarge;
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return TSourceRead::Unreadable;
        if (got == 0) return TSourceRead::Done;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<std::size_t>(got) > maxSize) return TSourceRead::TooLarge;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

bool ResolvesInside(const fs::path& path, const fs::path& folder) {
    std::error_code error;
    const fs::path real = fs::canonical(path, error);
    if (error) return false;
    const fs::path root = fs::canonical(folder, error);
    if (error) return false;
    return std::mismatch(root.begin(), root.end(), real.begin(), real.end()).first == root.end();
}
