#include "category_paths.h"
#include "qbtool_test_support.h"

#include <gtest/gtest.h>

namespace {

class FindCommand : public ::testing::Test {
protected:
    void SetUp() override { WritePhysicsLibrary(fDir.File("phys.txt"), fDir.File("phys.dat")); }
    // Runs find on the physics library and returns what it printed, or the error.
    std::string Find(std::vector<std::string> criteria, int expectedStatus = 0) const {
        std::vector<std::string> args{
            "find", "Physics", "--data", fDir.File("phys.dat"), "--text", fDir.File("phys.txt")};
        args.insert(args.end(), criteria.begin(), criteria.end());
        TRun run = RunTool(args);
        EXPECT_EQ(run.Status, expectedStatus) << run.Err;
        return run.Status == 0 ? run.Out : run.Err.substr(0, run.Err.find('\n'));
    }
    TToolTempFolder fDir;
};

TEST_F(FindCommand, AppliesTheCriteriaInOrder) {
    EXPECT_EQ(Find({}), "Q1\nQ1a\nQ2\nQ3\n"); // identity-tree pre-order
    EXPECT_EQ(Find({"--topic", "Mechanics"}), "Q1\nQ1a\nQ2\n");
    EXPECT_EQ(Find({"--topic", "Mechanics", "--level", "Higher"}), "Q1a\nQ2\n");
    // --reset clears the criteria before the one it stands in front of.
    EXPECT_EQ(Find({"--topic", "Mechanics/Motion", "--reset", "--paper", "Paper 1"}), "Q1\nQ2\n");
    EXPECT_EQ(Find({"--topic", "Mechanics/Motion", "--paper", "Paper 1"}), "Q2\n");
    // Widening a criterion recomputes; the empty path is the root and clears it.
    EXPECT_EQ(Find({"--topic", "Mechanics/Forces", "--topic", "Mechanics"}), "Q1\nQ1a\nQ2\n");
    EXPECT_EQ(Find({"--topic", "Waves", "--topic", ""}), "Q1\nQ1a\nQ2\nQ3\n");
    EXPECT_EQ(Find({"--type", "Calculation", "--identity", "Car/Stopping"}), "Q1a\n");
    EXPECT_EQ(Find({"--identity", "Car"}), "Q1\nQ1a\n");
    EXPECT_EQ(Find({"--resource", "Data sheet"}), "Q1\n");
    EXPECT_EQ(Find({"--topic", "Waves/Sound"}), "Q2\n"); // the first of the twins
    EXPECT_EQ(Find({"--level", "Foundation", "--paper", "Paper 2"}), "");
}

TEST_F(FindCommand, ListsAvailableCategoriesInTreeOrder) {
    // The topic criterion itself is ignored; the level criterion is not.
    EXPECT_EQ(Find({"--level", "Higher", "--topic", "Waves", "--available", "topic"}),
              "\nMechanics\nMechanics/Motion\nWaves\nWaves/Sound\n");
    EXPECT_EQ(Find({"--available", "topic", "--topic", "Waves/Sound"}),
              "\nMechanics\nMechanics/Forces\nMechanics/Motion\nWaves\nWaves/Sound\n");
    EXPECT_EQ(Find({"--type", "Calculation", "--available", "level"}), "\nFoundation\nHigher\n");
    EXPECT_EQ(Find({"--available", "paper", "--level", "Foundation"}), "\nPaper 1\n");
    EXPECT_EQ(Find({"--available", "resource"}), "\nData sheet\n");
    EXPECT_EQ(Find({"--topic", "Waves", "--available", "identity"}), "\nEcho\n");
    EXPECT_EQ(Find({"--available", "type", "--resource", "Data sheet"}), "\nCalculation\n");
    EXPECT_EQ(Find({"--level", "Foundation", "--paper", "Paper 2", "--available", "type"}), "");
}

TEST_F(FindCommand, RefusesUnknownPathsAndMalformedCriteria) {
    EXPECT_EQ(Find({"--topic", "Mechanics/Heat"}, 1), "qbtool: No topic \"Mechanics/Heat\"");
    EXPECT_EQ(Find({"--type", "Essay"}, 1), "qbtool: No question type \"Essay\"");
    EXPECT_EQ(Find({"--available", "colour"}, 2),
              "qbtool: --available takes topic, type, level, paper, identity or resource, not "
              "\"colour\"");
    EXPECT_EQ(Find({"--topic", "Waves", "--reset"}, 2),
              "qbtool: --reset must stand before a criterion");
    EXPECT_EQ(Find({"--reset", "--available", "topic"}, 2),
              "qbtool: --reset must stand before a criterion");
    EXPECT_EQ(Find({"--available", "topic", "--available", "level"}, 2),
              "qbtool: option --available given twice");
    EXPECT_EQ(Find({"--topic"}, 2), "qbtool: option --topic needs a value");
    EXPECT_EQ(Find({"Extra"}, 2), "qbtool: expected SUBJECT");
}

TEST(CategoryPaths, SpellEveryNameAndRoundTrip) {
    TCategory root("All topics");
    auto* acids = root.AddChild(std::make_unique<TCategory>("Acids/bases"));
    auto* ph = acids->AddChild(std::make_unique<TCategory>("pH"));
    auto* energy = root.AddChild(std::make_unique<TCategory>("\xC9nergie")); // cp1252
    auto* blank = energy->AddChild(std::make_unique<TCategory>(""));
    EXPECT_EQ(FindCategoryByPath(root, ""), &root);
    EXPECT_EQ(FindCategoryByPath(root, "Acids/bases"), acids);
    EXPECT_EQ(FindCategoryByPath(root, "Acids/bases/pH"), ph);
    EXPECT_EQ(FindCategoryByPath(root, "Acids"), nullptr);
    EXPECT_EQ(FindCategoryByPath(root, "\xC3\x89nergie"), energy); // typed as UTF-8
    EXPECT_EQ(FindCategoryByPath(root, "\xC3\x89nergie/"), blank);
    EXPECT_EQ(FindCategoryByPath(root, "pH"), nullptr);
    for (const TCategory* c :
         {static_cast<const TCategory*>(&root), static_cast<const TCategory*>(acids),
          static_cast<const TCategory*>(ph), static_cast<const TCategory*>(energy)})
        EXPECT_EQ(FindCategoryByPath(root, CategoryPath(*c)), c) << CategoryPath(*c);
    EXPECT_EQ(CategoryPath(*ph), "Acids/bases/pH");
    EXPECT_EQ(CategoryPath(*energy), "\xC3\x89nergie");
}

} // namespace
