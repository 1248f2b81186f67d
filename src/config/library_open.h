#pragma once

#include <memory>
#include <optional>
#include <string>

class TIniFile;
class TLibrary;
class TTextStore;

// A subject's section of the main configuration file.
struct TSubjectConfig {
    // Paths of the library text and data files, resolved against the file's folder.
    std::string TextFilename;
    std::string LibFilename;
    // Mark-entry sheets take specification references from question resources.
    bool UseResource = true;
    // The mark sheet template as the file names it, and that name resolved against the
    // file's folder (empty without a configuration file).
    std::string TemplateName = "marksheet.qbt";
    std::string TemplateFilename;
    // The Question Finder asks for resources.
    bool FlagResource = true;
    // Printed on title pages and page footers.
    std::string Organisation;
};

// An open library. The store is declared first so that it outlives the library, whose
// text chunks read from it.
struct TOpenedLibrary {
    std::string Subject;
    TSubjectConfig Config;
    std::unique_ptr<TTextStore> Store;
    std::unique_ptr<TLibrary> Library;

    TOpenedLibrary();
    TOpenedLibrary(TOpenedLibrary&&) noexcept;
    TOpenedLibrary& operator=(TOpenedLibrary&&) noexcept;
    ~TOpenedLibrary();
};

// What the command line asks for at start-up.
struct TStartupChoice {
    std::string Subject;
    // The test document to open once the main window shows, when one was given.
    std::optional<std::string> Document;
};

// Chooses the subject from the program's first argument: none (or an empty one) fails
// with EInOutError "Data file has not been specified"; one ending in ".vqd", in any
// letter case, is a test document whose subject is key "Subject" of section "Auto" of
// the start-up file (empty or absent fails the same way); anything else is the subject.
// The start-up file is looked for only when a document is given.
TStartupChoice ChooseSubject(const std::optional<std::string>& argument);
// The same with the start-up file's path given (nullopt: there is none).
TStartupChoice ChooseSubject(const std::optional<std::string>& argument,
                             const std::optional<std::string>& startupIniPath);

// Reads a subject's section; absent keys take their defaults.
TSubjectConfig ReadSubjectConfig(const TIniFile& mainIni, const std::string& subject);

// The mark sheet template to read: TemplateFilename when that file exists, else the
// first of the configuration folders holding a file of TemplateName (where the
// shipped template lies), else TemplateFilename or TemplateName, for the message.
std::string FindSheetTemplate(const TSubjectConfig& config);

// Opens a subject's library: reads its section, opens the text file, then reads the
// data file. Raises EInOutError "Could not open library text file" or "Could not open
// library data file" when the file does not exist (a subject without a section ends in
// the first), "Incorrect library version" for a version outside 1..11, and the object
// stream's errors for a damaged data file. The two messages about missing files carry
// a second line saying what is missing: the subject, the configuration file and the
// folders searched for it, or the path of the file.
TOpenedLibrary OpenLibrary(const std::string& subject);
TOpenedLibrary OpenLibrary(const std::string& subject, const TIniFile& mainIni);
// With the main configuration file named by the caller; a file that does not exist is
// an error here rather than an empty configuration.
TOpenedLibrary OpenLibrary(const std::string& subject, const std::string& mainIniPath);

// Opens library files named directly, without a configuration file; the options keep
// their defaults.
TOpenedLibrary OpenLibraryFiles(const std::string& textFile, const std::string& dataFile,
                                const std::string& subject = {});
