#include "model/selector_index.h"

#include "model/categories.h"
#include "model/segments.h"

std::uint32_t TSelectorIndex::TTree::PositionOf(const TCategory* c) const {
    if (!c) return kNone;
    const std::uint32_t p = c->TreeOrdinal;
    // The ordinal may come from another tree or another library: trust it only when it
    // points back at the category.
    return p < Categories.size() && Categories[p] == c ? p : kNone;
}

TSelectorIndex::TTree TSelectorIndex::IndexTree(const TCategory* root,
                                                std::vector<TQuestion*>* questions) {
    TTree tree;
    if (!root) return tree;
    // Iterative pre-order, so that a tree of any depth is safe.
    struct Frame {
        const TCategory* category;
        std::size_t next;
        std::uint32_t position;
    };
    std::vector<Frame> stack;
    auto enter = [&](const TCategory* c, std::uint32_t parent) {
        const auto position = static_cast<std::uint32_t>(tree.Categories.size());
        c->TreeOrdinal = position;
        tree.Categories.push_back(const_cast<TCategory*>(c));
        tree.Parent.push_back(parent);
        tree.SubtreeEnd.push_back(position + 1);
        stack.push_back({c, 0, position});
        if (questions)
            if (auto* q = static_cast<TQuestion*>(
                    static_cast<const TIdentityCategory*>(c)->Question.get()))
                questions->push_back(q);
    };
    enter(root, kNone);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.category->Children.size()) {
            const TCategory* child = top.category->Children[top.next++].get();
            const std::uint32_t parent = top.position;
            if (child) enter(child, parent);
        } else {
            tree.SubtreeEnd[top.position] = static_cast<std::uint32_t>(tree.Categories.size());
            stack.pop_back();
        }
    }
    return tree;
}

TSelectorIndex::TSelectorIndex(const std::array<const TCategory*, kDimensions>& roots) {
    // Questions in pre-order of the question tree, which is the order of every result.
    fTrees[0] = IndexTree(roots[0], &fQuestions);
    for (std::size_t d = 1; d < kDimensions; ++d)
        fTrees[d] = IndexTree(roots[d], nullptr);
}

const TSelectorIndex::TColumn& TSelectorIndex::Column(int d) const {
    const auto i = static_cast<std::size_t>(d);
    if (!fBuilt[i]) BuildColumn(d);
    return fColumns[i];
}

void TSelectorIndex::BuildColumn(int d) const {
    const auto index = static_cast<std::size_t>(d);
    TColumn& column = fColumns[index];
    const TTree& tree = fTrees[index];
    column.Start.clear();
    column.Values.clear();
    column.Start.reserve(fQuestions.size() + 1);
    column.Start.push_back(0);
    auto add = [&](const TCategory* c) {
        if (c) column.Values.push_back(tree.PositionOf(c));
    };
    for (const TQuestion* q : fQuestions) {
        switch (d) {
        case 0:
            add(q->Identity);
            break;
        case 1:
            for (const TCategory* c : q->Topics)
                add(c);
            break;
        case 2:
            add(q->QuestionType);
            break;
        case 3:
            add(q->Level);
            break;
        case 4:
            for (const TCategory* c : q->Papers)
                add(c);
            break;
        case 5:
            for (const TCategory* c : q->Resources)
                add(c);
            break;
        }
        column.Start.push_back(static_cast<std::uint32_t>(column.Values.size()));
    }
    fBuilt[index] = true;
}
