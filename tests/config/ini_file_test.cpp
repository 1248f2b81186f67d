#include "config/ini_file.h"

#include "config_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, NamesIgnoreCaseAndTheFirstMatchWins) {
    TIniFile ini = TIniFile::FromText("[Physics]\n"
                                      "TextFilename=phys.txt\n"
                                      "textfilename=other.txt\n"
                                      "[Chemistry]\n"
                                      "TextFilename=chem.txt\n"
                                      "[PHYSICS]\n"
                                      "LibFilename=late.dat\n");
    EXPECT_EQ(ini.ReadString("physics", "TEXTFILENAME", "-"), "phys.txt");
    EXPECT_EQ(ini.ReadString("CHEMISTRY", "textFileName", "-"), "chem.txt");
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.ReadString("Physics", "LibFilename", "-"), "-");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Physics", "Chemistry"}));
    EXPECT_TRUE(ini.SectionExists("chemistry"));
    EXPECT_FALSE(ini.SectionExists("Biology"));
    // Case folding is ASCII only: code page 1252 letters must match exactly.
    TIniFile accented = TIniFile::FromText("[Caf\xE9]\nKey=v\n");
    EXPECT_EQ(accented.ReadString("Caf\xE9", "key", "-"), "v");
    EXPECT_EQ(accented.ReadString("CAF\xC9", "key", "-"), "-");
}

TEST(IniFile, TrimsCommentsQuotesAndOddLines) {
    TIniFile ini = TIniFile::FromText("orphan=before any section\n"
                                      "; Subject=commented\n"
                                      "  [  Auto  ]  \n"
                                      "   ;Subject=also commented\n"
                                      "a line without an equals sign\n"
                                      "=no name\n"
                                      "  Subject  =  Sample Physics  \n"
                                      "Quoted=\"  kept blanks  \"\n"
                                      "Half=\"open\n"
                                      "One=\"\n"
                                      "Inner=a \"b\" c\n"
                                      "Url=http://x/?a=b\n"
                                      "Empty=\n"
                                      "Comment=value ; not a comment\n"
                                      "Bytes=\xA0\xE9t\xE9\xA0\n"
                                      "[Broken\n"
                                      "Subject=in a damaged section\n");
    EXPECT_EQ(ini.ReadString("Auto", "Subject", "-"), "Sample Physics");
    EXPECT_EQ(ini.ReadString(" auto ", " subject ", "-"), "Sample Physics");
    EXPECT_EQ(ini.ReadString("", "orphan", "-"), "-");
    EXPECT_EQ(ini.ReadString("Auto", "Quoted", "-"), "  kept blanks  ");
    EXPECT_EQ(ini.ReadString("Auto", "Half", "-"), "\"open");
    EXPECT_EQ(ini.ReadString("Auto", "One", "-"), "\"");
    EXPECT_EQ(ini.ReadString("Auto", "Inner", "-"), "a \"b\" c");
    EXPECT_EQ(ini.ReadString("Auto", "Url", "-"), "http://x/?a=b");
    // Present but empty is not absent.
    EXPECT_EQ(ini.ReadString("Auto", "Empty", "-"), "");
    EXPECT_EQ(ini.ReadString("Auto", "Comment", "-"), "value ; not a comment");
    // 0xA0 is a character in code page 1252, not a blank.
    EXPECT_EQ(ini.ReadString("Auto", "Bytes", "-"), "\xA0\xE9t\xE9\xA0");
    EXPECT_EQ(ini.ReadString("Auto", "", "-"), "-");
    EXPECT_EQ(ini.SectionNames(), std::vector<std::string>{"Auto"});

    // A header without its closing bracket names no section, and its keys belong to
    // none: neither to "B" nor to the section above.
    TIniFile damaged = TIniFile::FromText("[A]\nx=1\n[B\ny=2\n[C]\nz=3\n");
    EXPECT_FALSE(damaged.SectionExists("B"));
    EXPECT_FALSE(damaged.SectionExists("[B"));
    EXPECT_EQ(damaged.ReadString("A", "y", "-"), "-");
    EXPECT_EQ(damaged.ReadString("A", "x", "-"), "1");
    EXPECT_EQ(damaged.ReadString("C", "z", "-"), "3");
    EXPECT_EQ(damaged.SectionNames(), (std::vector<std::string>{"A", "C"}));
}

TEST(IniFile, ReadsFilesWithAnyLineEnding) {
    TTempFolder folder;
    std::string crlf = folder.Write("crlf.ini", "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2");
    TIniFile ini(crlf);
    EXPECT_EQ(ini.ReadString("S", "A", "-"), "1");
    EXPECT_EQ(ini.ReadString("S", "B", "-"), "2");
    EXPECT_EQ(ini.FileName(), crlf);
    EXPECT_EQ(ini.Folder(), folder.Path());

    TIniFile cr(folder.Write("cr.ini", "[S]\rA=1\rB=2\r"));
    EXPECT_EQ(cr.ReadString("S", "B", "-"), "2");

    TIniFile missing(folder.Path() + "/absent.ini");
    EXPECT_EQ(missing.ReadString("S", "A", "default"), "default");
    EXPECT_TRUE(missing.SectionNames().empty());
}

} // namespace
