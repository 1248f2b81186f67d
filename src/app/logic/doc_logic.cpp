#include "app/logic/doc_logic.h"

#include "app/logic/app_logic.h"
#include "app/logic/codes.h"
#include "framework/cp1252.h"
#include "framework/errors.h"
#include "framework/stream.h"
#include "model/document_file.h"
#include "model/library.h"
#include "model/text_store.h"

#include <sys/stat.h>

TDocLogic::TDocLogic(TAppLogic& app) : fApp(app) {}

TDocLogic::~TDocLogic() = default;

void TDocLogic::Changed(std::initializer_list<int> codes) {
    TCodeSet set;
    for (int c : codes) set.Add(c);
    Notify(set);
}

void TDocLogic::CreateEmpty() { fDocument = std::make_unique<TDocument>(); }

void TDocLogic::LoadFromFile(const std::string& fileName) {
    fFileName = fileName;
    try {
        auto stream = std::make_unique<TFileStream>(fileName, TFileStream::Mode::ReadOnly);
        if (!stream->TryLockExclusive())
            throw EInOutError("The file \"" + fileName +
                              "\" is open in another program or another running copy of this one.");
        fStore = std::make_unique<TTextStore>(std::move(stream));
        if (!fApp.Library()) throw EInOutError("No library is open");
        fDocument = ReadDocumentFile(*fStore, fApp.LibraryName(), *fApp.Library());
    } catch (...) {
        fDocument.reset();
        fStore.reset();
        throw;
    }
}

namespace {
bool SameFile(const std::string& a, TTextStore* store) {
    auto* file = store ? dynamic_cast<TFileStream*>(&store->Stream()) : nullptr;
    struct stat sa {}, sb {};
    if (!file || ::stat(a.c_str(), &sa) != 0 || ::fstat(file->Handle(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
} // namespace

bool TDocLogic::HoldsFile(const std::string& path) const { return SameFile(path, fStore.get()); }

void TDocLogic::SaveToFile(const std::string& fileName) {
    // Never replace a file that another document or program holds open.
    if (FileExists(fileName) && !SameFile(fileName, fStore.get())) {
        TFileStream probe(fileName, TFileStream::Mode::ReadOnly);
        if (!probe.TryLockExclusive())
            throw EInOutError("The file \"" + fileName +
                              "\" is open in another window or program; it was not replaced.");
    }
    std::unique_ptr<TTextStore> store =
        SaveDocumentFile(*fDocument, fApp.LibraryName(), fileName, fApp.Library(), true);
    fStore = std::move(store);
    fFileName = fileName;
    fModified = false;
    Changed({ncModified, ncFilename});
}

void TDocLogic::BuildMarkScheme(const TDocument& source) {
    fDocument = std::make_unique<TDocument>();
    fDocument->BuildMarkScheme(source);
    fModified = true;
}

void TDocLogic::BuildReport(const TDocument& source) {
    fDocument = std::make_unique<TDocument>();
    fDocument->BuildReport(source);
    fModified = true;
}

void TDocLogic::RemoveEntries(const std::vector<TDocContent*>& entries) {
    TCodeSet appChanged = fApp.ForgetEntries(entries);
    fDocument->RemoveEntries(entries);
    fModified = true;
    Changed({ncModified, ncDocument});
    // Only now that the entries are gone may windows look at the selection again.
    if (!appChanged.Empty()) fApp.Notify(appChanged);
}

void TDocLogic::InsertEntries(const std::vector<TListItem>& items, int index) {
    fDocument->InsertEntries(items, index, fApp.Library());
    fModified = true;
    Changed({ncModified, ncDocument});
}

void TDocLogic::MoveEntry(int from, int to) {
    fDocument->MoveEntry(from, to);
    fModified = true;
    Changed({ncModified, ncDocument});
}

void TDocLogic::ToggleNumbered(int index) {
    fDocument->ToggleNumbered(index);
    fModified = true;
    Changed({ncModified, ncDocument});
}

void TDocLogic::UpdateTextEntry(int index, std::string_view title, bool numbered,
                                std::unique_ptr<TTextChunk> chunk, std::int16_t marks,
                                std::int16_t time) {
    TCodeSet appChanged;
    if (index >= 0 && index < static_cast<int>(fDocument->Entries.size())) {
        TDocContent* old = fDocument->Entries[static_cast<std::size_t>(index)].get();
        if (!dynamic_cast<TOwningDocContent*>(old)) appChanged = fApp.ForgetEntries({old});
    }
    fDocument->UpdateTextEntry(index, title, numbered, std::move(chunk), marks, time);
    fModified = true;
    Changed({ncModified, ncDocument});
    if (!appChanged.Empty()) fApp.Notify(appChanged);
}

void TDocLogic::InsertTextEntry(int index, std::string_view title, bool numbered,
                                std::unique_ptr<TTextChunk> chunk, std::int16_t marks,
                                std::int16_t time) {
    fDocument->InsertTextEntry(index, title, numbered, std::move(chunk), marks, time);
    fModified = true;
    Changed({ncModified, ncDocument});
}

void TDocLogic::AddToDocument(const std::vector<TListItem>& items, int index) {
    std::vector<TListItem> taken;
    for (TListItem item : items) {
        TTextSegment* segment;
        if (auto* identity = dynamic_cast<TIdentityCategory*>(item)) {
            if (!fApp.Library()) continue;
            segment = fApp.Library()->FindSegment("R" + FullID(*identity));
        } else {
            segment = SegmentOfItem(item);
        }
        bool take = true;
        const auto& entries = fDocument->Entries;
        for (auto it = entries.rbegin(); segment && it != entries.rend(); ++it) {
            if ((*it)->Segment == segment) {
                std::string message = DisplayName() + " already contains " +
                                      Cp1252ToUtf8(segment->GetID()) +
                                      ". Do you want to include it again?";
                take = fApp.Prompts().Ask(message, false) == TAnswer::Yes;
                break;
            }
        }
        if (take) taken.push_back(item);
    }
    if (!taken.empty()) InsertEntries(taken, index);
}

std::string TDocLogic::DisplayName() const {
    if (fFileName.empty()) return "Untitled";
    auto slash = fFileName.find_last_of('/');
    return slash == std::string::npos ? fFileName : fFileName.substr(slash + 1);
}

void TDocLogic::SetModified(bool modified) {
    if (fModified == modified) return;
    fModified = modified;
    Changed({ncModified});
}

std::int32_t TDocLogic::TotalMarks() const {
    std::int32_t total = 0;
    for (const auto& e : fDocument->Entries)
        if (e->Segment) total += e->Segment->Marks;
    return total;
}

std::int32_t TDocLogic::TotalTime() const {
    std::int32_t total = 0;
    for (const auto& e : fDocument->Entries)
        if (e->Segment) total += e->Segment->Time;
    return total;
}

void TDocLogic::Close() {
    Changed({ncDocDestroy});
    fDocument.reset();
    fStore.reset();
}

int TDocLogic::TEntryList::Count() const {
    return fOwner.fDocument ? static_cast<int>(fOwner.fDocument->Entries.size()) : 0;
}

TListItem TDocLogic::TEntryList::Item(int index) const {
    return fOwner.fDocument->Entries[static_cast<std::size_t>(index)].get();
}
