#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

class TQuestion;

// A set of questions for narrowing a whole library's result: one flat table probed in
// place, so that filling and asking it for 100,000 questions costs no allocation per
// question (a node-based set spent most of a text search's time there).
class TQuestionSet {
public:
    TQuestionSet() = default;
    TQuestionSet(std::initializer_list<const TQuestion*> questions) {
        reserve(questions.size());
        for (const TQuestion* q : questions)
            insert(q);
    }
    // Room for `n` questions without growing.
    void reserve(std::size_t n) {
        if (n * 2 > fSlots.size()) Rehash(n * 2);
    }
    void insert(const TQuestion* q) {
        if (!q) return;
        if ((fCount + 1) * 2 > fSlots.size()) Rehash(std::max<std::size_t>(16, fSlots.size() * 2));
        const TQuestion*& slot = fSlots[Find(q)];
        if (!slot) {
            slot = q;
            ++fCount;
        }
    }
    std::size_t count(const TQuestion* q) const {
        return q && !fSlots.empty() && fSlots[Find(q)] == q ? 1 : 0;
    }
    std::size_t size() const { return fCount; }

private:
    // The slot holding q, or the empty one where it would go.
    std::size_t Find(const TQuestion* q) const {
        const std::size_t mask = fSlots.size() - 1;
        auto h = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(q));
        std::size_t i = static_cast<std::size_t>((h >> 3) * 0x9E3779B97F4A7C15ULL >> 20) & mask;
        while (fSlots[i] && fSlots[i] != q)
            i = (i + 1) & mask;
        return i;
    }
    void Rehash(std::size_t atLeast) {
        std::size_t size = 16;
        while (size < atLeast)
            size *= 2;
        std::vector<const TQuestion*> old(size, nullptr);
        old.swap(fSlots);
        fCount = 0;
        for (const TQuestion* q : old)
            if (q) insert(q);
    }

    std::vector<const TQuestion*> fSlots; // a power of two in size, at most half full
    std::size_t fCount = 0;
};
