#include "category_paths.h"

#include "framework/cp1252.h"
#include "model/categories.h"
#include "tool_options.h"

#include <algorithm>

std::vector<std::string> CategoryNames(const TCategory& category) {
    std::vector<std::string> names;
    for (const TCategory* c = &category; c->Parent; c = c->Parent)
        names.push_back(c->Name);
    std::reverse(names.begin(), names.end());
    return names;
}

std::string CategoryPath(const TCategory& category) {
    std::string path;
    std::vector<std::string> names = CategoryNames(category);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) path += '/';
        path += Cp1252ToUtf8(names[i]);
    }
    return path;
}

TCategory* FindCategoryByPath(const TCategory& root, std::string_view path) {
    std::string wanted = ArgumentToCp1252(path);
    std::string_view rest = wanted;
    auto* node = const_cast<TCategory*>(&root);
    if (rest.empty()) return node;
    for (;;) {
        TCategory* next = nullptr;
        bool last = false;
        for (const auto& child : node->Children) {
            const std::string& name = child->Name;
            if (rest == name) {
                next = child.get();
                last = true;
                break;
            }
            if (rest.size() > name.size() && rest.starts_with(name) && rest[name.size()] == '/') {
                next = child.get();
                rest.remove_prefix(name.size() + 1);
                break;
            }
        }
        if (!next) return nullptr;
        if (last) return next;
        node = next;
    }
}
