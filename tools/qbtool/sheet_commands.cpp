#include "sheet_commands.h"

#include "framework/stream.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "sheets/mark_sheet.h"
#include "tool_options.h"

#include <memory>

namespace {

struct TSheetSource {
    TToolLibrary Library;
    std::unique_ptr<TTextStore> Store; // the document's file, which its free texts read from
    std::unique_ptr<TDocument> Document;
    std::string OutPath;
};

TSheetSource OpenSheetSource(const std::vector<TArgument>& arguments) {
    auto positionals = RequirePositionals(arguments, 3, "SUBJECT, DOC.vqd and OUT.xlsx");
    TSheetSource source{OpenToolLibrary(positionals[0], LibrarySource(arguments)), nullptr, nullptr,
                        positionals[2]};
    source.Store = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(positionals[1], TFileStream::Mode::ReadOnly));
    source.Document =
        ReadDocumentFile(*source.Store, source.Library.Subject(), source.Library.Library());
    return source;
}

int CountQuestions(const TDocument& document) {
    int count = 0;
    for (const auto& entry : document.Entries)
        count += dynamic_cast<const TQuestion*>(entry->Segment) ? 1 : 0;
    return count;
}

std::string Plural(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

int RunMarkSheetCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {{"--students", true}});
    TMarkSheetRequest request;
    for (const TArgument& a : arguments)
        if (a.Option == "--students") request.StudentList = a.Value;
    TSheetSource source = OpenSheetSource(arguments);
    const TSubjectConfig& config = source.Library.Opened.Config;
    request.TemplatePath = FindSheetTemplate(config);
    request.UseResource = config.UseResource;
    TMarkSheetStudents students =
        WriteMarkSheet(*source.Document, source.Library.Library(), request, source.OutPath);
    for (const std::string& warning : students.Warnings)
        io.Err << "qbtool: " << warning << '\n';
    io.Out << "Wrote " << source.OutPath << ": "
           << Plural(CountQuestions(*source.Document), "question");
    if (request.StudentList) io.Out << ", " << Plural(students.Count, "student");
    io.Out << '\n';
    return 0;
}

int RunFileIndexCommand(const std::vector<std::string>& args, TToolIO& io) {
    std::vector<TArgument> arguments = ParseArguments(args, {});
    TSheetSource source = OpenSheetSource(arguments);
    WriteFileIndex(*source.Document, source.Library.Library(), source.OutPath);
    io.Out << "Wrote " << source.OutPath << ": "
           << Plural(CountQuestions(*source.Document), "question") << '\n';
    return 0;
}
