#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One statement line of a library manifest: where it stands, how deep it is indented
// and the words it is made of (quotes removed, escapes resolved, still UTF-8).
struct TSourceLine {
    int Number = 0;
    int Depth = 0;
    std::vector<std::string> Words;
};

// A problem found in the source, reported as "FILE:LINE: message".
struct TSourceError {
    std::string File;
    int Line = 0;
    std::string Message;
};

// Splits a manifest into its statement lines. Blank lines and comments are dropped;
// a line that cannot be read (bad UTF-8, a tab or an odd number of spaces in the
// indentation, an unclosed quote) adds an error and is dropped as well.
std::vector<TSourceLine> SplitSourceLines(std::string_view text, const std::string& file,
                                          std::vector<TSourceError>& errors);

// Converts UTF-8 to code page 1252, refusing control characters and characters the
// code page lacks. On failure returns nothing and sets `problem`.
std::optional<std::string> ToCodePage(std::string_view utf8, std::string& problem);

// Quotes a word for a message the way the manifest would spell it.
std::string Quoted(std::string_view word);
