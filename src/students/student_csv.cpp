#include "students/student_list.h"

#include "framework/cp1252.h"
#include "framework/errors.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Semicolons where a spreadsheet's locale uses the comma for decimals.
unsigned char SeparatorOf(std::string_view text) {
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    const bool semicolons = first.find(';') != std::string_view::npos;
    const bool commas = first.find(',') != std::string_view::npos;
    return semicolons && !commas ? ';' : ',';
}

std::string Lower(std::string_view s) {
    std::string r(s);
    std::transform(r.begin(), r.end(), r.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return r;
}

bool IsHeader(const std::vector<std::string>& record) {
    static const std::string_view kNames[] = {
        "surname",     "forename",   "first name", "firstname", "last name",    "lastname",  "name",
        "family name", "given name", "student",    "pupil",     "student name", "pupil name"};
    if (record.empty()) return false;
    const std::string first = Lower(record[0]);
    return std::find(std::begin(kNames), std::end(kNames), first) != std::end(kNames);
}

// Line breaks and tabs inside a quoted field become blanks; other control characters go.
std::string CleanCell(std::string_view raw) {
    std::string cell;
    for (const char ch : raw) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\t' || c == '\r' || c == '\n') {
            if (!cell.empty() && cell.back() != ' ') cell += ' ';
        } else if (c >= 0x20 && c != 0x7F) {
            cell += ch;
        }
    }
    while (!cell.empty() && cell.back() == ' ')
        cell.pop_back();
    return cell;
}

struct TCsvRecords {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> current;
};

void EndOfField(void* data, std::size_t len, void* context) {
    auto* r = static_cast<TCsvRecords*>(context);
    r->current.emplace_back(static_cast<const char*>(data), len);
}

void EndOfRecord(int, void* context) {
    auto* r = static_cast<TCsvRecords*>(context);
    r->records.push_back(std::move(r->current));
    r->current.clear();
}

std::vector<std::vector<std::string>> ParseRecords(std::string_view text, unsigned char sep) {
    csv_parser parser;
    if (csv_init(&parser, 0) != 0) throw EDataError("Cannot start reading the file");
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&parser, csv_free);
    csv_set_delim(&parser, sep);
    TCsvRecords records;
    if (csv_parse(&parser, text.data(), text.size(), EndOfField, EndOfRecord, &records) !=
            text.size() ||
        csv_fini(&parser, EndOfField, EndOfRecord, &records) != 0)
        throw EDataError(std::string("The file is not a readable comma-separated file: ") +
                         csv_strerror(csv_error(&parser)));
    return std::move(records.records);
}

} // namespace

TStudentListRead ParseStudentCsv(std::string_view bytes) {
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    // Files from a spreadsheet's older "CSV" choice are in the code page already.
    const std::string text = IsValidUtf8(bytes) ? Utf8ToCp1252(bytes) : std::string(bytes);
    auto records = ParseRecords(text, SeparatorOf(text));

    TStudentListRead result;
    int leftOut = 0;
    int wideRows = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        if (i == 0 && IsHeader(record)) continue;
        TStudent s;
        std::string* cells[] = {&s.Surname, &s.Forename, &s.DoB, &s.Sex};
        for (std::size_t c = 0; c < record.size(); ++c) {
            std::string cell = CleanCell(record[c]);
            if (c >= 4) {
                if (!cell.empty()) ++wideRows, c = record.size();
                continue;
            }
            if (cell.size() > static_cast<std::size_t>(kMaxStudentCell)) {
                result.Warnings.push_back("Row " + std::to_string(i + 1) + ": \"" +
                                          Cp1252ToUtf8(cell) + "\" was cut to " +
                                          std::to_string(kMaxStudentCell) + " characters.");
                cell.resize(kMaxStudentCell);
            }
            *cells[c] = std::move(cell);
        }
        if (s == TStudent{}) continue;
        if (result.Students.size() < kMaxStudents)
            result.Students.push_back(std::move(s));
        else
            ++leftOut;
    }
    if (wideRows > 0)
        result.Warnings.push_back(std::to_string(wideRows) +
                                  (wideRows == 1 ? " row has" : " rows have") +
                                  " more than four columns: only surname, forename, date of "
                                  "birth and sex were read.");
    if (leftOut > 0) result.Warnings.push_back(StudentsLeftOutWarning(leftOut));
    return result;
}
