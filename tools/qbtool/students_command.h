#pragma once

#include <string>
#include <vector>

struct TToolIO;

// `students LIST`: a student list or comma-separated file as the program reads it.
int RunStudentsCommand(const std::vector<std::string>& args, TToolIO& io);
