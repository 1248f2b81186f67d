#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TDocument;
struct TToolIO;

// `doc SUBJECT FILE.vqd`: the document's entries as JSON.
int RunDocCommand(const std::vector<std::string>& args, TToolIO& io);
// `derive markscheme|report SUBJECT IN.vqd OUT.vqd`: the derived document, saved.
int RunDeriveCommand(const std::vector<std::string>& args, TToolIO& io);
// `resave SUBJECT IN.vqd OUT.vqd`: the document read and written again (version 10).
int RunResaveCommand(const std::vector<std::string>& args, TToolIO& io);

// `new-doc SUBJECT OUT.vqd ID...`: a new test document holding the texts named, in order.
int RunNewDocCommand(const std::vector<std::string>& args, TToolIO& io);

// The JSON of a document read from a file of `version` carrying `libraryName`.
void WriteDocumentJson(std::ostream& out, const TDocument& document, const std::string& libraryName,
                       std::int32_t version);
