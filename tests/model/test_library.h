#pragma once

// Builders for the model tests: a small library in memory, raw object streams for
// hand-made (and malformed) files, and an independent encoder of the older file
// versions the program must still read.

#include "framework/netwriter.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/classes.h"
#include "model/document.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace qbtest {

// Values in the stream encoding, written one after another.
class RawStream {
public:
    RawStream() : fWriter(std::make_unique<TNetWriter>(fStream)) {}
    RawStream& Int(std::int32_t v) {
        return Do([&] { fWriter->WriteInteger(v); });
    }
    RawStream& Str(std::string_view s) {
        return Do([&] { fWriter->WriteString(s); });
    }
    RawStream& Char(char c) {
        return Do([&] { fWriter->WriteChar(c); });
    }
    RawStream& Bool(bool b) {
        return Do([&] { fWriter->WriteBoolean(b); });
    }
    RawStream& Null() { return Int(-2); }
    RawStream& New(std::string_view className) { return Int(-1).Str(className); }
    RawStream& Ref(std::int32_t ordinal) { return Int(ordinal); }
    RawStream& Begin(std::int32_t count) {
        Do([&] { fWriter->WriteListBegin(); });
        return Int(count);
    }
    RawStream& End() {
        return Do([&] { fWriter->WriteListEnd(); });
    }
    RawStream& Bytes(std::string_view raw) {
        fWriter->Flush();
        fStream.Write(raw.data(), raw.size());
        return *this;
    }
    std::string Data() {
        fWriter->Flush();
        return fStream.Data();
    }

private:
    template <class F> RawStream& Do(F f) {
        f();
        return *this;
    }
    TMemoryStream fStream;
    std::unique_ptr<TNetWriter> fWriter;
};

inline std::string Int32Bytes(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    std::string s;
    for (int k = 0; k < 4; ++k)
        s += static_cast<char>((u >> (8 * k)) & 0xFF);
    return s;
}

// A stored text in the store format: count, then each line's length and bytes.
inline std::string StoredText(const std::vector<std::string>& lines) {
    std::string s = Int32Bytes(static_cast<std::int32_t>(lines.size()));
    for (const auto& l : lines)
        s += Int32Bytes(static_cast<std::int32_t>(l.size())) + l;
    return s;
}

inline TMemoryStream& MemoryOf(TTextStore& store) {
    return dynamic_cast<TMemoryStream&>(store.Stream());
}

// Appends a one-line text to a store and returns a chunk bound to it.
inline std::unique_ptr<TTextChunk> StoreText(TTextStore& store, const std::string& line) {
    auto chunk = std::make_unique<TTextChunk>();
    TStream& s = store.Stream();
    chunk->Offset = static_cast<std::int32_t>(s.SeekEnd());
    std::string bytes = StoredText({line});
    s.Write(bytes.data(), bytes.size());
    chunk->Store = &store;
    return chunk;
}

inline std::unique_ptr<TTextChunk> MemoryText(const std::string& line) {
    auto chunk = std::make_unique<TTextChunk>();
    chunk->GetLines().push_back(line);
    return chunk;
}

// The category reached from `root` by child names joined with "/" ("" is the root).
inline TCategory* Node(const TCategory* root, std::string_view path) {
    const TCategory* c = root;
    while (c && !path.empty()) {
        auto slash = path.find('/');
        std::string_view name = path.substr(0, slash);
        const TCategory* next = nullptr;
        for (const auto& child : c->Children)
            if (child->Name == name) {
                next = child.get();
                break;
            }
        c = next;
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return const_cast<TCategory*>(c);
}

// A small physics library, with its texts in a memory store:
//   topics  Mechanics/{Forces, Energy}, Waves/Sound
//   types   Multiple choice, Structured, Practical
//   levels  Foundation, Higher;  papers Paper 1, Paper 2
//   questions (by full identifier)
//     1   Q M E N   Forces; Multiple choice; Foundation; Paper 1; resources 7
//     2a  Q M       Energy, Sound; Structured; Higher; Paper 1, Paper 2
//     2b  Q         Energy; Structured; Foundation; no papers; resources 8
//     3   Q         Sound; Practical; no level; Paper 2; resources 7, 8
//     (2 itself holds no question)
//   syllabus 4 -> 4.1 (S), related to question 1;  resources 7 (R), 8 (R)
struct SampleLibrary {
    SampleLibrary() {
        RegisterModelClasses();
        store = std::make_unique<TTextStore>(std::make_unique<TMemoryStream>());
        lib = std::make_unique<TLibrary>();
        lib->Name = "Physics";
        lib->TopicRoot = std::make_unique<TCategory>("Topics");
        lib->QuestionTypeRoot = std::make_unique<TCategory>("Question types");
        lib->LevelRoot = std::make_unique<TCategory>("Levels");
        lib->PaperRoot = std::make_unique<TCategory>("Papers");
        lib->QuestionRoot = std::make_unique<TIdentityCategory>();
        lib->QuestionRoot->Name = "Questions";
        lib->SyllabusRoot = std::make_unique<TIdentityCategory>();
        lib->SyllabusRoot->Name = "Syllabus";
        lib->ResourceRoot = std::make_unique<TIdentityCategory>();
        lib->ResourceRoot->Name = "Resources";

        auto* mech = lib->TopicRoot->AddChild(std::make_unique<TCategory>("Mechanics"));
        forces = mech->AddChild(std::make_unique<TCategory>("Forces"));
        energy = mech->AddChild(std::make_unique<TCategory>("Energy"));
        auto* waves = lib->TopicRoot->AddChild(std::make_unique<TCategory>("Waves"));
        sound = waves->AddChild(std::make_unique<TCategory>("Sound"));
        mc = lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Multiple choice"));
        structured = lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Structured"));
        practical = lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Practical"));
        foundation = lib->LevelRoot->AddChild(std::make_unique<TCategory>("Foundation"));
        higher = lib->LevelRoot->AddChild(std::make_unique<TCategory>("Higher"));
        paper1 = lib->PaperRoot->AddChild(std::make_unique<TCategory>("Paper 1"));
        paper2 = lib->PaperRoot->AddChild(std::make_unique<TCategory>("Paper 2"));

        r7 = lib->ResourceRoot->AddChild(std::make_unique<TIdentityCategory>("7", "Data sheet"));
        r8 = lib->ResourceRoot->AddChild(std::make_unique<TIdentityCategory>("8", "Worksheet"));
        Text(r7, std::make_unique<TResource>(), "R7");
        Text(r8, std::make_unique<TResource>(), "R8");

        id1 = lib->QuestionRoot->AddChild(
            std::make_unique<TIdentityCategory>("1", "Forces on a car"));
        id2 = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("2", "Energy"));
        id2a = id2->AddChild(std::make_unique<TIdentityCategory>("a", "Kinetic energy"));
        id2b = id2->AddChild(std::make_unique<TIdentityCategory>("b", "Potential energy"));
        id3 = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("3", "Echoes"));

        q1 = Question(id1, {forces}, mc, foundation, {paper1}, {r7}, 3, 4);
        Text(id1, std::make_unique<TMarkScheme>(), "M1");
        Text(id1, std::make_unique<TExaminersReport>(), "E1");
        Text(id1, std::make_unique<TNote>(), "N1");
        q2a = Question(id2a, {energy, sound}, structured, higher, {paper1, paper2}, {}, 6, 10);
        Text(id2a, std::make_unique<TMarkScheme>(), "M2a");
        q2b = Question(id2b, {energy}, structured, foundation, {}, {r8}, 2, 3);
        q3 = Question(id3, {sound}, practical, nullptr, {paper2}, {r7, r8}, 5, 8);

        auto* s4 = lib->SyllabusRoot->AddChild(std::make_unique<TIdentityCategory>("4", "Motion"));
        s41 = s4->AddChild(std::make_unique<TIdentityCategory>(".1", "Speed"));
        Text(s41, std::make_unique<TSyllabus>(), "S4.1");
        s41->Related.push_back(id1);
        id1->Related.push_back(s41);
    }

    template <class T>
    T* Text(TIdentityCategory* id, std::unique_ptr<T> seg, const std::string& rtf) {
        seg->Chunk = StoreText(*store, "{\\rtf1 " + rtf + "}");
        return id->SetSegment(std::move(seg));
    }

    TQuestion* Question(TIdentityCategory* id, std::vector<TCategory*> topics, TCategory* type,
                        TCategory* level, std::vector<TCategory*> papers,
                        std::vector<TIdentityCategory*> resources, std::int16_t marks,
                        std::int16_t time) {
        auto q = std::make_unique<TQuestion>();
        q->Topics = std::move(topics);
        q->QuestionType = type;
        q->Level = level;
        q->Papers = std::move(papers);
        q->Resources = std::move(resources);
        q->Marks = marks;
        q->Time = time;
        return Text(id, std::move(q), "Q" + FullID(*id));
    }

    std::unique_ptr<TTextStore> store; // declared first: outlives the library's chunks
    std::unique_ptr<TLibrary> lib;
    TCategory *forces, *energy, *sound, *mc, *structured, *practical, *foundation, *higher, *paper1,
        *paper2;
    TIdentityCategory *id1, *id2, *id2a, *id2b, *id3, *s41, *r7, *r8;
    TQuestion *q1, *q2a, *q2b, *q3;
};

// Writes libraries and documents in the field forms of any file version, the way an
// older program (or another implementation) would have written them. Independent of
// the program's own writer, so that the two can check each other.
class ReferenceEncoder {
public:
    ReferenceEncoder(std::int32_t version, const TLibrary* library = nullptr)
        : fVersion(version), fLibrary(library) {}

    // Raw integers to write instead of a segment's Marks (other tools may store more
    // than 16 bits).
    std::map<const TTextSegment*, std::int32_t> rawMarks;

    std::string LibraryFile(const TLibrary& lib) {
        fLibrary = &lib;
        fOut.Int(fVersion).Int(0);
        if (fVersion > 7) fOut.Int(0);
        RootBlock(lib);
        return fOut.Data();
    }

    // A whole document file: the free texts first, then the object data.
    std::string DocumentFile(const TDocument& doc, const std::string& libraryName) {
        std::string texts;
        for (const auto& e : doc.Entries) {
            auto* text = dynamic_cast<const TText*>(e->Segment);
            if (!text || !text->Chunk) continue;
            fChunkOffsets[text->Chunk.get()] = static_cast<std::int32_t>(4 + texts.size());
            texts += StoredText(text->Chunk->GetLines());
        }
        fOut.Int(fVersion).Str(libraryName);
        RootBlock(doc);
        return Int32Bytes(static_cast<std::int32_t>(4 + texts.size())) + texts + fOut.Data();
    }

private:
    void RootBlock(const TStreamable& root) {
        fOut.Int(root.ObjectCount());
        Ref(&root);
        for (std::size_t i = 0; i < fOrder.size(); ++i)
            Fields(fOrder[i]);
    }

    void Ref(const TStreamable* o) {
        if (!o) {
            fOut.Null();
            return;
        }
        if (auto it = fOrdinals.find(o); it != fOrdinals.end()) {
            fOut.Ref(it->second);
            return;
        }
        fOrdinals[o] = static_cast<std::int32_t>(fOrder.size() + 1);
        fOrder.push_back(o);
        fOut.New(o->ClassName());
    }

    template <class List> void RefList(const List& list) {
        fOut.Begin(static_cast<std::int32_t>(list.size()));
        for (const auto& x : list) {
            if constexpr (requires { x.get(); })
                Ref(x.get());
            else
                Ref(x);
        }
        fOut.End();
    }

    void Fields(const TStreamable* o) {
        if (auto* lib = dynamic_cast<const TLibrary*>(o)) {
            fOut.Str(lib->Name);
            const TCategory* roots[] = {lib->TopicRoot.get(),    lib->QuestionTypeRoot.get(),
                                        lib->LevelRoot.get(),    lib->PaperRoot.get(),
                                        lib->QuestionRoot.get(), lib->SyllabusRoot.get()};
            for (const TCategory* r : roots)
                Ref(r);
            if (fVersion >= 9) Ref(lib->ResourceRoot.get());
        } else if (auto* cat = dynamic_cast<const TCategory*>(o)) {
            Ref(cat->Parent);
            fOut.Str(cat->Name);
            RefList(cat->Children);
            if (auto* id = dynamic_cast<const TIdentityCategory*>(o)) {
                fOut.Str(id->IDPart).Str(id->Title);
                for (auto* slot : {&id->Question, &id->Syllabus, &id->ExaminersReport,
                                   &id->MarkScheme, &id->Note})
                    Ref(slot->get());
                if (fVersion >= 9) Ref(id->Resource.get());
                RefList(id->Related);
            }
        } else if (auto* text = dynamic_cast<const TText*>(o)) {
            char tree = TreeCharOf(text->Identity, fLibrary);
            if (fVersion >= 10)
                fOut.Char(tree);
            else
                fOut.Bool(tree == 'S');
            fOut.Str(text->Identity ? FullID(*text->Identity) : std::string());
            Ref(text->Chunk.get());
            fOut.Int(text->Marks).Int(text->Time).Str(text->Title);
        } else if (auto* seg = dynamic_cast<const TTextSegment*>(o)) {
            Ref(seg->Identity);
            Ref(seg->Chunk.get());
            auto raw = rawMarks.find(seg);
            fOut.Int(raw != rawMarks.end() ? raw->second : seg->Marks).Int(seg->Time);
            if (fVersion == 1) fOut.Bool(true);
            if (auto* q = dynamic_cast<const TQuestion*>(o)) {
                RefList(q->Topics);
                Ref(q->QuestionType);
                Ref(q->Level);
                RefList(q->Papers);
                if (fVersion > 8) RefList(q->Resources);
            }
        } else if (auto* chunk = dynamic_cast<const TTextChunk*>(o)) {
            if (fVersion < 6) fOut.Bool(true);
            auto at = fChunkOffsets.find(chunk);
            fOut.Int(at != fChunkOffsets.end() ? at->second : chunk->Offset);
        } else if (auto* doc = dynamic_cast<const TDocument*>(o)) {
            RefList(doc->Entries);
        } else if (auto* owning = dynamic_cast<const TOwningDocContent*>(o)) {
            fOut.Bool(owning->Numbered).Int(owning->Number);
            Ref(owning->Text());
        } else if (auto* entry = dynamic_cast<const TDocContent*>(o)) {
            fOut.Bool(entry->Numbered).Int(entry->Number).Str(entry->Segment->GetID());
        }
    }

    std::int32_t fVersion;
    const TLibrary* fLibrary;
    RawStream fOut;
    std::map<const TStreamable*, std::int32_t> fOrdinals;
    std::vector<const TStreamable*> fOrder;
    std::map<const TTextChunk*, std::int32_t> fChunkOffsets;
};

// A fresh folder, removed with its contents.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qb_model_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        fPath = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return fPath + "/" + name; }
    const std::string& Path() const { return fPath; }

private:
    std::string fPath;
};

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string LibraryBytes(const TLibrary& lib) {
    TMemoryStream stream;
    WriteLibraryData(stream, lib);
    return stream.Data();
}

} // namespace qbtest
