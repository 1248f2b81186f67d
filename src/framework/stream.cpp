#include "framework/stream.h"

#include "framework/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

void TStream::ReadExact(void* buffer, std::size_t n) {
    auto* p = static_cast<char*>(buffer);
    while (n > 0) {
        std::size_t got = Read(p, n);
        if (got == 0) throw EReadError("Stream read error");
        p += got;
        n -= got;
    }
}

std::int32_t TStream::ReadInt32() {
    unsigned char b[4];
    ReadExact(b, 4);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) |
                                     static_cast<std::uint32_t>(b[1]) << 8 |
                                     static_cast<std::uint32_t>(b[2]) << 16 |
                                     static_cast<std::uint32_t>(b[3]) << 24);
}

void TStream::WriteInt32(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                          static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    Write(b, 4);
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t n) {
    if (fPos >= Size()) return 0;
    std::size_t got = std::min<std::size_t>(n, static_cast<std::size_t>(Size() - fPos));
    std::memcpy(buffer, fData.data() + fPos, got);
    fPos += static_cast<std::int64_t>(got);
    return got;
}

void TMemoryStream::Write(const void* buffer, std::size_t n) {
    auto end = static_cast<std::size_t>(fPos) + n;
    if (end > fData.size()) fData.resize(end);
    std::memcpy(fData.data() + fPos, buffer, n);
    fPos = static_cast<std::int64_t>(end);
}

std::int64_t TMemoryStream::Seek(std::int64_t position) {
    if (position < 0) throw EInOutError("Invalid stream position");
    fPos = position;
    return fPos;
}

std::int64_t TMemoryStream::SeekEnd() { return fPos = Size(); }

TFileStream::TFileStream(const std::string& path, Mode mode, const std::string& failMessage)
    : fPath(path) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::ReadOnly: flags |= O_RDONLY; break;
    case Mode::ReadWrite: flags |= O_RDWR; break;
    case Mode::Create:
        flags |= O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW;
        break;
    }
    fFd = ::open(path.c_str(), flags, 0666);
    if (fFd < 0) {
        int err = errno;
        throw EInOutError(!failMessage.empty()
                              ? failMessage
                              : "Cannot open file \"" + path + "\": " + std::strerror(err));
    }
}

std::unique_ptr<TFileStream> TFileStream::FromHandle(int fd, const std::string& path) {
    return std::unique_ptr<TFileStream>(new TFileStream(fd, path));
}

TFileStream::~TFileStream() {
    if (fFd >= 0) ::close(fFd);
}

std::size_t TFileStream::Read(void* buffer, std::size_t n) {
    for (;;) {
        ssize_t got = ::pread(fFd, buffer, n, fPos);
        if (got >= 0) {
            fPos += got;
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) throw EInOutError("Cannot read \"" + fPath + "\": " + std::strerror(errno));
    }
}

void TFileStream::Write(const void* buffer, std::size_t n) {
    auto* p = static_cast<const char*>(buffer);
    while (n > 0) {
        ssize_t put = ::pwrite(fFd, p, n, fPos);
        if (put < 0) {
            if (errno == EINTR) continue;
            throw EInOutError("Cannot write \"" + fPath + "\": " + std::strerror(errno));
        }
        p += put;
        n -= static_cast<std::size_t>(put);
        fPos += put;
    }
}

std::int64_t TFileStream::Seek(std::int64_t position) {
    if (position < 0) throw EInOutError("Invalid stream position");
    fPos = position;
    return fPos;
}

std::int64_t TFileStream::SeekEnd() { return fPos = Size(); }

std::int64_t TFileStream::Size() const {
    struct stat st {};
    if (::fstat(fFd, &st) != 0) throw EInOutError("Cannot read \"" + fPath + "\"");
    return st.st_size;
}

void TFileStream::Sync() {
    if (::fsync(fFd) != 0)
        throw EInOutError("Cannot write \"" + fPath + "\": " + std::strerror(errno));
}

bool TFileStream::TryLockExclusive() {
    for (;;) {
        if (::flock(fFd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EINTR) return false;
    }
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
    TFileStream file(path, TFileStream::Mode::ReadOnly);
    std::string bytes;
    char buffer[65536];
    while (const std::size_t n = file.Read(buffer, sizeof buffer))
        bytes.append(buffer, n);
    return bytes;
}
