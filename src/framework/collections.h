#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TSetIterator;

// Open-addressing hash set keyed by object identity, linear probing, load factor 0.7.
// Elements are not owned.
class TSet {
public:
    using HashFn = std::uintptr_t (*)(const void* element);
    using CompareFn = std::intptr_t (*)(const void* a, const void* b);

    explicit TSet(std::int32_t n);
    virtual ~TSet();
    TSet(const TSet&) = delete;
    TSet& operator=(const TSet&) = delete;

    virtual std::unique_ptr<TSetIterator> Iterator() const;
    std::int32_t Threshold() const;
    void SetCapacity(std::int32_t n);
    void SetFunctions(HashFn hash, CompareFn compare);

    // Stores the element (replacing an equal one) and returns what the slot held.
    void* Add(void* element);
    void* Remove(const void* element);
    void* Find(const void* element) const;
    virtual void Clear();

    std::int32_t Capacity() const { return fCapacity; }
    std::int32_t Count() const { return fCount; }
    void* SlotAt(std::int32_t i) const { return fSlots[static_cast<std::size_t>(i)]; }

protected:
    void Allocate(std::int32_t n);
    std::int32_t FindSlot(const void* element) const;

private:
    std::vector<void*> fSlots;
    std::int32_t fCapacity = 0;
    std::int32_t fCount = 0;
    HashFn fHash;
    CompareFn fCompare;
};

// Map from a key (a number or an object identity) to a value. Owns its pairs.
class TDictionary : public TSet {
public:
    using Key = std::uintptr_t;
    using Value = std::intptr_t;

    explicit TDictionary(std::int32_t n);
    ~TDictionary() override;

    // Returns the value stored under the key before, or 0 when the key is new.
    Value Add(Key key, Value value);
    Value Add(const void* key, Value value) { return Add(reinterpret_cast<Key>(key), value); }
    // The stored value, or 0 when absent (a stored 0 cannot be told from absence).
    Value Find(Key key) const;
    Value Find(const void* key) const { return Find(reinterpret_cast<Key>(key)); }
    Value Remove(Key key);
    void Clear() override;
    std::unique_ptr<TSetIterator> Iterator() const override;

    using TSet::Capacity;
    using TSet::Count;
    using TSet::SetCapacity;
    using TSet::Threshold;

    struct Pair {
        Key key;
        Value value;
    };

private:
    friend class TDictionaryIterator;
};

// Walks a set in slot order.
class TSetIterator {
public:
    explicit TSetIterator(const TSet& set) : fSet(set) {}
    virtual ~TSetIterator() = default;
    // The next element, or null after the last.
    void* NextElement();

protected:
    const TSet& fSet;
    std::int32_t fIndex = 0;
};

class TDictionaryIterator : public TSetIterator {
public:
    using TSetIterator::TSetIterator;
    // The next pair's value, or 0 after the last; PairKey gives the key of that pair.
    TDictionary::Value Next();
    TDictionary::Key LastKey() const { return fLastKey; }

private:
    TDictionary::Key fLastKey = 0;
};
