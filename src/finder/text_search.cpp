#include "finder/text_search.h"

#include "framework/cp1252.h"
#include "model/library.h"
#include "model/segments.h"
#include "search/library_entries.h"
#include "search/text_index.h"

#include <QLineEdit>
#include <QStringList>

#include <algorithm>

namespace {

// An index built from this library's files holds its texts row for row; a sample of the
// rows tells an index of other texts (or of texts in another order) without reading
// all of them.
bool RowsMatch(const TTextIndex& index, const std::vector<const TTextSegment*>& rows) {
    if (rows.size() != index.Count()) return false;
    const std::size_t samples = std::min<std::size_t>(16, rows.size());
    for (std::size_t i = 0; i < samples; ++i) {
        const std::size_t row = samples == 1 ? 0 : i * (rows.size() - 1) / (samples - 1);
        if (index.IdAt(static_cast<std::uint32_t>(row)) != Cp1252ToUtf8(rows[row]->GetID()))
            return false;
    }
    return true;
}

} // namespace

TTextSearch::TTextSearch(const TLibrary& library) : fLibrary(library) {}

TTextSearch::~TTextSearch() = default;

void TTextSearch::SetIndex(std::shared_ptr<const TTextIndex> index) {
    fIndex = std::move(index);
    fRows.clear();
    fUnavailable.clear();
    if (fIndex) {
        fRows = IndexedSegments(fLibrary);
        if (!RowsMatch(*fIndex, fRows)) fRows.clear();
    }
    Notify({});
}

void TTextSearch::SetUnavailable(const std::string& reason) {
    fIndex.reset();
    fRows.clear();
    fUnavailable = QStringLiteral("Search is unavailable: ") + QString::fromUtf8(reason);
    Notify({});
}

std::vector<const TTextSegment*> TTextSearch::Find(std::string_view typed, char kind) {
    std::vector<const TTextSegment*> found;
    if (!fIndex) return found;
    try {
        if (!fRows.empty()) {
            for (std::uint32_t row : fIndex->SearchRows(typed, kind))
                found.push_back(fRows[row]);
            return found;
        }
        // An index of other texts than this library's, as in a library changed while
        // the program ran: its identifiers are looked up instead.
        for (const std::string& id : fIndex->Search(typed, kind)) {
            try {
                if (const TTextSegment* s = fLibrary.FindSegment(Utf8ToCp1252(id)))
                    found.push_back(s);
            } catch (const std::exception&) {
                // A text removed since the index was built is simply not found.
            }
        }
    } catch (const std::exception&) {
        // Finding nothing rather than everything; the field waits for the new index.
        found.clear();
        fIndex.reset();
        fRows.clear();
        Notify({});
        if (fDamaged) fDamaged();
    }
    return found;
}

void TTextSearch::ShowStateIn(QLineEdit& field, const QString& readyTip) const {
    // A field that waits for a rebuild while the user types in it takes the keyboard
    // back once it is usable, rather than leaving it wherever Qt moved it.
    constexpr const char* kRefocus = "refocusWhenReady";
    if (!Ready() && field.hasFocus()) field.setProperty(kRefocus, true);
    field.setEnabled(Ready());
    if (Ready() && field.property(kRefocus).toBool()) {
        field.setProperty(kRefocus, false);
        if (field.window()->isActiveWindow()) field.setFocus();
    }
    if (Ready()) {
        field.setPlaceholderText(QStringLiteral("Search text"));
        field.setToolTip(readyTip);
    } else if (!fUnavailable.isEmpty()) {
        field.setPlaceholderText(QStringLiteral("Search is unavailable"));
        field.setToolTip(fUnavailable);
    } else {
        field.setPlaceholderText(QStringLiteral("Preparing the search index\u2026"));
        field.setToolTip(QString());
    }
}

QStringList SearchTerms(const QString& typed) {
    QStringList terms;
    const QStringList parts = typed.split(QLatin1Char('"'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i % 2) {
            if (!parts[i].trimmed().isEmpty()) terms << parts[i].simplified();
            continue;
        }
        terms << parts[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return terms;
}
