#include "model/classes.h"

#include "framework/registry.h"
#include "model/document.h"
#include "model/library.h"
#include "model/segments.h"

namespace {
template <class T> TStreamable* Make() { return new T(); }

bool RegisterAll() {
    auto& r = TClassRegistry::Instance();
    r.Register("TTextSegment", Make<TTextSegment>);
    r.Register("TQuestion", Make<TQuestion>);
    r.Register("TSyllabus", Make<TSyllabus>);
    r.Register("TExaminersReport", Make<TExaminersReport>);
    r.Register("TMarkScheme", Make<TMarkScheme>);
    r.Register("TNote", Make<TNote>);
    r.Register("TText", Make<TText>);
    r.Register("TCategory", Make<TCategory>);
    r.Register("TIdentityCategory", Make<TIdentityCategory>);
    r.Register("TDocContent", Make<TDocContent>);
    r.Register("TOwningDocContent", Make<TOwningDocContent>);
    r.Register("TDocument", Make<TDocument>);
    r.Register("TLibrary", Make<TLibrary>);
    r.Register("TResource", Make<TResource>);
    r.Register("TTextChunk", Make<TTextChunk>);
    return true;
}
} // namespace

void RegisterModelClasses() {
    static const bool done = RegisterAll();
    (void)done;
}
