#pragma once

#include <string>
#include <vector>

// One student of a class list, in the files' code page.
struct TStudentRow {
    std::string Surname, Forename, DoB, Sex;
};

// The students of a student list file, one per line, each line split into its four
// fields as student lists are read. Raises EInOutError when the file cannot be read.
std::vector<TStudentRow> ReadStudentRows(const std::string& path);
// The same from the file's text (CR, LF or CR LF line ends).
std::vector<TStudentRow> ParseStudentRows(const std::string& text);
