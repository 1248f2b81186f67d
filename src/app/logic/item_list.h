#pragma once

#include "model/document.h"

#include <vector>

// A list of items that a window shows and the user browses: the finder's result
// list, a document's entries, a text-list window's texts. The current list and a
// selection's source are compared by the identity of these objects.
class TItemList {
public:
    virtual ~TItemList() = default;
    virtual int Count() const = 0;
    virtual TListItem Item(int index) const = 0;
    int IndexOf(TListItem item) const {
        for (int i = 0; i < Count(); ++i)
            if (Item(i) == item) return i;
        return -1;
    }
};

// A list over a vector of pointers held elsewhere.
template <class T> class TVectorItemList : public TItemList {
public:
    explicit TVectorItemList(const std::vector<T*>& items) : fItems(items) {}
    int Count() const override { return static_cast<int>(fItems.size()); }
    TListItem Item(int index) const override { return fItems[static_cast<std::size_t>(index)]; }

private:
    const std::vector<T*>& fItems;
};

// The segment an item stands for: the item itself, or a document entry's segment.
// An identity category (a resource in a list) has none here.
inline TTextSegment* SegmentOfItem(TListItem item) {
    if (auto* entry = dynamic_cast<TDocContent*>(item)) return entry->Segment;
    return dynamic_cast<TTextSegment*>(item);
}
