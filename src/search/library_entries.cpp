#include "library_entries.h"

#include "framework/cp1252.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <memory>
#include <vector>

namespace {

void CollectSegments(const TIdentityCategory* root, std::vector<const TTextSegment*>& out) {
    if (!root) return;
    TCategoryIterator it(root);
    while (TCategory* c = it.Next()) {
        auto* identity = dynamic_cast<TIdentityCategory*>(c);
        if (!identity) continue;
        for (char kind : {'Q', 'M', 'E', 'N', 'S', 'R'}) {
            const TTextSegment* s = identity->SegmentFor(kind);
            // The empty resources old libraries give every identity have no identity.
            if (s && s->Identity) out.push_back(s);
        }
    }
}

} // namespace

std::vector<const TTextSegment*> IndexedSegments(const TLibrary& library) {
    std::vector<const TTextSegment*> segments;
    CollectSegments(library.QuestionRoot.get(), segments);
    CollectSegments(library.SyllabusRoot.get(), segments);
    CollectSegments(library.ResourceRoot.get(), segments);
    return segments;
}

TEntrySource LibraryEntries(const TLibrary& library, TPlainTextFn plainText) {
    auto segments = std::make_shared<std::vector<const TTextSegment*>>(IndexedSegments(library));
    auto next = std::make_shared<std::size_t>(0);
    return [segments, next, plainText = std::move(plainText)](TIndexEntry& entry) {
        if (*next >= segments->size()) return false;
        const TTextSegment* s = (*segments)[(*next)++];
        entry.Id = Cp1252ToUtf8(s->GetID());
        entry.Kind = s->Kind();
        entry.Title = Cp1252ToUtf8(s->GetTitle());
        entry.Text.clear();
        if (s->Chunk) {
            // Texts read only for the index are let go again, so that indexing a large
            // library does not keep every text in memory.
            bool wasLoaded = s->Chunk->IsLoaded();
            for (const std::string& line : s->Chunk->GetLines()) {
                if (!entry.Text.empty()) entry.Text += '\n';
                entry.Text += plainText ? plainText(line) : line;
            }
            if (!wasLoaded) s->Chunk->UnloadLines();
        }
        return true;
    };
}
