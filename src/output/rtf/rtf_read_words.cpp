#include "output/rtf/rtf_read_words.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
struct TEntry {
    std::string_view name;
    TRtfWord word;
};

constexpr auto kWords = [] {
    std::array entries{
#define QB_RTF_ENTRY(n) TEntry{#n, TRtfWord::n},
#define QB_RTF_ENTRY_N(n, word) TEntry{#word, TRtfWord::n},
        QB_RTF_WORDS(QB_RTF_ENTRY, QB_RTF_ENTRY_N)
#undef QB_RTF_ENTRY
#undef QB_RTF_ENTRY_N
    };
    std::sort(entries.begin(), entries.end(),
              [](const TEntry& a, const TEntry& b) { return a.name < b.name; });
    return entries;
}();
} // namespace

TRtfWord LookupRtfWord(std::string_view name) {
    const auto it =
        std::lower_bound(kWords.begin(), kWords.end(), name,
                         [](const TEntry& e, std::string_view n) { return e.name < n; });
    return it != kWords.end() && it->name == name ? it->word : TRtfWord::Unknown;
}
