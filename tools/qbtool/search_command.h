#pragma once

#include <string>
#include <vector>

struct TToolIO;

// `search SUBJECT [--kind KIND] QUERY`: the texts whose identifier, title or text hold
// every word of QUERY, one "ID TITLE" per line in library order, after building or
// refreshing the library's search index.
int RunSearchCommand(const std::vector<std::string>& args, TToolIO& io);
