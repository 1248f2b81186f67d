#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// The rich-text commands of qbtool (they need Qt and the rich-text layer):
//   rtf2txt FILE.rtf                        plain text as the reader sees it
//   rtf-roundtrip IN.rtf OUT.rtf            read and write again
//   rtf2pdf IN.rtf OUT.pdf [--footer TEXT]  paginate and print every page to PDF
// `args` are the words after the command name. Returns false when `name` is none of
// these; otherwise runs it and sets `status`: 0 done, 1 a file error, 2 wrong usage.
// They run without a display: with no platform chosen and no display, Qt's
// offscreen platform is used.
bool RunRtfCommand(const std::string& name, const std::vector<std::string>& args, int& status);
// The same, writing to the given streams.
bool RunRtfCommand(const std::string& name, const std::vector<std::string>& args, int& status,
                   std::ostream& out, std::ostream& err);
// The usage line of each of these commands, for help.
std::vector<std::string_view> RtfCommandUsages();

// A stored library text as plain UTF-8 text: one line per paragraph, without the end
// mark, as the viewer shows it.
std::string StoredTextToPlain(const std::string& rtf);
