#pragma once

#include <string>
#include <vector>

struct TToolIO;

// `library SUBJECT`: the library as JSON.
int RunLibraryCommand(const std::vector<std::string>& args, TToolIO& io);
// `summary SUBJECT`: a short account of what the library holds.
int RunSummaryCommand(const std::vector<std::string>& args, TToolIO& io);
// `text SUBJECT ID [--plain]`: the stored RTF of one segment, or its plain text.
int RunTextCommand(const std::vector<std::string>& args, TToolIO& io);
