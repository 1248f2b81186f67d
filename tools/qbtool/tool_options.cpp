#include "tool_options.h"

#include "framework/cp1252.h"
#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/stream.h"
#include "source_words.h"

#include <optional>

namespace {

constexpr std::pair<std::string_view, bool> kLibraryOptions[] = {
    {"--ini", true}, {"--data", true}, {"--text", true}};

bool IsAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

std::vector<TArgument>
ParseArguments(const std::vector<std::string>& args,
               std::initializer_list<std::pair<std::string_view, bool>> options) {
    auto find = [&](std::string_view word) -> const std::pair<std::string_view, bool>* {
        for (const auto& o : options)
            if (o.first == word) return &o;
        for (const auto& o : kLibraryOptions)
            if (o.first == word) return &o;
        return nullptr;
    };
    std::vector<TArgument> result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            result.push_back({{}, word});
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto* option = find(word);
        if (!option) throw TUsageError("unknown option " + word);
        if (!option->second) {
            result.push_back({word, {}});
            continue;
        }
        if (i + 1 >= args.size()) throw TUsageError("option " + word + " needs a value");
        result.push_back({word, args[++i]});
    }
    return result;
}

std::vector<std::string> Positionals(const std::vector<TArgument>& arguments) {
    std::vector<std::string> result;
    for (const auto& a : arguments)
        if (a.Option.empty()) result.push_back(a.Value);
    return result;
}

std::vector<std::string> RequirePositionals(const std::vector<TArgument>& arguments,
                                            std::size_t count, const char* names) {
    std::vector<std::string> positionals = Positionals(arguments);
    if (positionals.size() != count) throw TUsageError(std::string("expected ") + names);
    return positionals;
}

bool HasOption(const std::vector<TArgument>& arguments, std::string_view option) {
    for (const auto& a : arguments)
        if (a.Option == option) return true;
    return false;
}

TLibrarySource LibrarySource(const std::vector<TArgument>& arguments) {
    TLibrarySource source;
    auto take = [](std::string& field, const TArgument& a) {
        if (!field.empty()) throw TUsageError("option " + a.Option + " given twice");
        if (a.Value.empty()) throw TUsageError("option " + a.Option + " needs a value");
        field = a.Value;
    };
    for (const auto& a : arguments) {
        if (a.Option == "--ini") take(source.Ini, a);
        if (a.Option == "--data") take(source.Data, a);
        if (a.Option == "--text") take(source.Text, a);
    }
    if (source.Data.empty() != source.Text.empty())
        throw TUsageError("--data and --text must be given together");
    if (!source.Ini.empty() && !source.Data.empty())
        throw TUsageError("--ini cannot be combined with --data and --text");
    return source;
}

TToolLibrary OpenToolLibrary(const std::string& subjectArgument, const TLibrarySource& source) {
    std::string subject = ArgumentToCp1252(subjectArgument);
    TToolLibrary result;
    if (!source.Data.empty())
        result.Opened = OpenLibraryFiles(source.Text, source.Data, subject);
    else if (!source.Ini.empty())
        result.Opened = OpenLibrary(subject, source.Ini);
    else
        result.Opened = OpenLibrary(subject);
    result.Version = ReadLibraryVersion(result.Opened.Config.LibFilename);
    return result;
}

std::int32_t ReadLibraryVersion(const std::string& dataPath) {
    TFileStream data(dataPath, TFileStream::Mode::ReadOnly, "Could not open library data file");
    TNetReader reader(data);
    return reader.ReadVersion();
}

std::string ArgumentToCp1252(std::string_view argument) {
    if (IsAscii(argument) || !IsValidUtf8(argument)) return std::string(argument);
    return Utf8ToCp1252(argument);
}

std::string IdentifierArgument(std::string_view argument) {
    if (IsAscii(argument) || !IsValidUtf8(argument)) return std::string(argument);
    std::string problem;
    std::optional<std::string> converted = ToCodePage(argument, problem);
    if (!converted) throw EDataError("Invalid ID: " + std::string(argument) + " (" + problem + ")");
    return *converted;
}

std::string ToDisplayText(std::string_view text) {
    if (IsValidUtf8(text)) return std::string(text);
    return Cp1252ToUtf8(text);
}
