#include "sheets/student_rows.h"

#include "framework/errors.h"

#include <fstream>
#include <sstream>

namespace {

// The first three fields end at a comma; when none is left a field is empty and the
// rest of the line goes on to the next. The fourth field is what remains.
TStudentRow SplitStudentLine(std::string_view line) {
    std::string fields[3];
    for (std::string& field : fields) {
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) continue;
        field = line.substr(0, comma);
        line.remove_prefix(comma + 1);
    }
    return {fields[0], fields[1], fields[2], std::string(line)};
}

} // namespace

std::vector<TStudentRow> ParseStudentRows(const std::string& text) {
    std::vector<TStudentRow> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        rows.push_back(SplitStudentLine(std::string_view(text).substr(start, end - start)));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    // Blank lines at the end of a file are not students.
    while (!rows.empty() && rows.back().Surname.empty() && rows.back().Forename.empty() &&
           rows.back().DoB.empty() && rows.back().Sex.empty())
        rows.pop_back();
    return rows;
}

std::vector<TStudentRow> ReadStudentRows(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError("Cannot open the student list " + path);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw EInOutError("Cannot read the student list " + path);
    return ParseStudentRows(text.str());
}
