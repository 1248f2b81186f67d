#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// A workbook held in memory and written as an .xlsx file: named worksheets of text,
// number and formula cells, column widths and bold cells. Cells are addressed from
// 1 (row 1, column 1 is A1); writing a cell again replaces it. Texts are UTF-8.
class TWorkbook {
public:
    struct TCell {
        enum class Kind { Text, Number, Formula };
        Kind What = Kind::Text;
        std::string Text; // the text, or the formula starting with "="
        double Number = 0;
        bool Bold = false;
    };
    struct TSheet {
        std::string Name;
        std::map<std::pair<int, int>, TCell> Cells; // by (row, column)
        std::map<int, double> Widths;               // by column, in characters
        int FreezeRow = 0, FreezeColumn = 0;        // first cell below and right of the panes
    };

    // Appends a worksheet and returns its number (from 1).
    int AddSheet(std::string name);
    TSheet& Sheet(int number);
    const TSheet& Sheet(int number) const;
    int SheetCount() const { return static_cast<int>(fSheets.size()); }

    void SetText(int sheet, int row, int column, std::string text, bool bold = false);
    void SetNumber(int sheet, int row, int column, double value, bool bold = false);
    // Stored without a result, so that spreadsheet programs work every formula out
    // when they open the file; one stored result would be shown as it stands.
    void SetFormula(int sheet, int row, int column, std::string formula);
    void SetColumnWidth(int sheet, int column, double width);

    // The font of every cell.
    void SetFont(std::string name, double size);

    // Writes the file; an existing file is replaced only once the new one is complete.
    // Raises EInOutError naming the file when it cannot be written.
    void Save(const std::string& path) const;

private:
    std::vector<TSheet> fSheets;
    std::string fFontName = "Arial";
    double fFontSize = 10;
};

// The columns of a worksheet.
inline constexpr int kMaxSheetColumns = 16384;

// The letter name of a column: 1 is A, 26 Z, 27 AA, 52 AZ, 53 BA.
std::string ColumnName(int column);
// "E9" from row 9, column 5.
std::string CellName(int row, int column);
// Parses "E9" (letters then digits, in any case) into row and column; false when the
// text is not a cell name within the sheet's limits.
bool ParseCellName(const std::string& name, int& row, int& column);
// Parses a column's letter name; 0 when it is not one.
int ParseColumnName(const std::string& name);
