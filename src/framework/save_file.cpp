#include "framework/save_file.h"

#include "framework/errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

std::string BaseName(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// "~temp.vqd" becomes "~temp-a8Xk2Q.vqd": the random part goes before the extension,
// so that the file keeps its type for anyone who looks into the folder.
std::string UniqueVariant(const std::string& name, std::mt19937& random) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string tag = "-";
    for (int i = 0; i < 6; ++i)
        tag += kLetters[pick(random)];
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0) return name + tag;
    return name.substr(0, dot) + tag + name.substr(dot);
}

// A new file or -1 with errno; O_EXCL also refuses a symbolic link of that name.
// The mode is filtered by the umask, which gives a new file the user's default.
int CreateExclusive(const std::string& path) {
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EINTR) return fd;
    }
}

// Whether the name still leads to the file we created, so that removing it cannot
// hit a file someone else put there since.
bool NameIsOurs(const std::string& path, int fd) {
    struct stat byName {};
    struct stat byHandle {};
    return ::lstat(path.c_str(), &byName) == 0 && ::fstat(fd, &byHandle) == 0 &&
           byName.st_dev == byHandle.st_dev && byName.st_ino == byHandle.st_ino;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // the rename is done; a folder we cannot open cannot be synced
    ::fsync(fd);
    ::close(fd);
}

std::string WriteError(const std::string& path, int err) {
    return "Cannot write \"" + path + "\": " + std::strerror(err);
}

} // namespace

std::string FolderOfPath(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

TSaveFile::TSaveFile(const std::string& target, const std::string& tempName) : fTarget(target) {
    const std::string folder = FolderOfPath(target);
    const std::string preferred = tempName.empty() ? BaseName(target) + ".new" : tempName;
    std::string name = preferred;
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string path = JoinPath(folder, name);
        int fd = CreateExclusive(path);
        if (fd >= 0) {
            fFd = fd;
            fTempPath = path;
            break;
        }
        if (errno != EEXIST && errno != ELOOP) throw EInOutError(WriteError(target, errno));
        name = UniqueVariant(preferred, random);
    }
    if (fFd < 0)
        throw EInOutError("Cannot write \"" + target + "\": no temporary file can be made in \"" +
                          folder + "\"");
    int streamFd = ::fcntl(fFd, F_DUPFD_CLOEXEC, 0);
    if (streamFd < 0) {
        int err = errno;
        Discard();
        throw EInOutError(WriteError(target, err));
    }
    fStream = TFileStream::FromHandle(streamFd, fTempPath);
}

TSaveFile::~TSaveFile() {
    Discard();
}

TFileStream& TSaveFile::Stream() {
    if (!fStream) throw std::logic_error("the temporary file's stream was handed on");
    return *fStream;
}

std::unique_ptr<TFileStream> TSaveFile::ReleaseStream() {
    if (!fStream) throw std::logic_error("the temporary file's stream was handed on");
    return std::move(fStream);
}

void TSaveFile::Commit() {
    if (fDone) throw std::logic_error("the file was already committed or discarded");
    // The saved file keeps who may read it; a new one keeps the umask default it was
    // created with. A file system without permission bits refuses, which is no reason
    // to lose the save.
    struct stat old {};
    if (::stat(fTarget.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fFd, old.st_mode & 0777);
    if (::fsync(fFd) != 0) {
        int err = errno;
        Discard();
        throw EInOutError(WriteError(fTarget, err));
    }
    if (::rename(fTempPath.c_str(), fTarget.c_str()) != 0) {
        int err = errno;
        Discard();
        throw EInOutError(WriteError(fTarget, err));
    }
    fDone = true;
    ::close(fFd);
    fFd = -1;
    SyncFolder(FolderOfPath(fTarget));
}

void TSaveFile::Discard() {
    if (fDone) return;
    fDone = true;
    fStream.reset();
    if (fFd < 0) return;
    if (NameIsOurs(fTempPath, fFd)) ::unlink(fTempPath.c_str());
    ::close(fFd);
    fFd = -1;
}
