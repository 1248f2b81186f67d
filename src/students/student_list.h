#pragma once

#include <string>
#include <string_view>
#include <vector>

// One row of a class list. The texts are code page 1252 bytes, as the files keep them;
// date of birth and sex are free text that nothing checks.
struct TStudent {
    std::string Surname;
    std::string Forename;
    std::string DoB;
    std::string Sex;

    bool operator==(const TStudent&) const = default;
};

// A list holds at most this many students.
constexpr int kMaxStudents = 39;
// The longest cell text an import keeps, in characters.
constexpr int kMaxStudentCell = 40;

// What a file gave: the students in file order (at most kMaxStudents) and the warnings
// (UTF-8) that the reader should show, such as students left out.
struct TStudentListRead {
    std::vector<TStudent> Students;
    std::vector<std::string> Warnings;
};

// Splits one line of a student list file into the four fields. Each of the first three
// fields runs up to the next comma; where no comma is left, that field is empty and the
// text stays for the next. Whatever remains is the sex field, so a line without commas
// lands wholly in it.
TStudent SplitStudentLine(std::string_view line);

// Reads a student list file (".ptx"): one student per line, CR, LF or CR LF ends.
// Throws EInOutError when the file cannot be read.
TStudentListRead ReadStudentList(const std::string& path);

// Writes the rows up to the first one without a surname, each as four comma-joined
// fields ending in CR LF. A cell holding a comma or a line break would shift the fields
// when read back, so such a list is refused with EDataError naming the row and column,
// and nothing is written. The file is replaced only once it is complete.
void WriteStudentList(const std::string& path, const std::vector<TStudent>& rows);
// The file's bytes, checked as WriteStudentList checks them.
std::string FormatStudentList(const std::vector<TStudent>& rows);
// The warning (UTF-8) for rows with text that a save leaves out because a row before
// them, or their own, has no surname; empty when every filled row is kept.
std::string RowsLeftOutWarning(const std::vector<TStudent>& rows);

// Reads a comma-separated file as spreadsheets and school systems export it: quoted
// fields, a UTF-8 byte-order mark, UTF-8 or else code page 1252 text, semicolons as the
// separator when the first line has them and no commas, and a first line naming the
// columns, which is skipped. Columns go to surname, forename, date of birth and sex in
// that order; empty rows are skipped, control characters dropped and cells cut to
// kMaxStudentCell characters, each with a warning.
TStudentListRead ImportStudentCsv(const std::string& path);
// The same for bytes already read.
TStudentListRead ParseStudentCsv(std::string_view bytes);

// The warning for students beyond kMaxStudents.
std::string StudentsLeftOutWarning(int leftOut);

// A ".csv" file (any case) through the import, anything else as a student list file.
TStudentListRead ReadStudentFile(const std::string& path);
