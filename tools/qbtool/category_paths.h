#pragma once

#include <string>
#include <string_view>
#include <vector>

class TCategory;

// The names of a category from below its tree's root down to it (code page 1252);
// empty for a root.
std::vector<std::string> CategoryNames(const TCategory& category);
// The same names as UTF-8, joined by "/": the PATH of the command line.
std::string CategoryPath(const TCategory& category);
// The category that a PATH (UTF-8) names below `root`: an empty PATH is the root; at
// each level the first child, in list order, whose name matches the next piece is
// taken. A name holding "/" matches as a whole, so every name can be spelt. Null when
// nothing matches.
TCategory* FindCategoryByPath(const TCategory& root, std::string_view path);
