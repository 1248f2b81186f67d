#include "config/ini_file.h"

#include "framework/stream.h"

#include <filesystem>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Only ASCII blanks: 0xA0 is a letter-like byte in code page 1252 values.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view WithoutQuotes(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

TIniFile::TIniFile(std::string path) : fFileName(std::move(path)) {
    if (FileExists(fFileName)) Parse(ReadWholeFile(fFileName));
}

TIniFile TIniFile::FromText(std::string_view text) {
    TIniFile ini;
    ini.Parse(text);
    return ini;
}

void TIniFile::Parse(std::string_view text) {
    constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());

    // Keys before the first header, or after a header without its closing bracket,
    // belong to no section: they must not land in the section above a damaged line.
    Section* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::size_t close = line.rfind(']');
            if (close == std::string_view::npos) {
                current = nullptr;
                continue;
            }
            fSections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            current = &fSections.back();
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !current) continue;
        std::string_view key = Trim(line.substr(0, equals));
        if (key.empty()) continue;
        current->Keys.emplace_back(std::string(key),
                                   std::string(WithoutQuotes(Trim(line.substr(equals + 1)))));
    }
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
    name = Trim(name);
    for (const Section& s : fSections)
        if (SameNameIgnoringCase(s.Name, name)) return &s;
    return nullptr;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    // Only the first section of a name is searched, as the platform does: a key that
    // appears only in a repeated section is not found.
    if (const Section* s = FindSection(section)) {
        key = Trim(key);
        for (const auto& [name, value] : s->Keys)
            if (SameNameIgnoringCase(name, key)) return value;
    }
    return std::string(defaultValue);
}

bool TIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::vector<std::string> TIniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : fSections)
        if (FindSection(s.Name) == &s) names.push_back(s.Name);
    return names;
}

std::string TIniFile::Folder() const {
    return std::filesystem::path(fFileName).parent_path().string();
}
