#pragma once

#include <cstdint>

class TStream;

// Reads a library data file of the newest version value by value with the stream
// reader's primitives, following each class's field order but making no objects: the
// least any reader of the file must do. Returns the number of objects met.
std::int64_t TokeniseLibraryData(TStream& data);
