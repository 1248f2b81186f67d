#pragma once

#include <cstdint>
#include <memory>

class TLibrary;
class TStream;
class TTextStore;

constexpr std::int32_t kLibraryVersion = 11;

// Reads a library data file: version (1..11, else EInOutError "Incorrect library
// version"), the header integers, then the TLibrary root. Text chunks bind to `store`.
std::unique_ptr<TLibrary> ReadLibraryData(TStream& data, TTextStore* store);
// Writes a library data file of the newest version.
void WriteLibraryData(TStream& data, const TLibrary& library);
