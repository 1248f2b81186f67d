#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Byte stream with a position, the one abstraction every file of the system is read
// and written through.
class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to n bytes; returns how many were read (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t n) = 0;
    // Writes all n bytes or throws EInOutError.
    virtual void Write(const void* buffer, std::size_t n) = 0;
    virtual std::int64_t Seek(std::int64_t position) = 0;
    virtual std::int64_t SeekEnd() = 0;
    virtual std::int64_t Position() const = 0;
    virtual std::int64_t Size() const = 0;

    // Reads exactly n bytes or throws EReadError("Stream read error").
    void ReadExact(void* buffer, std::size_t n);
    std::int32_t ReadInt32();
    void WriteInt32(std::int32_t v);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : fData(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::int64_t Seek(std::int64_t position) override;
    std::int64_t SeekEnd() override;
    std::int64_t Position() const override { return fPos; }
    std::int64_t Size() const override { return static_cast<std::int64_t>(fData.size()); }
    const std::string& Data() const { return fData; }

private:
    std::string fData;
    std::int64_t fPos = 0;
};

// A POSIX file. Library files are opened read-only and shared; document files
// read-write (the application adds its own lock).
class TFileStream : public TStream {
public:
    // Create makes a new file and fails when the name exists, also as a symbolic
    // link, so that it never truncates or follows what may be someone else's; a file
    // that is to be replaced is written through TSaveFile.
    enum class Mode { ReadOnly, ReadWrite, Create };
    // Throws EInOutError with `failMessage` (or a message naming the file) when it cannot open.
    TFileStream(const std::string& path, Mode mode, const std::string& failMessage = {});
    // Takes over an open descriptor, which the stream closes.
    static std::unique_ptr<TFileStream> FromHandle(int fd, const std::string& path);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t n) override;
    void Write(const void* buffer, std::size_t n) override;
    std::int64_t Seek(std::int64_t position) override;
    std::int64_t SeekEnd() override;
    std::int64_t Position() const override { return fPos; }
    std::int64_t Size() const override;
    // Flushes the file's data to the disk.
    void Sync();
    // Takes an exclusive advisory lock on the open file, without waiting. The lock
    // belongs to this open file: a second open of the same file, in this process or
    // another, cannot take it, and closing the stream releases it.
    bool TryLockExclusive();
    int Handle() const { return fFd; }
    const std::string& Path() const { return fPath; }

private:
    TFileStream(int fd, const std::string& path) : fFd(fd), fPath(path) {}

    int fFd = -1;
    std::int64_t fPos = 0;
    std::string fPath;
};

bool FileExists(const std::string& path);

// The whole of a file's bytes; throws as TFileStream does when it cannot be read.
std::string ReadWholeFile(const std::string& path);
