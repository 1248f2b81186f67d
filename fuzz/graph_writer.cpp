#include "graph_writer.h"

#include "fixture_library.h"

#include "framework/netwriter.h"
#include "framework/stream.h"

#include <cctype>

int TGraphWriter::Add(std::string className) {
    fNodes.push_back({std::move(className), {}, 0});
    return static_cast<int>(fNodes.size()) - 1;
}

void TGraphWriter::SetFields(int object, Fields fields) {
    fNodes[static_cast<std::size_t>(object)].fields = std::move(fields);
}

void TGraphWriter::Ref(int object) {
    if (object < 0) {
        fOut->WriteInteger(-2);
        return;
    }
    Node& n = fNodes[static_cast<std::size_t>(object)];
    if (n.ordinal) {
        fOut->WriteInteger(n.ordinal);
        return;
    }
    n.ordinal = fNext++;
    fOut->WriteInteger(-1);
    fOut->WriteString(n.className);
    fOrder.push_back(object);
}

void TGraphWriter::List(const std::vector<int>& objects) {
    fOut->WriteListBegin();
    fOut->WriteInteger(static_cast<std::int32_t>(objects.size()));
    for (int o : objects)
        Ref(o);
    fOut->WriteListEnd();
}

void TGraphWriter::WriteBlock(TNetWriter& out, int root) {
    fOut = &out;
    fOrder.clear();
    fNext = 1;
    for (Node& n : fNodes)
        n.ordinal = 0;
    out.WriteInteger(static_cast<std::int32_t>(fNodes.size()));
    Ref(root);
    for (std::size_t i = 0; i < fOrder.size(); ++i) {
        Node& n = fNodes[static_cast<std::size_t>(fOrder[i])];
        if (n.fields) n.fields(*this);
    }
    fOut = nullptr;
}

namespace {

std::string Le32(std::uint32_t v) {
    std::string s;
    for (int k = 0; k < 4; ++k)
        s += static_cast<char>((v >> (8 * k)) & 0xFF);
    return s;
}

// Appends one stored text and returns its offset.
std::int32_t AddText(std::string& file, const std::vector<std::string>& lines) {
    auto at = static_cast<std::int32_t>(file.size());
    file += Le32(static_cast<std::uint32_t>(lines.size()));
    for (const auto& l : lines)
        file += Le32(static_cast<std::uint32_t>(l.size())) + l;
    return at;
}

class TLegacyGraph {
public:
    TLegacyGraph(int version, bool lower) : fVersion(version), fLower(lower) {}

    int Name(const char* className) {
        std::string n = className;
        if (fLower)
            for (char& c : n)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return g.Add(n);
    }

    int Chunk(std::int32_t offset) {
        int c = Name("TTextChunk");
        int v = fVersion;
        g.SetFields(c, [v, offset](TGraphWriter& w) {
            if (v < 6) w.Out().WriteBoolean(false);
            w.Out().WriteInteger(offset);
        });
        return c;
    }

    void Category(int c, int parent, const char* name, std::vector<int> children) {
        g.SetFields(c, [parent, name, children](TGraphWriter& w) {
            w.Ref(parent);
            w.Out().WriteString(name);
            w.List(children);
        });
    }

    struct Slots {
        int q = -1, s = -1, e = -1, m = -1, n = -1, r = -1;
    };
    void Identity(int c, int parent, const char* name, std::vector<int> children,
                  const char* idPart, Slots slots, std::vector<int> related) {
        int v = fVersion;
        g.SetFields(c, [=](TGraphWriter& w) {
            w.Ref(parent);
            w.Out().WriteString(name);
            w.List(children);
            w.Out().WriteString(idPart);
            w.Out().WriteString(name);
            for (int x : {slots.q, slots.s, slots.e, slots.m, slots.n})
                w.Ref(x);
            if (v >= 9) w.Ref(slots.r);
            w.List(related);
        });
    }

    void SegmentFields(TGraphWriter& w, int identity, int chunk, int marks) const {
        w.Ref(identity);
        w.Ref(chunk);
        w.Out().WriteInteger(marks);
        w.Out().WriteInteger(marks * 2);
        if (fVersion == 1) w.Out().WriteBoolean(true);
    }

    void Segment(int s, int identity, int chunk, int marks) {
        g.SetFields(s, [this, identity, chunk, marks](TGraphWriter& w) {
            SegmentFields(w, identity, chunk, marks);
        });
    }

    void Question(int s, int identity, int chunk, int marks, std::vector<int> topics, int type,
                  int level, std::vector<int> papers, std::vector<int> resources) {
        g.SetFields(s, [=, this](TGraphWriter& w) {
            SegmentFields(w, identity, chunk, marks);
            w.List(topics);
            w.Ref(type);
            w.Ref(level);
            w.List(papers);
            if (fVersion > 8) w.List(resources);
        });
    }

    TGraphWriter g;
    int fVersion;
    bool fLower;
};

} // namespace

TLegacyLibrary MakeLegacyLibrary(int version, bool lowerCaseNames) {
    TLegacyLibrary out;
    TLegacyGraph L(version, lowerCaseNames);
    const bool resources = version >= 9;
    int lib = L.Name("TLibrary");
    int topics = L.Name("TCategory"), forces = L.Name("TCategory");
    int types = L.Name("TCategory"), shortType = L.Name("TCategory");
    int levels = L.Name("TCategory");
    int papers = L.Name("TCategory"), paper1 = L.Name("TCategory");
    int qroot = L.Name("TIdentityCategory"), q1 = L.Name("TIdentityCategory");
    int q2 = L.Name("TIdentityCategory"), q2a = L.Name("TIdentityCategory");
    int sroot = L.Name("TIdentityCategory"), s1 = L.Name("TIdentityCategory");
    int rroot = resources ? L.Name("TIdentityCategory") : -1;
    int r1 = resources ? L.Name("TIdentityCategory") : -1;

    auto text = [&](const char* body) {
        return L.Chunk(AddText(out.Text, {std::string("{\\rtf1\\ansi ") + body + "\\par}"}));
    };
    int question1 = L.Name("TQuestion"), ms1 = L.Name("TMarkScheme");
    int question2a = L.Name("TQuestion"), rep2a = L.Name("TExaminersReport");
    int note2a = L.Name("TNote"), syl1 = L.Name("TSyllabus");
    int res1 = resources ? L.Name("TResource") : -1;

    L.g.SetFields(lib, [=](TGraphWriter& w) {
        w.Out().WriteString(kFixtureLibraryName);
        for (int root : {topics, types, levels, papers, qroot, sroot})
            w.Ref(root);
        if (resources) w.Ref(rroot);
    });
    L.Category(topics, -1, "All topics", {forces});
    L.Category(forces, topics, "Forces", {});
    L.Category(types, -1, "All types", {shortType});
    L.Category(shortType, types, "Short", {});
    L.Category(levels, -1, "All levels", {});
    L.Category(papers, -1, "All papers", {paper1});
    L.Category(paper1, papers, "Paper 1", {});
    L.Identity(qroot, -1, "All questions", {q1, q2}, "", {}, {});
    L.Identity(q1, qroot, "Falling ball", {}, "1", {question1, -1, -1, ms1, -1, -1}, {s1});
    L.Identity(q2, qroot, "Echoes", {q2a}, "2", {}, {});
    L.Identity(q2a, q2, "Echo time", {}, "a", {question2a, -1, rep2a, -1, note2a, -1}, {q1, s1});
    L.Identity(sroot, -1, "Syllabus", {s1}, "", {}, {});
    L.Identity(s1, sroot, "Forces", {}, "1", {-1, syl1, -1, -1, -1, -1}, {});
    if (resources) {
        L.Identity(rroot, -1, "All resources", {r1}, "", {}, {});
        L.Identity(r1, rroot, "Data sheet", {}, "DS", {-1, -1, -1, -1, -1, res1}, {});
    }
    L.Question(question1, q1, text("A ball falls."), 3, {forces}, shortType, -1, {paper1},
               resources ? std::vector<int>{r1} : std::vector<int>{});
    L.Segment(ms1, q1, text("g = 9.8"), 3);
    L.Question(question2a, q2a, text("An echo."), 4, {forces, topics}, -1, -1, {}, {});
    L.Segment(rep2a, q2a, text("Units."), 0);
    L.Segment(note2a, q2a, -1, 0); // a segment without a text
    L.Segment(syl1, s1, text("Forces and motion"), 0);
    if (resources) L.Segment(res1, r1, text("Data sheet"), 0);

    auto write = [&](bool header) {
        TMemoryStream s;
        TNetWriter w(s);
        w.WriteVersion(version);
        if (header) {
            w.WriteInteger(0);
            if (version > 7) w.WriteInteger(0);
        }
        L.g.WriteBlock(w, lib);
        w.Flush();
        return s.Data();
    };
    out.Data = write(true);
    out.Block = write(false);
    return out;
}

std::string MakeLegacyDocument(int version, bool lowerCaseNames, bool withFreeText) {
    std::string texts;
    TLegacyGraph L(version, lowerCaseNames);
    int doc = L.Name("TDocument");
    std::vector<int> entries;
    auto ref = [&](const char* id, bool numbered, int number) {
        int e = L.Name("TDocContent");
        std::string sid = id;
        L.g.SetFields(e, [=](TGraphWriter& w) {
            w.Out().WriteBoolean(numbered);
            w.Out().WriteInteger(number);
            w.Out().WriteString(sid);
        });
        entries.push_back(e);
    };
    auto freeText = [&](char tree, const char* id, const char* title, bool numbered) {
        int e = L.Name("TOwningDocContent");
        int t = L.Name("TText");
        int c = L.Chunk(4 + AddText(texts, {std::string("{\\rtf1 ") + title + "\\par}"}));
        L.g.SetFields(e, [=](TGraphWriter& w) {
            w.Out().WriteBoolean(numbered);
            w.Out().WriteInteger(0);
            w.Ref(t);
        });
        std::string sid = id, stitle = title;
        L.g.SetFields(t, [=](TGraphWriter& w) {
            if (version >= 10)
                w.Out().WriteChar(tree);
            else
                w.Out().WriteBoolean(tree == 'S');
            w.Out().WriteString(sid);
            w.Ref(c);
            w.Out().WriteInteger(2);
            w.Out().WriteInteger(4);
            w.Out().WriteString(stitle);
        });
        entries.push_back(e);
    };
    if (withFreeText) freeText('Q', "", "Test title", false);
    ref("Q1", true, 1);
    ref("M1", true, 1);
    if (withFreeText) freeText('Q', "2b", "Speed of sound (edited)", true);
    if (withFreeText) freeText('S', "4.1", "Sound notes", false);
    ref("Q2a", true, 3);
    ref("S4", false, 0);
    ref("RPW", false, 7);
    L.g.SetFields(doc, [entries](TGraphWriter& w) { w.List(entries); });

    TMemoryStream s;
    {
        TNetWriter w(s);
        w.WriteVersion(version);
        w.WriteString(kFixtureLibraryName);
        L.g.WriteBlock(w, doc);
        w.Flush();
    }
    return Le32(static_cast<std::uint32_t>(4 + texts.size())) + texts + s.Data();
}

namespace {
std::string Block(TGraphWriter& g, int root) {
    TMemoryStream s;
    TNetWriter w(s);
    w.WriteVersion(11);
    g.WriteBlock(w, root);
    w.Flush();
    return s.Data();
}
} // namespace

std::string MakeParentCycleBlock() {
    TGraphWriter g;
    int a = g.Add("TCategory"), b = g.Add("TCategory");
    g.SetFields(a, [b, a](TGraphWriter& w) {
        w.Ref(b);
        w.Out().WriteString("A");
        w.List({b});
        (void)a;
    });
    g.SetFields(b, [a](TGraphWriter& w) {
        w.Ref(a);
        w.Out().WriteString("B");
        w.List({});
    });
    return Block(g, a);
}

std::string MakeOwnedTwiceBlock() {
    TGraphWriter g;
    int root = g.Add("TCategory"), a = g.Add("TCategory"), b = g.Add("TCategory");
    int shared = g.Add("TCategory");
    g.SetFields(root, [=](TGraphWriter& w) {
        w.Ref(-1);
        w.Out().WriteString("Root");
        w.List({a, b});
    });
    for (int x : {a, b})
        g.SetFields(x, [=](TGraphWriter& w) {
            w.Ref(root);
            w.Out().WriteString("Owner");
            w.List({shared});
        });
    g.SetFields(shared, [=](TGraphWriter& w) {
        w.Ref(a);
        w.Out().WriteString("Shared");
        w.List({});
    });
    return Block(g, root);
}
