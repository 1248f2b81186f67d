#pragma once

// Reads back what the tests need of an .xlsx file: a zip archive of XML parts, read
// with zlib, and the parts picked apart with regular expressions.

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

struct TReadCell {
    std::string Text;             // a text cell's text
    std::optional<double> Number; // a number cell's value
    std::string Formula;          // a formula cell's formula, with its "="
};

struct TReadSheet {
    std::string Name;
    std::map<std::string, TReadCell> Cells; // by name, "E7"
    std::map<int, double> Widths;           // by column, as stored
    bool Has(const std::string& cell) const { return Cells.count(cell) > 0; }
    const TReadCell& At(const std::string& cell) const {
        static const TReadCell none;
        auto it = Cells.find(cell);
        return it == Cells.end() ? none : it->second;
    }
};

class TXlsxFile {
public:
    explicit TXlsxFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        fZip.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (fZip.size() < 22) throw std::runtime_error("not a zip file: " + path);
        ReadDirectory();
        std::smatch m;
        std::string strings = Part("xl/sharedStrings.xml");
        std::regex si("<si><t[^>]*>([^<]*)</t></si>");
        for (auto it = std::sregex_iterator(strings.begin(), strings.end(), si);
             it != std::sregex_iterator(); ++it)
            fStrings.push_back(Unescape((*it)[1]));
        std::string book = Part("xl/workbook.xml");
        std::regex sheet("<sheet name=\"([^\"]*)\"");
        for (auto it = std::sregex_iterator(book.begin(), book.end(), sheet);
             it != std::sregex_iterator(); ++it)
            fSheets.push_back(ReadSheet(Unescape((*it)[1]), fSheets.size() + 1));
    }

    const std::vector<TReadSheet>& Sheets() const { return fSheets; }
    const TReadSheet& Sheet(std::size_t number) const { return fSheets.at(number - 1); }

private:
    std::uint32_t U16(std::size_t at) const {
        return static_cast<unsigned char>(fZip[at]) | static_cast<unsigned char>(fZip[at + 1]) << 8;
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }

    void ReadDirectory() {
        std::size_t end = fZip.size() - 22;
        while (end > 0 && U32(end) != 0x06054b50)
            --end;
        std::size_t at = U32(end + 16);
        for (std::uint32_t i = 0, n = U16(end + 10); i < n; ++i) {
            std::string name = fZip.substr(at + 46, U16(at + 28));
            fEntries[name] = {U16(at + 10), U32(at + 20), U32(at + 24), U32(at + 42)};
            at += 46 + U16(at + 28) + U16(at + 30) + U16(at + 32);
        }
    }

    std::string Part(const std::string& name) const {
        auto it = fEntries.find(name);
        if (it == fEntries.end()) return {};
        const TEntry& e = it->second;
        std::size_t data = e.Local + 30 + U16(e.Local + 26) + U16(e.Local + 28);
        if (e.Method == 0) return fZip.substr(data, e.Size);
        std::string out(e.Size, '\0');
        z_stream z{};
        inflateInit2(&z, -MAX_WBITS);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(fZip.data() + data));
        z.avail_in = e.Compressed;
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = e.Size;
        int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END) throw std::runtime_error("cannot inflate " + name);
        return out;
    }

    static std::string Unescape(std::string s) {
        for (auto [from, to] : {std::pair{"&lt;", "<"},
                                {"&gt;", ">"},
                                {"&quot;", "\""},
                                {"&apos;", "'"},
                                {"&amp;", "&"}})
            for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; ++at)
                s.replace(at, std::string(from).size(), to);
        return s;
    }

    TReadSheet ReadSheet(std::string name, std::size_t number) const {
        TReadSheet sheet{std::move(name), {}, {}};
        std::string xml = Part("xl/worksheets/sheet" + std::to_string(number) + ".xml");
        std::regex col("<col min=\"(\\d+)\" max=\"(\\d+)\" width=\"([0-9.]+)\"");
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), col);
             it != std::sregex_iterator(); ++it)
            for (int c = std::stoi((*it)[1]); c <= std::stoi((*it)[2]); ++c)
                sheet.Widths[c] = std::stod((*it)[3]);
        std::regex cell("<c r=\"([A-Z]+[0-9]+)\"([^>]*?)(/>|>(.*?)</c>)");
        std::regex f("<f>(.*?)</f>"), v("<v>(.*?)</v>");
        for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cell);
             it != std::sregex_iterator(); ++it) {
            std::string attributes = (*it)[2], inner = (*it)[4];
            TReadCell c;
            std::smatch m;
            if (std::regex_search(inner, m, f)) {
                c.Formula = "=" + Unescape(m[1]);
            } else if (std::regex_search(inner, m, v)) {
                if (attributes.find("t=\"s\"") != std::string::npos)
                    c.Text = fStrings.at(std::stoul(m[1]));
                else
                    c.Number = std::stod(m[1]);
            } else {
                continue; // a blank cell that only carries a format
            }
            sheet.Cells[(*it)[1]] = c;
        }
        return sheet;
    }

    struct TEntry {
        std::uint32_t Method, Compressed, Size, Local;
    };
    std::string fZip;
    std::map<std::string, TEntry> fEntries;
    std::vector<std::string> fStrings;
    std::vector<TReadSheet> fSheets;
};
