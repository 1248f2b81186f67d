#include "config/library_open.h"

#include "config/config_search.h"
#include "config/ini_file.h"
#include "framework/cp1252.h"
#include "framework/errors.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/text_store.h"

#include <functional>

namespace {

constexpr std::string_view kDocumentExtension = ".vqd";
constexpr const char* kNoTextFile = "Could not open library text file";
constexpr const char* kNoDataFile = "Could not open library data file";

// Subjects are code page 1252; messages are shown as UTF-8.
std::string Quoted(std::string_view cp1252) {
    return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

std::string LookedIn(const std::vector<std::string>& folders) {
    std::string text = "looked for \"" + std::string(kMainIniName) + "\" in ";
    for (std::size_t i = 0; i < folders.size(); ++i)
        text += (i ? ", " : "") + folders[i];
    return text;
}

// The unknown subject keeps the one message its users know; the second line says what
// to fix.
[[noreturn]] void SubjectNotListed(const std::string& subject, const TIniFile& mainIni,
                                   const std::vector<std::string>* searched) {
    std::string where = mainIni.FileName().empty() ? "the configuration" : mainIni.FileName();
    std::string detail = "Subject " + Quoted(subject) + " is not listed in " + where;
    if (searched) detail += " (" + LookedIn(*searched) + ")";
    throw EInOutError(std::string(kNoTextFile) + "\n" + detail + ".");
}

TOpenedLibrary OpenListedSubject(const std::string& subject, const TIniFile& mainIni,
                                 const std::vector<std::string>* searched) {
    if (!mainIni.SectionExists(subject)) SubjectNotListed(subject, mainIni, searched);
    TSubjectConfig config = ReadSubjectConfig(mainIni, subject);
    TOpenedLibrary opened = OpenLibraryFiles(config.TextFilename, config.LibFilename, subject);
    opened.Config = std::move(config);
    return opened;
}

std::string MissingFile(const char* message, const std::string& path) {
    if (path.empty()) return std::string(message) + "\nThe configuration names no file.";
    return std::string(message) + "\nMissing or not a file: " + path;
}

[[noreturn]] void NoDataFile() {
    throw EInOutError("Data file has not been specified");
}

bool IsDocumentArgument(const std::string& argument) {
    return argument.size() >= kDocumentExtension.size() &&
           SameNameIgnoringCase(
               std::string_view(argument).substr(argument.size() - kDocumentExtension.size()),
               kDocumentExtension);
}

TStartupChoice
ChooseSubjectWith(const std::optional<std::string>& argument,
                  const std::function<std::optional<std::string>()>& findStartupIni) {
    if (!argument || argument->empty()) NoDataFile();
    if (!IsDocumentArgument(*argument)) return {*argument, std::nullopt};
    std::optional<std::string> startupIni = findStartupIni();
    std::string subject =
        startupIni ? TIniFile(*startupIni).ReadString("Auto", "Subject", "") : std::string();
    if (subject.empty()) NoDataFile();
    return {subject, *argument};
}

} // namespace

TOpenedLibrary::TOpenedLibrary() = default;
TOpenedLibrary::TOpenedLibrary(TOpenedLibrary&&) noexcept = default;
TOpenedLibrary& TOpenedLibrary::operator=(TOpenedLibrary&&) noexcept = default;
TOpenedLibrary::~TOpenedLibrary() = default;

TStartupChoice ChooseSubject(const std::optional<std::string>& argument) {
    return ChooseSubjectWith(argument, [] { return FindStartupIni(); });
}

TStartupChoice ChooseSubject(const std::optional<std::string>& argument,
                             const std::optional<std::string>& startupIniPath) {
    return ChooseSubjectWith(argument, [&] { return startupIniPath; });
}

TSubjectConfig ReadSubjectConfig(const TIniFile& mainIni, const std::string& subject) {
    TSubjectConfig config;
    std::string folder = mainIni.Folder();
    config.TextFilename =
        ResolveConfigPath(folder, mainIni.ReadString(subject, "TextFilename", ""));
    config.LibFilename = ResolveConfigPath(folder, mainIni.ReadString(subject, "LibFilename", ""));
    config.UseResource = mainIni.ReadString(subject, "UseResource", "1") == "1";
    config.TemplateName = mainIni.ReadString(subject, "TemplateName", config.TemplateName);
    config.TemplateFilename = ResolveConfigPath(folder, config.TemplateName);
    config.FlagResource = mainIni.ReadString(subject, "FlagResource", "1") == "1";
    config.Organisation = mainIni.ReadString(subject, "Organisation", "");
    return config;
}

std::string FindSheetTemplate(const TSubjectConfig& config) {
    if (!config.TemplateFilename.empty() && FileExists(config.TemplateFilename))
        return config.TemplateFilename;
    // Only a bare name is looked for elsewhere; a path names one file.
    if (config.TemplateName.find('/') == std::string::npos)
        if (std::optional<std::string> found = FindConfigFile(config.TemplateName)) return *found;
    return config.TemplateFilename.empty() ? config.TemplateName : config.TemplateFilename;
}

TOpenedLibrary OpenLibraryFiles(const std::string& textFile, const std::string& dataFile,
                                const std::string& subject) {
    TOpenedLibrary opened;
    opened.Subject = subject;
    opened.Config.TextFilename = textFile;
    opened.Config.LibFilename = dataFile;

    // The text file is checked first: a missing text file is what the user hears
    // about even when the data file is missing too.
    if (!FileExists(textFile)) throw EInOutError(MissingFile(kNoTextFile, textFile));
    // Read-only opens never lock, so other programs may keep the file open as well.
    opened.Store = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(textFile, TFileStream::Mode::ReadOnly));

    if (!FileExists(dataFile)) throw EInOutError(MissingFile(kNoDataFile, dataFile));
    TFileStream data(dataFile, TFileStream::Mode::ReadOnly);
    opened.Library = ReadLibraryData(data, opened.Store.get());
    return opened;
}

TOpenedLibrary OpenLibrary(const std::string& subject, const TIniFile& mainIni) {
    return OpenListedSubject(subject, mainIni, nullptr);
}

TOpenedLibrary OpenLibrary(const std::string& subject, const std::string& mainIniPath) {
    if (!FileExists(mainIniPath))
        throw EInOutError("Could not open configuration file \"" + mainIniPath + "\"");
    return OpenLibrary(subject, TIniFile(mainIniPath));
}

TOpenedLibrary OpenLibrary(const std::string& subject) {
    // The folders up to the one that holds the file are where it was looked for.
    std::vector<std::string> folders;
    std::optional<std::string> path;
    for (const std::string& folder : ConfigSearchFolders()) {
        folders.push_back(folder);
        if ((path = FindConfigFile(kMainIniName, {folder}))) break;
    }
    // Without any configuration file no subject is listed: the message is the same
    // as for a subject the file does not list.
    if (!path)
        throw EInOutError(std::string(kNoTextFile) + "\nSubject " + Quoted(subject) +
                          " is not listed: there is no configuration file (" + LookedIn(folders) +
                          ").");
    return OpenListedSubject(subject, TIniFile(*path), &folders);
}
