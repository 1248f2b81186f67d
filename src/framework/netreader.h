#pragma once

#include "framework/errors.h"
#include "framework/streamable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

class TStream;
class TTextStore;
class TLibrary;

enum : std::uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaLString = 0x0C,
};

// Reads values and object graphs in the stream encoding. Every malformed input ends in
// an exception; nothing it reads is allocated beyond what the bytes left can hold.
class TNetReader {
public:
    explicit TNetReader(TStream& stream);
    ~TNetReader();
    TNetReader(const TNetReader&) = delete;
    TNetReader& operator=(const TNetReader&) = delete;

    std::int32_t Version = 0;
    // The text store that text chunks read in this block bind to.
    TTextStore* TextStore = nullptr;
    // The library that documents resolve their identifiers in.
    const TLibrary* Library = nullptr;

    std::int32_t ReadVersion();
    // Reads a whole root block. On failure every object made is destroyed.
    std::unique_ptr<TStreamable> ReadRoot();
    template <class T> std::unique_ptr<T> ReadRootAs();

    TStreamable* ReadObject();
    // A reference that must be null or an object of class T (or derived).
    template <class T> T* ReadObjectAs();
    void ReadObjectList(std::vector<TStreamable*>& list);
    template <class T> void ReadObjectListAs(std::vector<T*>& list);
    template <class T> void ReadOwnedListAs(std::vector<std::unique_ptr<T>>& list);

    std::int32_t ReadInteger();
    std::string ReadString();
    // Reads a string and keeps at most `limit` bytes of it.
    std::string ReadString(std::size_t limit);
    char ReadChar();
    bool ReadBoolean();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList();

    // Objects that ReadFrom code creates itself (not from the stream) must be
    // registered so that a failed read can destroy them and checks can count them.
    void Adopt(TStreamable* made);

    // Bytes not yet consumed.
    std::int64_t BytesLeft() const;

private:
    void ReadStringInto(std::string& s);
    // Reads the begin-of-list tag and the count; returns the room to reserve.
    std::size_t ReadListHead();
    template <class T> static T* As(TStreamable* obj);
    std::uint8_t ReadTag();
    std::uint8_t PeekTag();
    void ReadBytes(void* dest, std::size_t n);
    void Fill();
    [[noreturn]] static void WrongClass(const TStreamable* got);
    void CheckOwnership(TStreamable* root);
    void DestroyAll();

    TStream& fStream;
    std::vector<std::uint8_t> fBuffer;
    std::size_t fBufPos = 0;
    std::size_t fBufLen = 0;
    std::int64_t fLeft = 0; // bytes in the stream after the buffer
    std::vector<TStreamable*> fTable;
    std::vector<TStreamable*> fMade;
    std::string fClassName;
    bool fInRoot = false;
};

template <class T> std::unique_ptr<T> TNetReader::ReadRootAs() {
    std::unique_ptr<TStreamable> root = ReadRoot();
    if (!root) throw EDataError("The file holds no object");
    T* typed = dynamic_cast<T*>(root.get());
    if (!typed) WrongClass(root.get());
    root.release();
    return std::unique_ptr<T>(typed);
}

// Null for null; otherwise the object as a T, or the reader's error. Most references
// name exactly the class asked for, which a type comparison settles without the
// hierarchy walk of a dynamic_cast (this runs for every reference of a file).
template <class T> T* TNetReader::As(TStreamable* obj) {
    if (!obj) return nullptr;
    if (typeid(*obj) == typeid(T)) return static_cast<T*>(obj);
    T* typed = dynamic_cast<T*>(obj);
    if (!typed) WrongClass(obj);
    return typed;
}

template <class T> T* TNetReader::ReadObjectAs() { return As<T>(ReadObject()); }

template <class T> void TNetReader::ReadObjectListAs(std::vector<T*>& list) {
    list.clear();
    list.reserve(ReadListHead());
    while (!EndOfList()) list.push_back(As<T>(ReadObject()));
    ReadListEnd();
}

template <class T> void TNetReader::ReadOwnedListAs(std::vector<std::unique_ptr<T>>& list) {
    list.clear();
    list.reserve(ReadListHead());
    while (!EndOfList()) {
        T* obj = As<T>(ReadObject());
        if (!obj) throw EDataError("Invalid object list: an owned entry is empty");
        list.emplace_back(obj);
    }
    ReadListEnd();
}
