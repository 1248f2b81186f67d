#include "config/library_open.h"

#include "config/config_search.h"
#include "config/ini_file.h"
#include "framework/errors.h"
#include "framework/stream.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/text_store.h"

#include <functional>

namespace {

constexpr std::string_view kDocumentExtension = ".vqd";

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
    return ChooseSubjectWith(argument, [] { return FindConfigFile(kStartupIniName); });
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
    config.TemplateName = mainIni.ReadString(subject, "TemplateName", "MES1.xlt");
    config.FlagResource = mainIni.ReadString(subject, "FlagResource", "1") == "1";
    config.Organisation = mainIni.ReadString(subject, "Organisation", "");
    return config;
}

TOpenedLibrary OpenLibraryFiles(const std::string& textFile, const std::string& dataFile,
                                const std::string& subject) {
    TOpenedLibrary opened;
    opened.Subject = subject;
    opened.Config.TextFilename = textFile;
    opened.Config.LibFilename = dataFile;

    // The text file is checked first: a missing text file is what the user hears
    // about even when the data file is missing too.
    if (!FileExists(textFile)) throw EInOutError("Could not open library text file");
    // Read-only opens never lock, so other programs may keep the file open as well.
    opened.Store = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(textFile, TFileStream::Mode::ReadOnly));

    if (!FileExists(dataFile)) throw EInOutError("Could not open library data file");
    TFileStream data(dataFile, TFileStream::Mode::ReadOnly);
    opened.Library = ReadLibraryData(data, opened.Store.get());
    return opened;
}

TOpenedLibrary OpenLibrary(const std::string& subject, const TIniFile& mainIni) {
    TSubjectConfig config = ReadSubjectConfig(mainIni, subject);
    TOpenedLibrary opened = OpenLibraryFiles(config.TextFilename, config.LibFilename, subject);
    opened.Config = std::move(config);
    return opened;
}

TOpenedLibrary OpenLibrary(const std::string& subject, const std::string& mainIniPath) {
    if (!FileExists(mainIniPath))
        throw EInOutError("Could not open configuration file \"" + mainIniPath + "\"");
    return OpenLibrary(subject, TIniFile(mainIniPath));
}

TOpenedLibrary OpenLibrary(const std::string& subject) {
    // Without any configuration file every key is empty, which ends in the message
    // about the text file as it would for a subject the file does not list.
    std::optional<std::string> path = FindConfigFile(kMainIniName);
    return OpenLibrary(subject, path ? TIniFile(*path) : TIniFile::FromText(""));
}
