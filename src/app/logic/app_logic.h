#pragma once

#include "app/logic/codes.h"
#include "app/logic/item_list.h"
#include "app/logic/user_prompts.h"
#include "framework/observer.h"

#include <memory>
#include <string>
#include <vector>

class TDocLogic;
class TLibrary;
class TQuestionSelector;
class TTextStore;

// All application state that windows share: the library, the open documents, the
// current document and list, the selection, the history and the clipboard. Every
// change ends in one notification whose codes say what changed.
class TAppLogic : public TObservable {
public:
    explicit TAppLogic(TUserPrompts& prompts);
    ~TAppLogic() override;

    // Takes over an opened library and creates the question selector.
    void SetLibrary(const std::string& libraryName, std::unique_ptr<TTextStore> store,
                    std::unique_ptr<TLibrary> library);

    TDocLogic& NewDocument();
    TDocLogic& OpenDocument(const std::string& fileName);
    TDocLogic& CreateMarkSchemeDocument();
    // From the current document when it holds a question, else from the first open
    // document that does (which becomes current). Null when the report could not be
    // built (the user has been told).
    TDocLogic* CreateReportDocument();
    // Sends DocDestroy while the document is whole, then frees it.
    void CloseDocument(TDocLogic& doc);

    void SetCurrentDoc(TDocLogic* doc);
    void SetCurrentList(TItemList* list, int index);
    void SelectItem(TListItem item, TItemList* source, bool restartHistory);
    void SetSelection(std::vector<TListItem> items, TItemList* source);
    void NotifySelection();
    void Back();
    void CopyToClipboard(const std::vector<TListItem>& items);
    TListItem SelectedItem() const;
    TListItem SelectedSegment() const;

    const std::string& LibraryName() const { return fLibraryName; }
    const TLibrary* Library() const { return fLibrary.get(); }
    TQuestionSelector* Selector() const { return fSelector.get(); }
    TItemList* SelectorList() const { return fSelectorList.get(); }
    const std::vector<TDocLogic*>& Documents() const { return fDocumentList; }
    TDocLogic* CurrentDoc() const { return fCurrentDoc; }
    TItemList* CurrentList() const { return fCurrentList; }
    int CurrentIndex() const { return fCurrentIndex; }
    const std::vector<TListItem>& Selection() const { return fSelection; }
    TItemList* SelectionSource() const { return fSelectionSource; }
    const std::vector<TListItem>& History() const { return fHistory; }
    const std::vector<std::unique_ptr<TDocContent>>& Clipboard() const { return fClipboard; }
    TNotificationRelay& DocumentRelay() { return fRelay; }
    TUserPrompts& Prompts() { return fPrompts; }

private:
    friend class TDocLogic;
    TDocLogic& Adopt(std::unique_ptr<TDocLogic> doc);
    void DocumentChanged(TObservable* sender, const TCodeSet& codes);
    void SelectorChanged(TObservable* sender, const TCodeSet& codes);
    // Entries about to be freed leave the selection and the history, which would
    // otherwise point at freed memory.
    void ForgetEntries(const std::vector<TDocContent*>& entries);

    TUserPrompts& fPrompts;
    std::unique_ptr<TTextStore> fLibraryStore;
    std::unique_ptr<TLibrary> fLibrary;
    std::string fLibraryName;
    std::unique_ptr<TQuestionSelector> fSelector;
    std::unique_ptr<TItemList> fSelectorList;
    std::vector<std::unique_ptr<TDocLogic>> fDocuments;
    std::vector<TDocLogic*> fDocumentList;
    std::unique_ptr<TDocLogic> fClosing;
    TDocLogic* fCurrentDoc = nullptr;
    TItemList* fCurrentList = nullptr;
    int fCurrentIndex = -1;
    std::vector<TListItem> fSelection;
    TItemList* fSelectionSource = nullptr;
    std::vector<TListItem> fHistory;
    std::vector<std::unique_ptr<TDocContent>> fClipboard;
    TNotificationRelay fRelay;
};
