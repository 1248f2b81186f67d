#pragma once

#include <memory>
#include <string>

class TLibrary;

// The small library that the document and stream targets resolve identifiers in. The
// seed generator writes its documents against the same library, so both must agree.
// Its identifiers are unambiguous: no full identifier is a prefix path of another.
constexpr const char* kFixtureLibraryName = "Fuzz";

std::unique_ptr<TLibrary> MakeFixtureLibrary();
// One shared, never modified instance for the fuzz targets.
const TLibrary& FixtureLibrary();
