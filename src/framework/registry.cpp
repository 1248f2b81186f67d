#include "framework/registry.h"

#include <string>
#include <unordered_map>

namespace {
std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}
} // namespace

// Lookups by string_view, so that finding a class (once per object read) allocates nothing.
struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using TFactoryMap = std::unordered_map<std::string, TStreamableFactory, TNameHash, std::equal_to<>>;

struct TClassRegistry::Impl {
    TFactoryMap exact;
    TFactoryMap folded;
};

TClassRegistry::TClassRegistry() : fImpl(std::make_unique<Impl>()) {}

TClassRegistry& TClassRegistry::Instance() {
    static TClassRegistry registry;
    return registry;
}

void TClassRegistry::Register(std::string_view name, TStreamableFactory factory) {
    fImpl->exact[std::string(name)] = factory;
    fImpl->folded[Lower(name)] = factory;
}

TStreamableFactory TClassRegistry::Find(std::string_view name) const {
    // Files written by the program itself spell the names exactly; try that first.
    if (auto it = fImpl->exact.find(name); it != fImpl->exact.end()) return it->second;
    auto it = fImpl->folded.find(Lower(name));
    return it == fImpl->folded.end() ? nullptr : it->second;
}

std::size_t TClassRegistry::Size() const { return fImpl->exact.size(); }
