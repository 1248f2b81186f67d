#include "doc_commands.h"

#include "framework/netreader.h"
#include "framework/stream.h"
#include "json_writer.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "tool_options.h"

#include <memory>

TOpenedDocument::TOpenedDocument() = default;
TOpenedDocument::TOpenedDocument(TOpenedDocument&&) noexcept = default;
TOpenedDocument::~TOpenedDocument() = default;

TOpenedDocument OpenToolDocument(const std::string& path, const TToolLibrary& library) {
    TOpenedDocument opened;
    opened.Store = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(path, TFileStream::Mode::ReadOnly));
    opened.Document = ReadDocumentFile(*opened.Store, library.Subject(), library.Library());
    // The reader has checked the header; read its version again for the output.
    TStream& stream = opened.Store->Stream();
    stream.Seek(0);
    stream.Seek(stream.ReadInt32());
    TNetReader reader(stream);
    opened.Version = reader.ReadVersion();
    return opened;
}

void WriteDocumentJson(std::ostream& out, const TDocument& document, const std::string& libraryName,
                       std::int32_t version) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("library");
    json.Cp1252String(libraryName);
    json.Key("version");
    json.Integer(version);
    json.Key("entries");
    json.BeginArray();
    for (const auto& entry : document.Entries) {
        const TTextSegment* segment = entry->Segment;
        json.BeginObject();
        json.Key("class");
        json.String(entry->ClassName());
        json.Key("numbered");
        json.Boolean(entry->Numbered);
        json.Key("number");
        json.Integer(entry->Number);
        json.Key("id");
        json.Cp1252String(segment ? segment->GetID() : std::string());
        json.Key("title");
        json.Cp1252String(segment ? segment->GetTitle() : std::string());
        json.Key("marks");
        json.Integer(segment ? segment->Marks : 0);
        json.Key("time");
        json.Integer(segment ? segment->Time : 0);
        json.Key("hasText");
        json.Boolean(segment && segment->Chunk);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    json.Finish();
}

int RunDocCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals = RequirePositionals(arguments, 2, "SUBJECT and FILE.vqd");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    TOpenedDocument doc = OpenToolDocument(positionals[1], library);
    WriteDocumentJson(io.Out, *doc.Document, library.Subject(), doc.Version);
    return 0;
}

int RunDeriveCommand(const std::vector<std::string>& args, TToolIO&) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals =
        RequirePositionals(arguments, 4, "markscheme or report, SUBJECT, IN.vqd and OUT.vqd");
    const std::string& what = positionals[0];
    if (what != "markscheme" && what != "report")
        throw TUsageError("derive makes a markscheme or a report, not \"" + what + "\"");
    TToolLibrary library = OpenToolLibrary(positionals[1], LibrarySource(arguments));
    TOpenedDocument source = OpenToolDocument(positionals[2], library);
    TDocument derived;
    if (what == "markscheme")
        derived.BuildMarkScheme(*source.Document);
    else
        derived.BuildReport(*source.Document);
    SaveDocumentFile(derived, library.Subject(), positionals[3], &library.Library());
    return 0;
}

int RunResaveCommand(const std::vector<std::string>& args, TToolIO&) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    auto positionals = RequirePositionals(arguments, 3, "SUBJECT, IN.vqd and OUT.vqd");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    TOpenedDocument doc = OpenToolDocument(positionals[1], library);
    SaveDocumentFile(*doc.Document, library.Subject(), positionals[2], &library.Library());
    return 0;
}

int RunNewDocCommand(const std::vector<std::string>& args, TToolIO&) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    std::vector<std::string> positionals = Positionals(arguments);
    if (positionals.size() < 3)
        throw TUsageError("new-doc needs SUBJECT, OUT.vqd and the ID of at least one text");
    TToolLibrary library = OpenToolLibrary(positionals[0], LibrarySource(arguments));
    std::vector<TListItem> items;
    // Every ID is looked up before anything is written, so a typing error saves nothing.
    for (std::size_t i = 2; i < positionals.size(); ++i)
        items.push_back(library.Library().FindSegment(IdentifierArgument(positionals[i])));
    TDocument document;
    document.InsertEntries(items, -1, &library.Library());
    SaveDocumentFile(document, library.Subject(), positionals[1], &library.Library());
    return 0;
}
