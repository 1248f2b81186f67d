#pragma once

#include <array>
#include <cstdint>
#include <vector>

class TCategory;
class TQuestion;

// A flat copy of what the question selector tests: every question in pre-order of the
// identity tree with, per dimension, the pre-order positions of its categories. A
// category lies below a criterion exactly when its position falls in the criterion's
// subtree range, so a search is a scan of small integers instead of a walk up the tree
// for every question. The library must not change while the index is in use.
class TSelectorIndex {
public:
    static constexpr int kDimensions = 6;
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // One tree: its categories in pre-order, each one's parent position and the end of
    // its subtree range.
    struct TTree {
        std::vector<TCategory*> Categories;
        std::vector<std::uint32_t> Parent;
        std::vector<std::uint32_t> SubtreeEnd;
        // Position of a category of this tree, or kNone for any other category.
        std::uint32_t PositionOf(const TCategory* c) const;
    };

    // The positions of every question's categories in one dimension; kNone stands for a
    // category from outside the dimension's tree.
    struct TColumn {
        std::vector<std::uint32_t> Start; // question i's values are [Start[i], Start[i + 1])
        std::vector<std::uint32_t> Values;
        const std::uint32_t* Begin(std::uint32_t i) const { return Values.data() + Start[i]; }
        const std::uint32_t* End(std::uint32_t i) const { return Values.data() + Start[i + 1]; }
    };

    // `roots` in the selector's dimension order: identity (the question tree), topic,
    // type, level, paper, resource.
    explicit TSelectorIndex(const std::array<const TCategory*, kDimensions>& roots);

    std::uint32_t QuestionCount() const { return static_cast<std::uint32_t>(fQuestions.size()); }
    TQuestion* Question(std::uint32_t i) const { return fQuestions[i]; }
    const TTree& Tree(int d) const { return fTrees[static_cast<std::size_t>(d)]; }
    // Made on first use: opening the finder should not pay for dimensions nobody searches.
    const TColumn& Column(int d) const;

private:
    static TTree IndexTree(const TCategory* root, std::vector<TQuestion*>* questions);
    void BuildColumn(int d) const;

    std::vector<TQuestion*> fQuestions;
    std::array<TTree, kDimensions> fTrees;
    mutable std::array<TColumn, kDimensions> fColumns;
    mutable std::array<bool, kDimensions> fBuilt{};
};
