#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TToolIO;

// Runs one qbtool command line (without the program name) and returns the exit
// status: 0 done, 1 a data or file error, 2 wrong usage. Errors go to io.Err.
int RunQbtool(const std::vector<std::string>& args, TToolIO& io);
// Whether the name is one of the commands RunQbtool carries out.
bool IsQbtoolCommand(std::string_view name);
