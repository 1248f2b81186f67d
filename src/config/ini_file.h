#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A read-only private-profile ("ini") file with the semantics administrators know from
// Windows: "[Section]" headers, "Key=Value" lines, names compared without regard to
// ASCII case, the first section and the first key of a name win, blanks around names
// and values dropped, lines starting with ";" ignored, and a value wrapped in double
// quotes loses them. Values are the file's 8-bit bytes (code page 1252), untouched.
// Nothing is ever written back.
class TIniFile {
public:
    // Reads the file. A file that does not exist reads as an empty one, so every key
    // takes its default; a file that exists but cannot be read raises EInOutError.
    explicit TIniFile(std::string path);
    // Parses text held in memory; FileName() is empty.
    static TIniFile FromText(std::string_view text);

    // The value of `key` in `section`, or `defaultValue` when either is absent. A key
    // that is present with nothing after "=" yields an empty string, not the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    bool SectionExists(std::string_view section) const;
    // Section names in file order, each once (the first spelling).
    std::vector<std::string> SectionNames() const;

    const std::string& FileName() const { return fFileName; }
    // The folder the file lies in ("" when it has none); relative paths in the file
    // are taken against it.
    std::string Folder() const;

private:
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
    };

    TIniFile() = default;
    void Parse(std::string_view text);
    const Section* FindSection(std::string_view name) const;

    std::string fFileName;
    std::vector<Section> fSections;
};

// True when two names are equal apart from the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
