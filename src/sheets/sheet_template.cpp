#include "sheets/sheet_template.h"

#include "framework/errors.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Splits a line into words: blanks separate them, a word in double quotes may hold
// blanks, and "" inside quotes stands for one quote. `#` starts a comment outside quotes.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string word;
            for (++i;; ++i) {
                if (i >= line.size()) return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        word += '"';
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    word += line[i];
                }
            }
            words.push_back(std::move(word));
        } else {
            std::size_t end = line.find_first_of(" \t\r", i);
            if (end == std::string::npos) end = line.size();
            words.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

bool ParseNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

class TTemplateParser {
public:
    explicit TTemplateParser(const std::string& name) : fName(name) {}

    TWorkbook Parse(const std::string& text) {
        std::istringstream in(text);
        std::string line;
        bool headerSeen = false;
        while (std::getline(in, line)) {
            ++fLine;
            std::vector<std::string> words;
            if (!SplitWords(line, words)) Fail("a quoted text has no closing quote");
            if (words.empty()) continue;
            if (!headerSeen) {
                if (line.rfind(kTemplateHeader, 0) != 0)
                    Fail(std::string(
                             "this is not a mark sheet template (its first line must be \"") +
                         kTemplateHeader + "\")");
                headerSeen = true;
                continue;
            }
            Statement(words);
        }
        if (!headerSeen) Fail("the template is empty");
        if (fBook.SheetCount() < 2) Fail("the template must give two worksheets");
        auto b7 = fBook.Sheet(1).Cells.find({7, 2});
        if (b7 == fBook.Sheet(1).Cells.end() || b7->second.What == TWorkbook::TCell::Kind::Text)
            Fail("the first worksheet needs a formula or number in B7 (the number of students)");
        return std::move(fBook);
    }

private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw EDataError("Mark sheet template " + fName + ", line " + std::to_string(fLine) + ": " +
                         why);
    }

    void Expect(const std::vector<std::string>& words, std::size_t count, const char* form) const {
        if (words.size() != count) Fail(std::string("expected ") + form);
    }

    int CurrentSheet() const {
        if (fBook.SheetCount() == 0) Fail("a \"sheet\" line must come first");
        return fBook.SheetCount();
    }

    void Cell(const std::string& name, int& row, int& column) const {
        if (!ParseCellName(name, row, column)) Fail("\"" + name + "\" is not a cell such as B7");
    }

    double Number(const std::string& text) const {
        double value = 0;
        if (!ParseNumber(text, value)) Fail("\"" + text + "\" is not a number");
        return value;
    }

    void Statement(const std::vector<std::string>& w) {
        const std::string& keyword = w[0];
        int row = 0, column = 0;
        if (keyword == "font") {
            Expect(w, 3, "font \"NAME\" SIZE");
            double size = Number(w[2]);
            if (w[1].empty() || size < 1 || size > 409)
                Fail("the font needs a name and a size from 1 to 409");
            fBook.SetFont(w[1], size);
        } else if (keyword == "sheet") {
            Expect(w, 2, "sheet \"NAME\"");
            if (w[1].empty() || w[1].size() > 31 ||
                w[1].find_first_of("[]:*?/\\") != std::string::npos || w[1][0] == '\'')
                Fail("a worksheet name has 1 to 31 characters, none of [ ] : * ? / \\, "
                     "and does not start with an apostrophe");
            fBook.AddSheet(w[1]);
        } else if (keyword == "width") {
            Expect(w, 3, "width COLUMN WIDTH");
            int sheet = CurrentSheet();
            int first = 0, last = 0;
            std::size_t colon = w[1].find(':');
            first = ParseColumnName(w[1].substr(0, colon));
            last = colon == std::string::npos ? first : ParseColumnName(w[1].substr(colon + 1));
            if (first == 0 || last < first)
                Fail("\"" + w[1] + "\" is not a column such as A or A:D");
            double width = Number(w[2]);
            if (width < 0 || width > 255) Fail("a column width is from 0 to 255 characters");
            for (int c = first; c <= last; ++c)
                fBook.SetColumnWidth(sheet, c, width);
        } else if (keyword == "text") {
            if (w.size() != 3 && !(w.size() == 4 && w[3] == "bold"))
                Fail("expected text CELL \"TEXT\" [bold]");
            int sheet = CurrentSheet();
            Cell(w[1], row, column);
            fBook.SetText(sheet, row, column, w[2], w.size() == 4);
        } else if (keyword == "number") {
            Expect(w, 3, "number CELL NUMBER");
            int sheet = CurrentSheet();
            Cell(w[1], row, column);
            fBook.SetNumber(sheet, row, column, Number(w[2]));
        } else if (keyword == "formula") {
            Expect(w, 3, "formula CELL \"=FORMULA\"");
            int sheet = CurrentSheet();
            Cell(w[1], row, column);
            if (w[2].size() < 2 || w[2][0] != '=') Fail("a formula starts with \"=\"");
            fBook.SetFormula(sheet, row, column, w[2]);
        } else if (keyword == "freeze") {
            Expect(w, 2, "freeze CELL");
            int sheet = CurrentSheet();
            Cell(w[1], row, column);
            fBook.Sheet(sheet).FreezeRow = row;
            fBook.Sheet(sheet).FreezeColumn = column;
        } else {
            Fail("unknown keyword \"" + keyword + "\"");
        }
    }

    std::string fName;
    int fLine = 0;
    TWorkbook fBook;
};

} // namespace

TWorkbook ParseSheetTemplate(const std::string& text, const std::string& name) {
    return TTemplateParser(name).Parse(text);
}

TWorkbook ReadSheetTemplate(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError("Cannot read the mark sheet template " + path);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw EInOutError("Cannot read the mark sheet template " + path);
    return ParseSheetTemplate(text.str(), path);
}
