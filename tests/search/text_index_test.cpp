#include "search/search_query.h"
#include "search/text_index.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using TIds = std::vector<std::string>;

// A library of two files on disk (their content only feeds the key) and the texts the
// index is built from; the cache folder is a temporary one, never the user's.
class TextIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        fDir = fs::temp_directory_path() / ("qb_search_test_" + std::to_string(::getpid()));
        fs::remove_all(fDir);
        fs::create_directories(fDir);
        setenv("XDG_CACHE_HOME", (fDir / "cache").c_str(), 1);
        fFiles = {(fDir / "library.dat").string(), (fDir / "texts.dat").string()};
        WriteFile(fFiles.DataFile, "data 1");
        WriteFile(fFiles.TextFile, "texts");
        fEntries = {
            {"Q1", 'Q', "Titration of an acid", "Find the concentration of the acid."},
            {"M1", 'M', "Titration of an acid", "Concentration = moles / volume."},
            {"Q2", 'Q', "A café's kettle", "The KETTLE heats water; find the half-life."},
            {"Q3", 'Q', "Hooke's law", "A spring obeys Hooke's law up to its limit (NEAR) -"},
        };
    }
    void TearDown() override {
        unsetenv("XDG_CACHE_HOME");
        fs::remove_all(fDir);
    }

    static void WriteFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    TEntrySource Source() {
        auto next = std::make_shared<std::size_t>(0);
        ++fBuilds;
        return [this, next](TIndexEntry& entry) {
            if (*next >= fEntries.size()) return false;
            entry = fEntries[(*next)++];
            return true;
        };
    }
    TIds Search(std::string_view typed, char kind = 0) {
        return SearchLibrary(fFiles, Source(), typed, kind);
    }

    fs::path fDir;
    TLibraryFiles fFiles;
    std::vector<TIndexEntry> fEntries;
    int fBuilds = 0;
};

TEST_F(TextIndexTest, FoldsAccentsAndCaseAndSearchesIdentifierAndTitle) {
    EXPECT_EQ(Search("cafe"), TIds{"Q2"});
    EXPECT_EQ(Search("CAFÉ kettle"), TIds{"Q2"});
    EXPECT_EQ(Search("q3"), TIds{"Q3"});
    EXPECT_EQ(Search("titration"), (TIds{"Q1", "M1"}));
    EXPECT_EQ(Search("titration", 'M'), TIds{"M1"});
    EXPECT_EQ(Search("m"), TIds{}) << "the kind is not the user's to search";
}

TEST_F(TextIndexTest, AllWordsPhrasesAndPrefixes) {
    EXPECT_EQ(Search("acid kettle"), TIds{});
    EXPECT_EQ(Search("concentrat*"), (TIds{"Q1", "M1"}));
    EXPECT_EQ(Search("\"of the acid\""), TIds{"Q1"});
    EXPECT_EQ(Search("\"the acid of\""), TIds{});
    EXPECT_EQ(Search("\"obeys hoo\"*"), TIds{"Q3"});
    EXPECT_EQ(Search("half-life"), TIds{"Q2"});
}

TEST_F(TextIndexTest, QuerySyntaxCharactersAreOrdinaryText) {
    EXPECT_EQ(MatchExpression("a\"b"), "\"a\" \"b\"");
    EXPECT_EQ(MatchExpression("NEAR(a b) - c*"), "\"NEAR(a\" \"b)\" \"c\" *");
    for (const char* typed : {"NEAR", "(NEAR)", "spring OR", "NOT spring", "title:hooke",
                              "spring AND", "hooke's", "*", "-", "\"", "^spring", "{title}"}) {
        EXPECT_NO_THROW(Search(typed)) << typed;
    }
    EXPECT_EQ(Search("(near)"), TIds{"Q3"});
    EXPECT_EQ(Search("spring OR kettle"), TIds{});
    EXPECT_EQ(Search("spring -"), TIds{"Q3"});
    EXPECT_EQ(Search("* -"), TIds{});
}

TEST_F(TextIndexTest, IndexIsReusedAndRebuiltWhenTheLibraryChanges) {
    EXPECT_EQ(Search("kettle"), TIds{"Q2"});
    auto path = IndexPathFor(fFiles);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_TRUE(TTextIndex::OpenCurrent(path, LibraryKey(fFiles)));

    fEntries[0].Text = "Now about a kettle.";
    EXPECT_EQ(Search("kettle"), TIds{"Q2"}) << "an unchanged library keeps its index";
    WriteFile(fFiles.DataFile, "data 2");
    EXPECT_EQ(Search("kettle"), (TIds{"Q1", "Q2"}));
}

TEST_F(TextIndexTest, DamagedOrForeignIndexIsRebuilt) {
    Search("kettle");
    const std::string path = IndexPathFor(fFiles);
    const std::string key = LibraryKey(fFiles);
    fs::resize_file(path, fs::file_size(path) - 4096);
    EXPECT_FALSE(TTextIndex::OpenCurrent(path, key));
    EXPECT_EQ(Search("kettle"), TIds{"Q2"});

    WriteFile(path, std::string(4096, 'x'));
    EXPECT_FALSE(TTextIndex::OpenCurrent(path, key));
    EXPECT_EQ(Search("kettle"), TIds{"Q2"});
    EXPECT_TRUE(TTextIndex::OpenCurrent(path, key));
    EXPECT_FALSE(TTextIndex::OpenCurrent(path, key + "x"));
}

TEST_F(TextIndexTest, AbandonedBuildLeavesNoFile) {
    const std::string path = IndexPathFor(fFiles);
    EXPECT_FALSE(
        TTextIndex::Build(path, LibraryKey(fFiles), Source(), [](std::size_t) { return false; }));
    EXPECT_TRUE(fs::is_empty(fs::path(path).parent_path()));

    // Abandoned while the index is being finished, after every text was added; a builder
    // killed earlier left its temporary file, which goes too.
    WriteFile(path + ".tmp999999999", "killed");
    int asked = 0;
    EXPECT_FALSE(TTextIndex::Build(path, LibraryKey(fFiles), Source(),
                                   [&](std::size_t done) { return done < 4 || ++asked < 2; }));
    EXPECT_TRUE(fs::is_empty(fs::path(path).parent_path()));
}

} // namespace
