#pragma once

#include <string>
#include <vector>

struct TToolIO;

// `find SUBJECT [--reset] --topic PATH ... [--available KIND]`: applies the criteria
// in order to a question selector and prints the matching question identifiers, or
// the available categories of one kind, one per line.
int RunFindCommand(const std::vector<std::string>& args, TToolIO& io);
