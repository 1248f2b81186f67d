#pragma once

#include "framework/observer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;

class TLibrary;
class TTextIndex;
class TTextSegment;

// The library's full-text index as the windows share it: whether it can be searched
// yet, and the texts of one kind holding the typed words. Notifies (with no codes)
// whenever it becomes ready or stops being so.
class TTextSearch : public TObservable {
public:
    explicit TTextSearch(const TLibrary& library);
    ~TTextSearch() override;

    // The index to search, or null while it is being prepared.
    void SetIndex(std::shared_ptr<const TTextIndex> index);
    // No index can be had; `reason` tells why.
    void SetUnavailable(const std::string& reason);
    bool Ready() const { return fIndex != nullptr; }
    // Called once a search has found the index damaged and let it go, to have it rebuilt.
    void OnDamaged(std::function<void()> rebuild) { fDamaged = std::move(rebuild); }

    // The texts of kind `kind` whose text, title or identifier holds the typed words, in
    // library order; none while not ready. A damaged index finds nothing and is rebuilt.
    std::vector<const TTextSegment*> Find(std::string_view typed, char kind);

    // Enables a search field while the index is ready, with `readyTip` as its tip, and
    // otherwise says why it waits.
    void ShowStateIn(QLineEdit& field, const QString& readyTip) const;

private:
    const TLibrary& fLibrary;
    std::shared_ptr<const TTextIndex> fIndex;
    // The segment of each row of the index, or empty when the index does not hold this
    // library's texts row for row.
    std::vector<const TTextSegment*> fRows;
    QString fUnavailable;
    std::function<void()> fDamaged;
};

// The words and "quoted phrases" of what was typed, as the shown text spells them:
// what the Viewer marks.
QStringList SearchTerms(const QString& typed);
