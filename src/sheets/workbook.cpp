#include "sheets/workbook.h"

#include "framework/errors.h"
#include "framework/save_file.h"

#include <xlsxwriter.h>

#include <cctype>
#include <stdexcept>

namespace {

// The limits of the file format.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = kMaxSheetColumns;

void CheckCell(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throw std::out_of_range("cell outside the worksheet");
}

// Closes the workbook on every path; libxlsxwriter writes the file when it closes.
struct TXlsxWriter {
    lxw_workbook* Book;
    explicit TXlsxWriter(const std::string& path) : Book(workbook_new(path.c_str())) {}
    ~TXlsxWriter() {
        if (Book) workbook_close(Book);
    }
    lxw_error Close() {
        lxw_error result = workbook_close(Book);
        Book = nullptr;
        return result;
    }
};

void WriteSheet(lxw_workbook* book, const TWorkbook::TSheet& sheet, lxw_format* plain,
                lxw_format* bold) {
    lxw_worksheet* ws = workbook_add_worksheet(book, sheet.Name.c_str());
    if (!ws) throw EInOutError("The worksheet name \"" + sheet.Name + "\" cannot be used");
    for (const auto& [column, width] : sheet.Widths)
        worksheet_set_column(ws, column - 1, column - 1, width, nullptr);
    if (sheet.FreezeRow > 1 || sheet.FreezeColumn > 1)
        worksheet_freeze_panes(ws, std::max(0, sheet.FreezeRow - 1),
                               std::max(0, sheet.FreezeColumn - 1));
    for (const auto& [where, cell] : sheet.Cells) {
        lxw_row_t row = where.first - 1;
        lxw_col_t column = where.second - 1;
        lxw_format* format = cell.Bold ? bold : plain;
        switch (cell.What) {
        case TWorkbook::TCell::Kind::Text:
            worksheet_write_string(ws, row, column, cell.Text.c_str(), format);
            break;
        case TWorkbook::TCell::Kind::Number:
            worksheet_write_number(ws, row, column, cell.Number, format);
            break;
        case TWorkbook::TCell::Kind::Formula:
            worksheet_write_formula_str(ws, row, column, cell.Text.c_str(), format, "");
            break;
        }
    }
}

} // namespace

int TWorkbook::AddSheet(std::string name) {
    fSheets.push_back(TSheet{std::move(name), {}, {}, 0, 0});
    return SheetCount();
}

TWorkbook::TSheet& TWorkbook::Sheet(int number) {
    return fSheets.at(static_cast<std::size_t>(number - 1));
}

const TWorkbook::TSheet& TWorkbook::Sheet(int number) const {
    return fSheets.at(static_cast<std::size_t>(number - 1));
}

void TWorkbook::SetText(int sheet, int row, int column, std::string text, bool bold) {
    CheckCell(row, column);
    Sheet(sheet).Cells[{row, column}] = TCell{TCell::Kind::Text, std::move(text), 0, bold};
}

void TWorkbook::SetNumber(int sheet, int row, int column, double value, bool bold) {
    CheckCell(row, column);
    Sheet(sheet).Cells[{row, column}] = TCell{TCell::Kind::Number, {}, value, bold};
}

void TWorkbook::SetFormula(int sheet, int row, int column, std::string formula) {
    CheckCell(row, column);
    Sheet(sheet).Cells[{row, column}] = TCell{TCell::Kind::Formula, std::move(formula), 0, false};
}

void TWorkbook::SetColumnWidth(int sheet, int column, double width) {
    CheckCell(1, column);
    Sheet(sheet).Widths[column] = width;
}

void TWorkbook::SetFont(std::string name, double size) {
    fFontName = std::move(name);
    fFontSize = size;
}

void TWorkbook::Save(const std::string& path) const {
    TSaveFile file(path);
    {
        TXlsxWriter writer(file.TempPath());
        if (!writer.Book) throw EInOutError("Cannot write the workbook " + path);
        lxw_format* plain = workbook_add_format(writer.Book);
        lxw_format* bold = workbook_add_format(writer.Book);
        for (lxw_format* f : {plain, bold}) {
            format_set_font_name(f, fFontName.c_str());
            format_set_font_size(f, fFontSize);
        }
        format_set_bold(bold);
        for (const TSheet& sheet : fSheets)
            WriteSheet(writer.Book, sheet, plain, bold);
        if (lxw_error e = writer.Close(); e != LXW_NO_ERROR)
            throw EInOutError("Cannot write the workbook " + path + ": " + lxw_strerror(e));
    }
    file.Commit();
}

std::string ColumnName(int column) {
    std::string name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

std::string CellName(int row, int column) {
    return ColumnName(column) + std::to_string(row);
}

int ParseColumnName(const std::string& name) {
    if (name.empty() || name.size() > 3) return 0;
    int column = 0;
    for (char c : name) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return 0;
        column = column * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    }
    return column <= kMaxColumns ? column : 0;
}

bool ParseCellName(const std::string& name, int& row, int& column) {
    std::size_t digits = 0;
    while (digits < name.size() && std::isalpha(static_cast<unsigned char>(name[digits])))
        ++digits;
    column = ParseColumnName(name.substr(0, digits));
    std::string number = name.substr(digits);
    if (column == 0 || number.empty() || number.size() > 7 || number[0] == '0') return false;
    for (char c : number)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    row = std::stoi(number);
    return row <= kMaxRows;
}
