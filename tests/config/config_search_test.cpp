#include "config/config_search.h"

#include "config_test_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

bool SameFile(const std::optional<std::string>& found, const std::string& expected) {
    return found && fs::equivalent(*found, expected);
}

TEST(ConfigSearch, TheFirstFolderHoldingTheFileWins) {
    TTempFolder a, b, c;
    fs::create_directories(fs::path(a.Path()) / "vantor32.ini"); // a folder, not a file
    std::string inB = b.Write("vantor32.ini", "[B]\n");
    c.Write("vantor32.ini", "[C]\n");
    EXPECT_EQ(
        FindConfigFile("vantor32.ini", {a.Path() + "/missing", "", a.Path(), b.Path(), c.Path()}),
        inB);
    EXPECT_EQ(FindConfigFile("vantor.ini", {a.Path(), b.Path(), c.Path()}), std::nullopt);
}

TEST(ConfigSearch, TheStartUpFileComesFromTheFolderOfTheMainFile) {
    TTempFolder early, main, late;
    early.Write("vantor.ini", "[Auto]\n");
    main.Write("vantor32.ini", "[Mine]\n");
    std::string beside = main.Write("vantor.ini", "[Auto]\n");
    EXPECT_EQ(FindStartupIni({early.Path(), main.Path()}), beside);
    // Only when that folder has none does the search decide.
    fs::remove(beside);
    std::string searched = early.Path() + "/vantor.ini";
    EXPECT_EQ(FindStartupIni({early.Path(), main.Path()}), searched);
    EXPECT_EQ(FindStartupIni({late.Path()}), std::nullopt);
}

TEST(ConfigSearch, FoldersComeFromTheEnvironmentInOrder) {
    TTempFolder named, current, xdg, home;
    TEnvGuard configDir(kConfigDirVariable, named.Path());
    TEnvGuard xdgHome("XDG_CONFIG_HOME", xdg.Path());
    TEnvGuard homeVar("HOME", home.Path());
    TCurrentFolderGuard inCurrent(current.Path());

    std::vector<std::string> folders = ConfigSearchFolders();
    ASSERT_EQ(folders.size(), 6u);
    EXPECT_EQ(folders[0], named.Path());
    EXPECT_TRUE(fs::equivalent(folders[1], current.Path()));
    EXPECT_EQ(folders[2], xdg.Path() + "/quarrybook");
    // Beside the program (as installed), then the build tree, then the installed prefix.
    EXPECT_EQ(fs::path(folders[3]), fs::read_symlink("/proc/self/exe").parent_path().parent_path() /
                                        "share" / "quarrybook" / "sample");
    EXPECT_TRUE(folders[4].ends_with("/sample"));
    EXPECT_TRUE(folders[5].ends_with("/quarrybook/sample"));

    // Each folder is searched only when those before it lack the file.
    std::string inXdg = xdg.Write("quarrybook/vantor.ini", "");
    EXPECT_TRUE(SameFile(FindConfigFile("vantor.ini"), inXdg));
    std::string inCurrentFolder = current.Write("vantor.ini", "");
    EXPECT_TRUE(SameFile(FindConfigFile("vantor.ini"), inCurrentFolder));
    std::string inNamed = named.Write("vantor.ini", "");
    EXPECT_EQ(FindConfigFile("vantor.ini"), inNamed);
    EXPECT_EQ(FindConfigFile("qb-no-such-file.ini"), std::nullopt);
}

TEST(ConfigSearch, UnsetOrUnusableVariablesAreSkipped) {
    TTempFolder current, home;
    TEnvGuard homeVar("HOME", home.Path());
    TCurrentFolderGuard inCurrent(current.Path());
    {
        TEnvGuard configDir(kConfigDirVariable, "");
        TEnvGuard xdgHome("XDG_CONFIG_HOME", std::nullopt);
        std::vector<std::string> folders = ConfigSearchFolders();
        ASSERT_EQ(folders.size(), 5u);
        EXPECT_TRUE(fs::equivalent(folders[0], current.Path()));
        EXPECT_EQ(folders[1], home.Path() + "/.config/quarrybook");
    }
    {
        TEnvGuard configDir(kConfigDirVariable, std::nullopt);
        TEnvGuard xdgHome("XDG_CONFIG_HOME", "relative/config");
        std::string inHome = home.Write(".config/quarrybook/vantor32.ini", "");
        EXPECT_EQ(ConfigSearchFolders()[1], home.Path() + "/.config/quarrybook");
        EXPECT_EQ(FindConfigFile("vantor32.ini"), inHome);
    }
}

TEST(ConfigSearch, RelativePathsAreTakenAgainstTheIniFolder) {
    EXPECT_EQ(ResolveConfigPath("/srv/qb", "sample.dat"), "/srv/qb/sample.dat");
    EXPECT_EQ(ResolveConfigPath("/srv/qb", "lib/sample.txt"), "/srv/qb/lib/sample.txt");
    EXPECT_EQ(ResolveConfigPath("/srv/qb", "/data/sample.dat"), "/data/sample.dat");
    EXPECT_EQ(ResolveConfigPath("/srv/qb", ""), "");
    EXPECT_EQ(ResolveConfigPath("", "sample.dat"), "sample.dat");
}

} // namespace
