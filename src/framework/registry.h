#pragma once

#include <memory>
#include <string_view>

class TStreamable;

using TStreamableFactory = TStreamable* (*)();

// The classes a stream may name. Lookup ignores the case of ASCII letters.
class TClassRegistry {
public:
    static TClassRegistry& Instance();
    void Register(std::string_view name, TStreamableFactory factory);
    // Null when no class has that name.
    TStreamableFactory Find(std::string_view name) const;
    std::size_t Size() const;

private:
    TClassRegistry();
    struct Impl;
    std::unique_ptr<Impl> fImpl;
};
