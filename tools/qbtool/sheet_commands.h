#pragma once

#include <string>
#include <vector>

struct TToolIO;

// `marksheet SUBJECT DOC.vqd OUT.xlsx [--students LIST]`: the mark entry sheet of a test.
int RunMarkSheetCommand(const std::vector<std::string>& args, TToolIO& io);
// `file-index SUBJECT DOC.vqd OUT.xlsx`: the file index of a test.
int RunFileIndexCommand(const std::vector<std::string>& args, TToolIO& io);
