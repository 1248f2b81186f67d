#pragma once

#include <cstdint>
#include <ostream>

class TLibrary;

// Prints the whole library index as JSON: its name, the data file's version, the four
// category trees and the three identity trees with their segments. Texts are not
// read; "hasText" tells whether a segment has one.
void WriteLibraryJson(std::ostream& out, const TLibrary& library, std::int32_t version);
