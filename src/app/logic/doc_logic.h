#pragma once

#include "app/logic/item_list.h"
#include "framework/observer.h"
#include "model/document.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TAppLogic;
class TTextStore;
class TTextChunk;

// One open test document: the document, its own file (locked while open), its file
// name and modified flag. Every change to the document goes through here and ends
// in one notification.
class TDocLogic : public TObservable {
public:
    explicit TDocLogic(TAppLogic& app);
    ~TDocLogic() override;

    void CreateEmpty();
    // Opens and locks the file and reads the document; raises on failure.
    void LoadFromFile(const std::string& fileName);
    // Saves through "~temp.vqd"; on failure nothing changes and the error passes on.
    void SaveToFile(const std::string& fileName);
    void BuildMarkScheme(const TDocument& source);
    void BuildReport(const TDocument& source);

    void RemoveEntries(const std::vector<TDocContent*>& entries);
    void InsertEntries(const std::vector<TListItem>& items, int index);
    void MoveEntry(int from, int to);
    void ToggleNumbered(int index);
    void UpdateTextEntry(int index, std::string_view title, bool numbered,
                         std::unique_ptr<TTextChunk> chunk, std::int16_t marks, std::int16_t time);
    void InsertTextEntry(int index, std::string_view title, bool numbered,
                         std::unique_ptr<TTextChunk> chunk, std::int16_t marks, std::int16_t time);
    // The road by which existing texts enter a document: asks before adding a text
    // that the document already holds.
    void AddToDocument(const std::vector<TListItem>& items, int index);

    std::string DisplayName() const;
    // Whether the document's own open file is `path` (under whatever name).
    bool HoldsFile(const std::string& path) const;
    const std::string& FileName() const { return fFileName; }
    bool Modified() const { return fModified; }
    void SetModified(bool modified);
    TDocument& Document() { return *fDocument; }
    const TDocument& Document() const { return *fDocument; }
    // The document's entries as a browsable list.
    TItemList& EntryList() { return fEntryList; }

    // Total marks and time of the entries, summed as signed 16-bit values.
    std::int32_t TotalMarks() const;
    std::int32_t TotalTime() const;

private:
    friend class TAppLogic;
    void Close(); // through TAppLogic::CloseDocument
    void Changed(std::initializer_list<int> codes);

    class TEntryList : public TItemList {
    public:
        explicit TEntryList(const TDocLogic& owner) : fOwner(owner) {}
        int Count() const override;
        TListItem Item(int index) const override;

    private:
        const TDocLogic& fOwner;
    };

    TAppLogic& fApp;
    std::unique_ptr<TTextStore> fStore; // outlives the document whose texts it holds
    std::unique_ptr<TDocument> fDocument;
    std::string fFileName;
    bool fModified = false;
    TEntryList fEntryList{*this};
};
