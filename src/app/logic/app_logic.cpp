#include "app/logic/app_logic.h"

#include "app/logic/doc_logic.h"
#include "framework/errors.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/selector.h"
#include "model/text_store.h"

#include <algorithm>

namespace {
const char* const kOpenFailed =
    "Please check that the file is not already open, and that you have not mis-typed the filename.";
const char* const kReportFailed =
    "Please click on the test Document window before creating the Report";
} // namespace

TAppLogic::TAppLogic(TUserPrompts& prompts) : fPrompts(prompts) {
    fRelay.AddObserver(MakeHandler<&TAppLogic::DocumentChanged>(this));
}

TAppLogic::~TAppLogic() {
    fRelay.RemoveObserver(MakeHandler<&TAppLogic::DocumentChanged>(this));
    if (fSelector) fSelector->RemoveObserver(MakeHandler<&TAppLogic::SelectorChanged>(this));
}

void TAppLogic::SetLibrary(const std::string& libraryName, std::unique_ptr<TTextStore> store,
                           std::unique_ptr<TLibrary> library) {
    if (fSelector) fSelector->RemoveObserver(MakeHandler<&TAppLogic::SelectorChanged>(this));
    fLibraryName = libraryName;
    fLibraryStore = std::move(store);
    fLibrary = std::move(library);
    fSelector = std::make_unique<TQuestionSelector>(*fLibrary);
    fSelectorList = std::make_unique<TVectorItemList<TQuestion>>(fSelector->Matches());
    fSelector->AddObserver(MakeHandler<&TAppLogic::SelectorChanged>(this));
}

TDocLogic& TAppLogic::Adopt(std::unique_ptr<TDocLogic> doc) {
    fClosing.reset();
    TDocLogic& ref = *doc;
    fDocuments.push_back(std::move(doc));
    fDocumentList.push_back(&ref);
    fRelay.Attach(&ref);
    Notify({ncDocCreate});
    return ref;
}

TDocLogic& TAppLogic::NewDocument() {
    auto doc = std::make_unique<TDocLogic>(*this);
    doc->CreateEmpty();
    return Adopt(std::move(doc));
}

TDocLogic& TAppLogic::OpenDocument(const std::string& fileName) {
    auto doc = std::make_unique<TDocLogic>(*this);
    try {
        for (const TDocLogic* open : fDocumentList)
            if (open->HoldsFile(fileName))
                throw EInOutError("The file \"" + fileName + "\" is already open in this program.");
        doc->LoadFromFile(fileName);
    } catch (const std::exception& e) {
        // The user's sentence first, then which file and what the system said of it.
        std::string reason = e.what();
        if (reason.find(fileName) == std::string::npos) reason = "\"" + fileName + "\": " + reason;
        throw EInOutError(std::string(kOpenFailed) + "\n" + reason);
    }
    return Adopt(std::move(doc));
}

TDocLogic& TAppLogic::CreateMarkSchemeDocument() {
    if (!fCurrentDoc) throw EError("There is no current document");
    auto doc = std::make_unique<TDocLogic>(*this);
    doc->BuildMarkScheme(fCurrentDoc->Document());
    return Adopt(std::move(doc));
}

namespace {
bool HoldsQuestion(const TDocLogic& doc) {
    for (const auto& entry : doc.Document().Entries)
        if (entry->Segment && entry->Segment->Kind() == 'Q') return true;
    return false;
}
} // namespace

TDocLogic* TAppLogic::CreateReportDocument() {
    // The test the user looks at, when it is one; otherwise the first test open, so
    // that a report asked for from a mark-scheme window still comes from its test.
    TDocLogic* source = fCurrentDoc && HoldsQuestion(*fCurrentDoc) ? fCurrentDoc : nullptr;
    for (TDocLogic* doc : fDocumentList)
        if (!source && HoldsQuestion(*doc)) source = doc;
    if (!source && !fDocumentList.empty()) source = fDocumentList.front();
    SetCurrentDoc(source);
    std::unique_ptr<TDocLogic> doc;
    try {
        if (!fCurrentDoc) throw EError("There is no current document");
        doc = std::make_unique<TDocLogic>(*this);
        doc->BuildReport(fCurrentDoc->Document());
    } catch (const std::exception&) {
        fPrompts.Inform(kReportFailed);
        return nullptr;
    }
    return &Adopt(std::move(doc));
}

void TAppLogic::CloseDocument(TDocLogic& doc) {
    doc.Close(); // DocumentChanged moves it to fClosing
    fClosing.reset();
}

void TAppLogic::SetCurrentDoc(TDocLogic* doc) {
    if (doc == fCurrentDoc) return;
    fCurrentDoc = doc;
    Notify({ncCurrentDoc});
}

void TAppLogic::SetCurrentList(TItemList* list, int index) {
    int stored = (list && index >= 0 && index < list->Count()) ? index : -1;
    if (list == fCurrentList && stored == fCurrentIndex) return;
    fCurrentList = list;
    fCurrentIndex = stored;
    Notify({ncCurrentList});
}

void TAppLogic::SelectItem(TListItem item, TItemList* source, bool restartHistory) {
    if (restartHistory)
        fHistory.clear();
    else if (fSelection.size() == 1)
        fHistory.push_back(fSelection.front());
    fSelection.assign(1, item);
    fSelectionSource = source;
    Notify({ncCurrentSelection, ncHistory});
}

void TAppLogic::SetSelection(std::vector<TListItem> items, TItemList* source) {
    fHistory.clear();
    fSelection = std::move(items);
    fSelectionSource = source;
    Notify({ncCurrentSelection, ncHistory});
}

void TAppLogic::NotifySelection() {
    Notify({ncCurrentSelection});
}

void TAppLogic::Back() {
    fSelection.clear();
    if (!fHistory.empty()) {
        fSelection.push_back(fHistory.back());
        fHistory.pop_back();
    }
    if (fHistory.empty() && fCurrentList && fCurrentIndex != -1 &&
        fCurrentIndex < fCurrentList->Count() && !fSelection.empty() &&
        fCurrentList->Item(fCurrentIndex) == fSelection.front())
        fSelectionSource = fCurrentList;
    else
        fSelectionSource = nullptr;
    Notify({ncCurrentSelection, ncHistory});
}

void TAppLogic::CopyToClipboard(const std::vector<TListItem>& items) {
    fClipboard.clear();
    for (TListItem item : items) {
        if (auto* entry = dynamic_cast<TDocContent*>(item))
            fClipboard.push_back(entry->Clone());
        else if (auto* segment = dynamic_cast<TTextSegment*>(item))
            fClipboard.push_back(segment->MakeEntry());
    }
    Notify({ncClipboard});
}

TListItem TAppLogic::SelectedItem() const {
    return fSelection.size() == 1 ? fSelection.front() : nullptr;
}

TListItem TAppLogic::SelectedSegment() const {
    TListItem item = SelectedItem();
    if (auto* entry = dynamic_cast<TDocContent*>(item)) return entry->Segment;
    return item;
}

void TAppLogic::DocumentChanged(TObservable* sender, const TCodeSet& codes) {
    if (!codes.Has(ncDocDestroy)) return;
    auto* doc = static_cast<TDocLogic*>(sender);
    auto it = std::find_if(fDocuments.begin(), fDocuments.end(),
                           [doc](const auto& d) { return d.get() == doc; });
    if (it != fDocuments.end()) {
        fClosing = std::move(*it);
        fDocuments.erase(it);
    }
    std::erase(fDocumentList, doc);
    // Its entries are about to be freed; nothing may keep pointing at them.
    std::vector<TDocContent*> entries;
    for (auto& e : doc->Document().Entries)
        entries.push_back(e.get());
    if (doc == fCurrentDoc) {
        TCodeSet changed{ncCurrentDoc};
        if (fSelectionSource == &doc->EntryList()) {
            fSelection.clear();
            fSelectionSource = nullptr;
            changed.Add(ncCurrentSelection);
        }
        if (fCurrentList == &doc->EntryList()) {
            fCurrentList = nullptr;
            fCurrentIndex = -1;
            fHistory.clear();
            changed.Add(ncCurrentList);
            changed.Add(ncHistory);
        }
        fCurrentDoc = nullptr;
        ForgetEntries(entries);
        Notify(changed);
    } else {
        ForgetEntries(entries);
    }
    fRelay.Detach(doc);
}

void TAppLogic::ForgetEntries(const std::vector<TDocContent*>& entries) {
    if (entries.empty()) return;
    auto gone = [&entries](TListItem item) {
        return std::find(entries.begin(), entries.end(), item) != entries.end();
    };
    std::erase_if(fHistory, gone);
    std::erase_if(fSelection, gone);
}

void TAppLogic::SelectorChanged(TObservable*, const TCodeSet&) {
    fCurrentList = fSelectorList.get();
    fCurrentIndex = fCurrentList->Count() > 0 ? 0 : -1; // an empty result has no current item
    fHistory.clear();
    fSelection.clear();
    if (fCurrentList->Count() > 0) {
        fSelection.push_back(fCurrentList->Item(0));
        fSelectionSource = fCurrentList;
    } else {
        fSelectionSource = nullptr;
    }
    Notify({ncSelectorResult, ncCurrentList, ncHistory, ncCurrentSelection});
}
