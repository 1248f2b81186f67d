#include "build_library.h"

#include "framework/cp1252.h"
#include "framework/errors.h"
#include "framework/save_file.h"
#include "framework/stream.h"
#include "library_source.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "build-library SRC_DIR --out DIR [--subject NAME]";
constexpr std::size_t kMaxErrorsShown = 100;

struct TBuildOptions {
    std::string SourceDir;
    std::string OutDir;
    std::optional<std::string> Subject;
};

class TUsageProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

TBuildOptions ParseOptions(const std::vector<std::string>& args) {
    TBuildOptions options;
    std::vector<std::string> positionals;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            positionals.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--out" || word == "--subject") {
            if (i + 1 >= args.size()) throw TUsageProblem("option " + word + " needs a value");
            const std::string& value = args[++i];
            if (value.empty()) throw TUsageProblem("option " + word + " needs a value");
            bool isOut = word == "--out";
            if (isOut ? !options.OutDir.empty() : options.Subject.has_value())
                throw TUsageProblem("option " + word + " given twice");
            if (isOut)
                options.OutDir = value;
            else
                options.Subject = value;
        } else {
            throw TUsageProblem("unknown option " + word);
        }
    }
    if (positionals.size() != 1) throw TUsageProblem("expected one SRC_DIR");
    if (options.OutDir.empty()) throw TUsageProblem("the option --out DIR is required");
    options.SourceDir = positionals[0];
    return options;
}

// Why a subject cannot be a section of vantor32.ini, or empty when it can.
std::string SubjectProblem(const std::string& subject) {
    if (subject.empty()) return "the subject is empty";
    if (subject.front() == ' ' || subject.back() == ' ')
        return "the subject may not start or end with a space";
    for (char c : subject) {
        if (c == '[' || c == ']') return "the subject may not hold [ or ]";
        if (static_cast<unsigned char>(c) < 0x20)
            return "the subject may not hold control characters";
    }
    return {};
}

// Every segment in the order its text is stored: question, syllabus, resource tree,
// each in pre-order, the slots of a node in their fixed order.
template <class Fn> void ForEachSegment(const TLibrary& lib, Fn fn) {
    for (const TIdentityCategory* root :
         {lib.QuestionRoot.get(), lib.SyllabusRoot.get(), lib.ResourceRoot.get()}) {
        TCategoryIterator it(root);
        while (TCategory* c = it.Next()) {
            auto* node = static_cast<TIdentityCategory*>(c);
            for (char kind : {'Q', 'S', 'E', 'M', 'N', 'R'})
                if (TTextSegment* s = node->SegmentFor(kind)) fn(*s);
        }
    }
}

void WriteTexts(TLibrary& lib, TSaveFile& out) {
    TFileStream& file = out.Stream();
    TTextStore store(out.ReleaseStream());
    ForEachSegment(lib, [&](TTextSegment& segment) {
        if (!segment.Chunk) return;
        // A text's offset in the file is a signed 32-bit number.
        std::int64_t length = 8;
        for (const std::string& line : segment.Chunk->GetLines())
            length += static_cast<std::int64_t>(line.size()) + 4;
        if (file.Size() + length > std::numeric_limits<std::int32_t>::max())
            throw EInOutError("the texts of the library do not fit in one text file (2 GB)");
        segment.Chunk->SaveToStore(store);
    });
}

void WriteIni(const std::string& subject, const TParsedLibrary& parsed, TSaveFile& out) {
    std::string text = "; Written by qbtool build-library.\n[" + subject +
                       "]\nTextFilename=" + kBuiltTextName + "\nLibFilename=" + kBuiltDataName +
                       "\n";
    if (!parsed.Organisation.empty()) text += "Organisation=" + parsed.Organisation + "\n";
    if (!parsed.Template.empty()) text += "TemplateName=" + parsed.Template + "\n";
    out.Stream().Write(text.data(), text.size());
}

int CountQuestions(const TLibrary& lib) {
    int count = 0;
    ForEachSegment(lib, [&](TTextSegment& s) { count += s.Kind() == 'Q' ? 1 : 0; });
    return count;
}

int CountTexts(const TLibrary& lib) {
    int count = 0;
    ForEachSegment(lib, [&](TTextSegment& s) { count += s.Chunk ? 1 : 0; });
    return count;
}

// Prints the errors grouped by file, each file's in line order.
void PrintErrors(std::vector<TSourceError> errors, std::ostream& err) {
    std::stable_sort(errors.begin(), errors.end(),
                     [](const TSourceError& a, const TSourceError& b) {
                         return a.File != b.File ? a.File < b.File : a.Line < b.Line;
                     });
    std::size_t shown = 0;
    for (const TSourceError& e : errors) {
        if (shown++ == kMaxErrorsShown) {
            err << "... and " << errors.size() - kMaxErrorsShown << " more errors\n";
            break;
        }
        err << e.File;
        if (e.Line > 0) err << ':' << e.Line;
        err << ": " << e.Message << '\n';
    }
    err << "qbtool: the library was not built (" << errors.size()
        << (errors.size() == 1 ? " error" : " errors") << ")\n";
}

int Build(const TBuildOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<TSourceError> errors;
    if (!fs::is_directory(options.SourceDir)) {
        err << "qbtool: " << options.SourceDir << ": no such source folder\n";
        return 1;
    }
    TParsedLibrary parsed = ParseLibrarySource(options.SourceDir, errors);
    std::string subject = parsed.Library->Name;
    if (options.Subject) {
        std::string problem;
        std::optional<std::string> converted = ToCodePage(*options.Subject, problem);
        if (!converted) {
            err << "qbtool: --subject: " << problem << '\n' << "usage: qbtool " << kUsage << '\n';
            return 2;
        }
        subject = *converted;
        if (std::string why = SubjectProblem(subject); !why.empty()) {
            err << "qbtool: --subject: " << why << '\n' << "usage: qbtool " << kUsage << '\n';
            return 2;
        }
    } else if (parsed.NameLine > 0 && !subject.empty()) {
        if (std::string why = SubjectProblem(subject); !why.empty())
            errors.push_back(
                {(fs::path(options.SourceDir) / kManifestName).string(), parsed.NameLine,
                 "the library name is the subject, and " + why + " (or give --subject NAME)"});
    }
    if (!errors.empty()) {
        PrintErrors(errors, err);
        return 1;
    }

    std::error_code error;
    fs::create_directories(options.OutDir, error);
    if (error) {
        err << "qbtool: cannot create the folder " << options.OutDir << ": " << error.message()
            << '\n';
        return 1;
    }
    // Each file is complete before any takes its name, so a failed build leaves the
    // old library whole.
    fs::path dir(options.OutDir);
    TSaveFile text((dir / kBuiltTextName).string()), data((dir / kBuiltDataName).string()),
        ini((dir / kBuiltIniName).string());
    WriteTexts(*parsed.Library, text);
    WriteLibraryData(data.Stream(), *parsed.Library);
    WriteIni(subject, parsed, ini);
    // The mark sheet template goes beside the configuration file that names it.
    std::unique_ptr<TSaveFile> sheetTemplate;
    if (!parsed.Template.empty()) {
        std::ifstream in(fs::path(options.SourceDir) / parsed.Template, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) throw EInOutError("cannot read the template " + parsed.Template);
        sheetTemplate = std::make_unique<TSaveFile>((dir / parsed.Template).string());
        sheetTemplate->Stream().Write(bytes.data(), bytes.size());
    }
    text.Commit();
    data.Commit();
    ini.Commit();
    if (sheetTemplate) sheetTemplate->Commit();

    const TLibrary& lib = *parsed.Library;
    out << "Built \"" << Cp1252ToUtf8(lib.Name) << "\" (subject " << Cp1252ToUtf8(subject)
        << "): " << CountQuestions(lib) << " questions, " << CountTexts(lib) << " texts, in "
        << options.OutDir << '\n';
    return 0;
}

} // namespace

int RunBuildLibrary(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TBuildOptions options;
    try {
        options = ParseOptions(args);
    } catch (const TUsageProblem& e) {
        err << "qbtool: " << e.what() << '\n' << "usage: qbtool " << kUsage << '\n';
        return 2;
    }
    try {
        return Build(options, out, err);
    } catch (const std::bad_alloc&) {
        err << "qbtool: Out of memory\n";
    } catch (const std::exception& e) {
        err << "qbtool: " << e.what() << '\n';
    }
    return 1;
}

int RunBuildLibrary(const std::vector<std::string>& args) {
    return RunBuildLibrary(args, std::cout, std::cerr);
}
