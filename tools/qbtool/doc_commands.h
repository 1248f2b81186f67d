#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class TDocument;
class TTextStore;
struct TToolIO;
struct TToolLibrary;

// A document read from its file; the file stays open because free texts load from it.
struct TOpenedDocument {
    std::unique_ptr<TTextStore> Store;
    std::unique_ptr<TDocument> Document;
    std::int32_t Version = 0;

    TOpenedDocument();
    TOpenedDocument(TOpenedDocument&&) noexcept;
    ~TOpenedDocument();
};
TOpenedDocument OpenToolDocument(const std::string& path, const TToolLibrary& library);

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
