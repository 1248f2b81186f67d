#pragma once

#include "framework/stream.h"

#include <memory>
#include <string>

// Replaces a file only once its new contents are complete and on the disk. The new
// contents go into a temporary file of the target's folder that is created afresh,
// so nothing that already exists there is truncated, followed or locked: an open
// document, another writer's temporary file or a planted symbolic link is left as it
// is. Commit flushes the file, gives it the permission bits of the file it replaces,
// renames it over the target in one step and flushes the folder; until then, and on
// every failure, the target is untouched and the temporary file is removed. A crash
// leaves either the old file or the new one whole.
class TSaveFile {
public:
    // `tempName` is the temporary file's preferred name ("~temp.vqd"); when that name
    // is taken, a unique one is made from it ("~temp-a8Xk2Q.vqd"). Without it the
    // target's name with ".new" appended is preferred. Throws EInOutError when no
    // temporary file can be made.
    explicit TSaveFile(const std::string& target, const std::string& tempName = {});
    ~TSaveFile();
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;

    // The temporary file, open for reading and writing.
    TFileStream& Stream();
    // Hands the temporary file to an owner that keeps it open beyond the commit, as a
    // document keeps its file. Writes through it still count; this object still
    // commits or discards the file.
    std::unique_ptr<TFileStream> ReleaseStream();

    // Throws EInOutError when the file cannot be flushed or take the target's name;
    // the target is then as it was and the temporary file gone.
    void Commit();
    // Removes the temporary file, leaving the target as it was.
    void Discard();

    const std::string& Target() const { return fTarget; }
    const std::string& TempPath() const { return fTempPath; }

private:
    std::string fTarget;
    std::string fTempPath;
    int fFd = -1; // our own descriptor of the temporary file, whoever holds the stream
    std::unique_ptr<TFileStream> fStream;
    bool fDone = false;
};

// The folder part of a path ("." when it has none).
std::string FolderOfPath(const std::string& path);
