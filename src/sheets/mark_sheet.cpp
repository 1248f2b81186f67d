#include "sheets/mark_sheet.h"

#include "framework/cp1252.h"
#include "framework/errors.h"
#include "model/categories.h"
#include "model/document.h"
#include "model/library.h"
#include "model/segments.h"
#include "sheets/sheet_template.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

constexpr int kMarksSheet = 1;
constexpr int kRefsSheet = 2;
constexpr int kFirstQuestionColumn = 5; // E
constexpr int kFirstStudentRow = 9;

// Row of each question field on the mark sheet.
enum : int {
    kIdRow = 1,
    kTopicRow,
    kRef1Row,
    kRef2Row,
    kLevelRow,
    kMarksRow,
    kPercentRow,
    kNumberRow
};

std::string U(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

// Each non-root level's place in its tree, in pre-order from 1.
std::map<const TCategory*, int> NumberLevels(const TLibrary& library) {
    std::map<const TCategory*, int> numbers;
    if (!library.LevelRoot) return numbers;
    TCategoryIterator it(library.LevelRoot.get());
    int next = 1;
    while (const TCategory* level = it.Next())
        if (level->Parent) numbers[level] = next++;
    return numbers;
}

struct TCaseless {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
                                                return std::tolower(static_cast<unsigned char>(x)) <
                                                       std::tolower(static_cast<unsigned char>(y));
                                            });
    }
};

// A reference that ends in a letter (a part of a point, 3.2b) stands for its point.
std::string ReferencePoint(std::string ref) {
    if (!ref.empty() && static_cast<unsigned char>(ref.back()) > '9') ref.pop_back();
    return ref;
}

std::string Formula(const std::string& text) {
    return "=" + text;
}

} // namespace

std::vector<TQuestionFields>
CollectQuestionFields(const TDocument& document, const TLibrary& library, bool refsFromResources) {
    const std::map<const TCategory*, int> levels = NumberLevels(library);
    std::vector<TQuestionFields> result;
    for (const auto& entry : document.Entries) {
        const auto* question = dynamic_cast<const TQuestion*>(entry->Segment);
        if (!question) continue;
        TQuestionFields f;
        f.ID = question->GetID();
        f.Title = question->GetTitle();
        if (!question->Topics.empty() && question->Topics.front())
            f.Topic = question->Topics.front()->Name;
        if (auto it = levels.find(question->Level); question->Level && it != levels.end())
            f.Level = std::to_string(it->second);
        f.Marks = question->Marks;
        std::vector<const TIdentityCategory*> refs;
        if (refsFromResources)
            refs.assign(question->Resources.begin(), question->Resources.end());
        else if (question->Identity)
            refs.assign(question->Identity->Related.begin(), question->Identity->Related.end());
        if (refs.size() > 0 && refs[0]) f.Ref1 = FullID(*refs[0]);
        if (refs.size() > 1 && refs[1]) f.Ref2 = FullID(*refs[1]);
        result.push_back(std::move(f));
    }
    return result;
}

void FillMarkSheet(TWorkbook& book, const std::vector<TQuestionFields>& questions,
                   const std::vector<TStudent>& students, const TLibrary& library,
                   bool useResource) {
    const int n = static_cast<int>(questions.size());
    if (n + kFirstQuestionColumn + 1 > kMaxSheetColumns)
        throw EDataError("A mark entry sheet has room for " +
                         std::to_string(kMaxSheetColumns - kFirstQuestionColumn - 1) +
                         " questions; this test has " + std::to_string(n));
    const int lastStudent = kFirstStudentRow + static_cast<int>(students.size()) - 1;
    const int sumTo = std::max(kLastStudentRow, lastStudent);
    const std::string last = ColumnName(n + kFirstQuestionColumn - 1);
    const std::string totalColumn = ColumnName(n + kFirstQuestionColumn);

    for (std::size_t i = 0; i < students.size(); ++i) {
        const int r = kFirstStudentRow + static_cast<int>(i);
        const TStudent& s = students[i];
        book.SetText(kMarksSheet, r, 1, U(s.Surname));
        book.SetText(kMarksSheet, r, 2, U(s.Forename));
        book.SetText(kMarksSheet, r, 3, U(s.DoB));
        book.SetText(kMarksSheet, r, 4, U(s.Sex));
    }
    book.SetColumnWidth(kMarksSheet, n + kFirstQuestionColumn, 7);
    book.SetColumnWidth(kMarksSheet, n + kFirstQuestionColumn + 1, 9);

    int total = 0;
    std::set<std::string, TCaseless> references;
    for (int j = 0; j < n; ++j) {
        const TQuestionFields& q = questions[static_cast<std::size_t>(j)];
        const int c = j + kFirstQuestionColumn;
        const std::string col = ColumnName(c);
        if (!q.Topic.empty()) book.SetText(kMarksSheet, kTopicRow, c, U(q.Topic));
        book.SetText(kMarksSheet, kIdRow, c, U(q.ID), true);
        if (!q.Level.empty()) book.SetNumber(kMarksSheet, kLevelRow, c, std::stod(q.Level));
        if (!q.Ref1.empty()) book.SetText(kMarksSheet, kRef1Row, c, U(q.Ref1));
        if (!q.Ref2.empty()) book.SetText(kMarksSheet, kRef2Row, c, U(q.Ref2));
        book.SetNumber(kMarksSheet, kNumberRow, c, j + 1, true);
        // Empty rather than a division error or a misleading 0 while there are no
        // students, the question carries no marks or none have been entered.
        const std::string marks = col + "6";
        const std::string range =
            col + std::to_string(kFirstStudentRow) + ":" + col + std::to_string(sumTo);
        book.SetFormula(kMarksSheet, kPercentRow, c,
                        Formula("IF(OR(B7=0," + marks + "=0,COUNT(" + range +
                                ")=0),\"\",ROUND(SUM(" + range + ")*100/(B7*" + marks + "),0))"));
        book.SetNumber(kMarksSheet, kMarksRow, c, q.Marks);
        total += q.Marks;
        for (const std::string* ref : {&q.Ref1, &q.Ref2})
            if (!ref->empty()) references.insert(ReferencePoint(*ref));
    }

    book.SetText(kMarksSheet, kNumberRow, n + kFirstQuestionColumn, "Total", true);
    book.SetText(kMarksSheet, kNumberRow, n + kFirstQuestionColumn + 1, "%Correct", true);
    if (n > 0)
        book.SetFormula(kMarksSheet, kMarksRow, 2, Formula("SUM(E6:" + last + "6)"));
    else
        book.SetNumber(kMarksSheet, kMarksRow, 2, 0);

    for (int r = kFirstStudentRow; r <= lastStudent && n > 0; ++r) {
        const std::string row = std::to_string(r);
        const std::string marks = "E" + row + ":" + last + row;
        book.SetFormula(kMarksSheet, r, n + kFirstQuestionColumn, Formula("SUM(" + marks + ")"));
        // Empty until the student has a mark, and when the test carries no marks at all.
        if (total > 0)
            book.SetFormula(kMarksSheet, r, n + kFirstQuestionColumn + 1,
                            Formula("IF(COUNT(" + marks + ")=0,\"\",ROUND(" + totalColumn + row +
                                    "*100/" + std::to_string(total) + ",0))"));
    }

    const char tree = useResource ? 'R' : 'S';
    int row = 2;
    for (const std::string& ref : references) {
        book.SetText(kRefsSheet, row, 1, U(ref));
        if (const TIdentityCategory* identity = library.FindIdentity(ref, tree))
            book.SetText(kRefsSheet, row, 2, U(identity->Title));
        ++row;
    }
}

TWorkbook BuildFileIndex(const std::vector<TQuestionFields>& questions) {
    TWorkbook book;
    const int sheet = book.AddSheet("File index");
    book.SetColumnWidth(sheet, 3, 45);
    book.SetColumnWidth(sheet, 8, 20);
    book.SetColumnWidth(sheet, 2, 12);
    const char* headers[] = {"Question", "Ref",       "Summary",   "Level",
                             "Marks",    "Spec ref1", "Spec ref2", "Topic"};
    for (int c = 1; c <= 8; ++c)
        book.SetText(sheet, 1, c, headers[c - 1], true);
    book.Sheet(sheet).FreezeRow = 2;
    for (std::size_t j = 0; j < questions.size(); ++j) {
        const TQuestionFields& q = questions[j];
        const int r = static_cast<int>(j) + 2;
        book.SetText(sheet, r, 1, std::to_string(j + 1) + ".    ");
        book.SetText(sheet, r, 2, U(q.ID));
        book.SetText(sheet, r, 3, U(q.Title));
        book.SetText(sheet, r, 4, q.Level + "   ");
        book.SetText(sheet, r, 5, std::to_string(q.Marks) + " marks");
        book.SetText(sheet, r, 6, U(q.Ref1));
        book.SetText(sheet, r, 7, U(q.Ref2));
        book.SetText(sheet, r, 8, U(q.Topic));
    }
    return book;
}

TMarkSheetStudents WriteMarkSheet(const TDocument& document, const TLibrary& library,
                                  const TMarkSheetRequest& request, const std::string& outPath) {
    TWorkbook book = ReadSheetTemplate(request.TemplatePath);
    TStudentListRead read;
    if (request.StudentList) read = ReadStudentFile(*request.StudentList);
    // Blank lines at the end of a list are not students.
    std::vector<TStudent>& students = read.Students;
    while (!students.empty() && students.back() == TStudent{})
        students.pop_back();
    FillMarkSheet(book, CollectQuestionFields(document, library, request.UseResource), students,
                  library, request.UseResource);
    book.Save(outPath);
    return {students.size(), std::move(read.Warnings)};
}

void WriteFileIndex(const TDocument& document, const TLibrary& library,
                    const std::string& outPath) {
    BuildFileIndex(CollectQuestionFields(document, library, false)).Save(outPath);
}
