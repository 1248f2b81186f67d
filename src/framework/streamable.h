#pragma once

#include <cstdint>

class TNetReader;
class TNetWriter;
class TStreamable;

// Receives the parts an object owns, for walks that must not recurse.
class TOwnedVisitor {
public:
    virtual void Visit(TStreamable* part) = 0;

protected:
    ~TOwnedVisitor() = default;
};

// Base of every persistent class. The field order of a class's ReadFrom / WriteTo
// is its file format.
class TStreamable {
public:
    virtual ~TStreamable() = default;

    virtual const char* ClassName() const = 0;
    virtual void ReadFrom(TNetReader& reader) = 0;
    virtual void WriteTo(TNetWriter& writer) const = 0;
    // Number of objects this object stands for in a root block: itself and
    // everything it owns. Computed without recursion, so deep trees are safe.
    std::int32_t ObjectCount() const;
    // Called by the owner just before it destroys the object.
    virtual void Discard() {}

    // The parts this object owns (children, segments, chunks, entries).
    virtual void VisitOwned(TOwnedVisitor&) const {}
    // Lets go of owned parts without destroying them. Used only to unwind a read
    // that failed, where the reader destroys every object it made itself.
    virtual void DisownParts() {}

    // Scratch number for the reader's checks.
    std::uint32_t fStreamMark = 0;
};
