#include "students/student_list.h"

#include "framework/errors.h"
#include "framework/save_file.h"
#include "framework/stream.h"

#include <algorithm>
#include <cctype>

namespace {

// Cuts off the text up to the next comma as one field, or gives an empty field and
// leaves the text when there is no comma left.
std::string TakeField(std::string_view& rest) {
    const auto comma = rest.find(',');
    if (comma == std::string_view::npos) return {};
    std::string field(rest.substr(0, comma));
    rest.remove_prefix(comma + 1);
    return field;
}

bool IsBlank(const TStudent& s) {
    return s.Surname.empty() && s.Forename.empty() && s.DoB.empty() && s.Sex.empty();
}

} // namespace

TStudent SplitStudentLine(std::string_view line) {
    TStudent s;
    s.Surname = TakeField(line);
    s.Forename = TakeField(line);
    s.DoB = TakeField(line);
    s.Sex = std::string(line);
    return s;
}

TStudentListRead ReadStudentList(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    TStudentListRead result;
    int leftOut = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        TStudent s = SplitStudentLine(std::string_view(bytes).substr(pos, end - pos));
        if (result.Students.size() < kMaxStudents)
            result.Students.push_back(std::move(s));
        else if (!IsBlank(s))
            ++leftOut;
        // CR LF is one line end; a CR or an LF alone is one too.
        pos = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ++pos;
    }
    if (leftOut > 0) result.Warnings.push_back(StudentsLeftOutWarning(leftOut));
    return result;
}

std::string StudentsLeftOutWarning(int leftOut) {
    return "A student list holds at most " + std::to_string(kMaxStudents) +
           " students: the first " + std::to_string(kMaxStudents) + " were read and " +
           std::to_string(leftOut) + (leftOut == 1 ? " was" : " were") + " left out.";
}

std::string FormatStudentList(const std::vector<TStudent>& rows) {
    static const char* const kColumns[] = {"Surname", "Forename", "DoB", "Sex"};
    std::string bytes;
    const std::size_t count = std::min<std::size_t>(rows.size(), kMaxStudents);
    for (std::size_t r = 0; r < count && !rows[r].Surname.empty(); ++r) {
        const std::string* cells[] = {&rows[r].Surname, &rows[r].Forename, &rows[r].DoB,
                                      &rows[r].Sex};
        for (int c = 0; c < 4; ++c) {
            if (cells[c]->find_first_of(",\r\n") != std::string::npos)
                throw EDataError("Row " + std::to_string(r + 1) + ", column \"" + kColumns[c] +
                                 "\" holds a comma or a line break, which a student list "
                                 "file cannot keep. Remove it and save again.");
            if (c > 0) bytes += ',';
            bytes += *cells[c];
        }
        bytes += "\r\n";
    }
    return bytes;
}

std::string RowsLeftOutWarning(const std::vector<TStudent>& rows) {
    const std::size_t count = std::min<std::size_t>(rows.size(), kMaxStudents);
    std::size_t stop = 0;
    while (stop < count && !rows[stop].Surname.empty())
        ++stop;
    int leftOut = 0;
    for (std::size_t r = stop; r < count; ++r)
        if (!IsBlank(rows[r])) ++leftOut;
    if (leftOut == 0) return {};
    return "Row " + std::to_string(stop + 1) +
           " has no surname, so the list was saved only up to the row before it: " +
           std::to_string(leftOut) + (leftOut == 1 ? " row was" : " rows were") +
           " left out. Give the row a surname, or delete it, and save again.";
}

void WriteStudentList(const std::string& path, const std::vector<TStudent>& rows) {
    const std::string bytes = FormatStudentList(rows);
    TSaveFile file(path);
    file.Stream().Write(bytes.data(), bytes.size());
    file.Commit();
}

TStudentListRead ImportStudentCsv(const std::string& path) {
    return ParseStudentCsv(ReadWholeFile(path));
}

TStudentListRead ReadStudentFile(const std::string& path) {
    std::string ext = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".csv" ? ImportStudentCsv(path) : ReadStudentList(path);
}
