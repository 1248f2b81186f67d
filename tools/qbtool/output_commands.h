#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TToolIO;

// The commands that give a test document's pages, as the program prints and exports
// them, with the organisation name of the subject's configuration in the footer:
//   export SUBJECT DOC.vqd OUT.rtf   what "Export to WP" writes
//   print  SUBJECT DOC.vqd OUT.pdf   the printed pages, as PDF; says how many
// Returns false when `name` is neither; otherwise runs it and sets `status`: 0 done,
// 1 a data or file error (no output file is left behind), 2 wrong usage.
bool RunOutputCommand(const std::string& name, const std::vector<std::string>& args, TToolIO& io,
                      int& status);
std::vector<std::string_view> OutputCommandUsages();
