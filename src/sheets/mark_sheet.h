#pragma once

#include "sheets/workbook.h"
#include "students/student_list.h"

#include <optional>
#include <string>
#include <vector>

class TDocument;
class TLibrary;

// What the two workbooks show of one question of a test, in the files' code page.
struct TQuestionFields {
    std::string ID, Title, Topic;
    std::string Level; // the level's place in the level tree (from 1), or empty
    int Marks = 0;
    std::string Ref1, Ref2; // specification references
};

// The fields of every question of the document, in document order; other entries are
// left out. The references come from the identity's related identities, or from the
// question's resources when `refsFromResources`.
std::vector<TQuestionFields> CollectQuestionFields(const TDocument& document,
                                                   const TLibrary& library, bool refsFromResources);

// The last row that the per-question percentages add up, unless more students are listed.
inline constexpr int kLastStudentRow = 1000;

// Fills a workbook read from the mark sheet template: one column per question from
// E, one row per student from row 9, totals and percentages, and the references the
// test covers, with their titles, on the second worksheet. The titles come from the
// syllabus tree, or the resource tree when `useResource`.
void FillMarkSheet(TWorkbook& book, const std::vector<TQuestionFields>& questions,
                   const std::vector<TStudent>& students, const TLibrary& library,
                   bool useResource);
// The file index: a header row and one row per question.
TWorkbook BuildFileIndex(const std::vector<TQuestionFields>& questions);

// The whole of each build, from the document to the saved file. Nothing is written
// when the template or the student list cannot be read.
struct TMarkSheetRequest {
    std::string TemplatePath;
    bool UseResource = true;
    std::optional<std::string> StudentList; // a student list or comma-separated file
};
// What the student list gave, with the reader's warnings (UTF-8) to show.
struct TMarkSheetStudents {
    std::size_t Count = 0;
    std::vector<std::string> Warnings;
};
TMarkSheetStudents WriteMarkSheet(const TDocument& document, const TLibrary& library,
                                  const TMarkSheetRequest& request, const std::string& outPath);
void WriteFileIndex(const TDocument& document, const TLibrary& library, const std::string& outPath);
