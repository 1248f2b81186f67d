#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TDocument;
class TLibrary;
class TTextStore;

constexpr std::int32_t kDocumentVersion = 10;
constexpr const char* kTempDocumentName = "~temp.vqd";

// Reads a document from its file, which is also the store its free texts bind to.
// Raises EInOutError "Incorrect file version" / "Incorrect library", EDataError for
// identifiers the library does not hold, and the reader's errors for malformed data.
std::unique_ptr<TDocument> ReadDocumentFile(TTextStore& file, const std::string& libraryName,
                                            const TLibrary& library);

// Writes the document into an empty store: the free texts first, then the object
// data. The free texts' chunks move to that store.
void WriteDocumentFile(TDocument& document, const std::string& libraryName, TTextStore& file,
                       const TLibrary* library);

// Saves the document at `path` through a new temporary file in the same folder,
// "~temp.vqd" unless that name is taken (then a unique variant of it): the new file
// is written and flushed to the disk, then renamed over the old one in one step, so a
// crash or a failure at any moment leaves either the old or the new file whole, and
// nothing else in the folder is touched. The saved file keeps the old one's
// permission bits.
// Returns the new file opened for reading and writing; the free texts now live there.
// On failure the old file, the document and its texts are as they were.
// With `lock` the new file is locked before it takes the target's name, so that no
// other opener can slip in between.
std::unique_ptr<TTextStore> SaveDocumentFile(TDocument& document, const std::string& libraryName,
                                             const std::string& path, const TLibrary* library,
                                             bool lock = false);
