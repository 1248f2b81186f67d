#include "library_source.h"

#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "rtf_text_check.h"
#include "source_files.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

namespace fs = std::filesystem;

namespace {

// Far beyond any real manifest; a name that leads to an endless file stops here.
constexpr std::uintmax_t kMaxManifestSize = std::uintmax_t{64} << 20;
// A stored line's length is a signed 32-bit count.
constexpr std::uintmax_t kMaxTextSize = 0x7FFF0000u;

enum class TTree { Topics, Types, Levels, Papers, Questions, Syllabus, Resources };
constexpr std::size_t kTreeCount = 7;

struct TTreeInfo {
    const char* Keyword;
    const char* DefaultRoot;
    const char* CategoryWord; // what one category of the tree is called in messages
};
constexpr std::array<TTreeInfo, kTreeCount> kTrees = {{
    {"topics", "All topics", "topic"},
    {"types", "All question types", "question type"},
    {"levels", "All levels", "level"},
    {"papers", "All papers", "paper"},
    {"questions", "All questions", "question"},
    {"syllabus", "Specification", "specification point"},
    {"resources", "All resources", "resource"},
}};

bool IsIdentityTree(TTree tree) {
    return tree == TTree::Questions || tree == TTree::Syllabus || tree == TTree::Resources;
}

struct TSegmentKeyword {
    const char* Keyword;
    char Kind;
    TTree Tree;
};
constexpr TSegmentKeyword kSegmentKeywords[] = {
    {"question", 'Q', TTree::Questions}, {"markscheme", 'M', TTree::Questions},
    {"report", 'E', TTree::Questions},   {"note", 'N', TTree::Questions},
    {"syllabus", 'S', TTree::Syllabus},  {"resource", 'R', TTree::Resources},
};

// Lines that classify a question; resolved once every tree is known.
constexpr const char* kQuestionKeywords[] = {"topics", "type", "level", "papers", "resources"};

std::unique_ptr<TTextSegment> MakeSegment(char kind) {
    switch (kind) {
    case 'Q':
        return std::make_unique<TQuestion>();
    case 'M':
        return std::make_unique<TMarkScheme>();
    case 'E':
        return std::make_unique<TExaminersReport>();
    case 'N':
        return std::make_unique<TNote>();
    case 'S':
        return std::make_unique<TSyllabus>();
    default:
        return std::make_unique<TResource>();
    }
}

// Marks or time: a whole number that fits the segment's 16-bit field.
bool ParseCount(const std::string& word, std::int16_t& value) {
    if (word.empty() || word.size() > 5) return false;
    int n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n > 32767) return false;
    value = static_cast<std::int16_t>(n);
    return true;
}

class TSourceParser {
public:
    TSourceParser(const std::string& sourceDir, std::vector<TSourceError>& errors)
        : fDir(sourceDir), fManifest((fs::path(sourceDir) / kManifestName).string()),
          fErrors(errors) {
        auto& lib = *fResult.Library;
        lib.TopicRoot = std::make_unique<TCategory>(kTrees[0].DefaultRoot);
        lib.QuestionTypeRoot = std::make_unique<TCategory>(kTrees[1].DefaultRoot);
        lib.LevelRoot = std::make_unique<TCategory>(kTrees[2].DefaultRoot);
        lib.PaperRoot = std::make_unique<TCategory>(kTrees[3].DefaultRoot);
        lib.QuestionRoot = std::make_unique<TIdentityCategory>();
        lib.SyllabusRoot = std::make_unique<TIdentityCategory>();
        lib.ResourceRoot = std::make_unique<TIdentityCategory>();
        TCategory* roots[kTreeCount] = {lib.TopicRoot.get(),    lib.QuestionTypeRoot.get(),
                                        lib.LevelRoot.get(),    lib.PaperRoot.get(),
                                        lib.QuestionRoot.get(), lib.SyllabusRoot.get(),
                                        lib.ResourceRoot.get()};
        for (std::size_t t = 0; t < kTreeCount; ++t) {
            fTrees[t].Root = roots[t];
            roots[t]->Name = kTrees[t].DefaultRoot;
        }
    }

    TParsedLibrary Parse() {
        std::string text;
        switch (ReadSourceFile(fManifest, kMaxManifestSize, text)) {
        case TSourceRead::Done:
            break;
        case TSourceRead::NotAFile:
            Error(0, "the manifest is not a regular file");
            return std::move(fResult);
        case TSourceRead::TooLarge:
            Error(0,
                  "the manifest is larger than " + std::to_string(kMaxManifestSize >> 20) + " MB");
            return std::move(fResult);
        default:
            Error(0, "cannot read the manifest (a source folder holds " +
                         std::string(kManifestName) + ")");
            return std::move(fResult);
        }
        for (const TSourceLine& line : SplitSourceLines(text, fManifest, fErrors))
            Statement(line);
        if (fResult.NameLine == 0)
            Error(1, "the manifest has no \"library\" line naming the library");
        for (std::size_t t = 0; t < kTreeCount; ++t)
            if (IsIdentityTree(static_cast<TTree>(t))) IndexIdentities(fTrees[t]);
        for (const TPending& pending : fPending)
            Resolve(pending);
        return std::move(fResult);
    }

private:
    struct TTreeState {
        TCategory* Root = nullptr;
        int Line = 0; // of its "tree" statement
        std::unordered_map<std::string, TCategory*> ByPath;
        std::unordered_map<std::string, TIdentityCategory*> ByFullID;
    };
    struct TNodeInfo {
        int Line = 0;
        bool HasChildren = false;
        std::map<std::string, int> Used; // keyword lines given, with their line
    };
    struct TPending {
        int Line;
        TIdentityCategory* Owner;
        std::vector<std::string> Words; // keyword first
    };

    void Error(int line, std::string message) {
        fErrors.push_back({fManifest, line, std::move(message)});
    }

    // A word converted to the files' code page, or nothing when it cannot be.
    std::optional<std::string> Convert(int line, const std::string& word, const char* what,
                                       std::size_t maxLength = 0) {
        std::string problem;
        std::optional<std::string> converted = ToCodePage(word, problem);
        if (!converted) {
            Error(line, std::string(what) + " " + Quoted(word) + ": " + problem);
            return std::nullopt;
        }
        // Too long is reported but kept, so that the lines that refer to it do not
        // report errors of their own.
        if (maxLength && converted->size() > maxLength)
            Error(line, std::string(what) + " " + Quoted(word) + " is longer than " +
                            std::to_string(maxLength) + " characters");
        return converted;
    }

    void Statement(const TSourceLine& line) {
        if (line.Depth == 0) {
            fTree = -1;
            TopStatement(line);
            return;
        }
        if (fTree < 0) {
            Error(line.Number, "an indented line must belong to a tree (a \"tree\" line above it)");
            return;
        }
        if (static_cast<std::size_t>(line.Depth) > fStack.size()) {
            Error(line.Number, "indented more than one level deeper than the line it belongs to");
            return;
        }
        fStack.resize(static_cast<std::size_t>(line.Depth));
        auto tree = static_cast<TTree>(fTree);
        if (!IsIdentityTree(tree))
            CategoryLine(line);
        else if (line.Words[0] == "id")
            IdentityLine(line);
        else
            AttributeLine(line, tree);
    }

    void TopStatement(const TSourceLine& line) {
        const std::string& keyword = line.Words[0];
        if (keyword == "template") {
            TemplateStatement(line);
            return;
        }
        if (keyword == "library" || keyword == "organisation") {
            bool isName = keyword == "library";
            int& seen = isName ? fResult.NameLine : fOrganisationLine;
            if (seen) {
                Error(line.Number,
                      "\"" + keyword + "\" was already given at line " + std::to_string(seen));
                return;
            }
            seen = line.Number;
            if (line.Words.size() != 2) {
                Error(line.Number, "\"" + keyword + "\" takes one word (quote a name with spaces)");
                return;
            }
            auto value = Convert(line.Number, line.Words[1],
                                 isName ? "the library name" : "the organisation",
                                 isName ? kMaxNameLength : 0);
            if (!value) return;
            if (value->empty()) Error(line.Number, "the " + keyword + " name is empty");
            (isName ? fResult.Library->Name : fResult.Organisation) = *value;
            return;
        }
        if (keyword == "tree") {
            TreeStatement(line);
            return;
        }
        Error(line.Number, "unknown statement " + Quoted(keyword) +
                               " (at the top: library, organisation, template or tree)");
    }

    // The mark sheet template that goes with the library, a file of the source folder.
    void TemplateStatement(const TSourceLine& line) {
        if (fTemplateLine) {
            Error(line.Number,
                  "\"template\" was already given at line " + std::to_string(fTemplateLine));
            return;
        }
        fTemplateLine = line.Number;
        const std::string& name = line.Words.size() == 2 ? line.Words[1] : std::string();
        if (name.empty() || name.find_first_of("/\\") != std::string::npos || name[0] == '.') {
            Error(line.Number, "\"template\" takes the name of one file of the source folder");
            return;
        }
        if (!fs::is_regular_file(fs::path(fDir) / name)) {
            Error(line.Number, "the template " + Quoted(name) + " is not in the source folder");
            return;
        }
        fResult.Template = name;
    }

    void TreeStatement(const TSourceLine& line) {
        if (line.Words.size() != 3) {
            Error(line.Number, "a tree line is: tree KIND ROOT-NAME");
            return;
        }
        std::size_t t = 0;
        while (t < kTreeCount && line.Words[1] != kTrees[t].Keyword)
            ++t;
        if (t == kTreeCount) {
            Error(line.Number, "unknown tree " + Quoted(line.Words[1]) +
                                   ": one of topics, types, levels, papers, questions, "
                                   "syllabus, resources");
            return;
        }
        TTreeState& state = fTrees[t];
        if (state.Line) {
            Error(line.Number, "the " + line.Words[1] + " tree was already given at line " +
                                   std::to_string(state.Line));
            return;
        }
        state.Line = line.Number;
        fTree = static_cast<int>(t);
        fStack = {state.Root};
        if (auto name = Convert(line.Number, line.Words[2], "the root name", kMaxNameLength))
            state.Root->Name = *name;
    }

    void CategoryLine(const TSourceLine& line) {
        TCategory* parent = fStack.back();
        auto* category = parent->AddChild(std::make_unique<TCategory>());
        fStack.push_back(category);
        if (line.Words.size() != 1) {
            Error(line.Number,
                  "a category line holds one word, the category's name (quote a name with spaces)");
            return;
        }
        const std::string& word = line.Words[0];
        auto name = Convert(line.Number, word, "the category name", kMaxNameLength);
        if (!name) return;
        if (name->empty() || name->front() == ' ' || name->back() == ' ' ||
            name->find('/') != std::string::npos) {
            Error(line.Number, "the category name " + Quoted(word) +
                                   " must not be empty, start or end with a space, or hold /");
            return;
        }
        category->Name = *name;
        const std::string& parentPath = fPathOf[parent];
        std::string path = parentPath.empty() ? *name : parentPath + "/" + *name;
        TTreeState& state = fTrees[static_cast<std::size_t>(fTree)];
        auto [it, added] = state.ByPath.emplace(path, category);
        if (!added) {
            Error(line.Number,
                  "the " + std::string(kTrees[static_cast<std::size_t>(fTree)].CategoryWord) + " " +
                      Quoted(word) + " is already defined at line " +
                      std::to_string(fInfo[it->second].Line));
            return;
        }
        fPathOf[category] = path;
        fInfo[category].Line = line.Number;
    }

    void IdentityLine(const TSourceLine& line) {
        auto* parent = static_cast<TIdentityCategory*>(fStack.back());
        fInfo[parent].HasChildren = true;
        auto* node = parent->AddChild(std::make_unique<TIdentityCategory>());
        fStack.push_back(node);
        fInfo[node].Line = line.Number;
        const auto& w = line.Words;
        if (w.size() < 3 || w.size() > 4) {
            Error(line.Number, "an id line is: id PIECE NAME [TITLE]");
            return;
        }
        if (auto piece = Convert(line.Number, w[1], "the identifier piece", kMaxIDPartLength)) {
            if (piece->empty()) Error(line.Number, "the identifier piece is empty");
            node->IDPart = *piece;
        }
        if (auto name = Convert(line.Number, w[2], "the name", kMaxNameLength)) {
            if (name->empty()) Error(line.Number, "the name is empty");
            node->Name = *name;
            if (w.size() == 3) node->Title = *name;
        }
        if (w.size() == 4)
            if (auto title = Convert(line.Number, w[3], "the title", kMaxTitleLength))
                node->Title = *title;
    }

    void AttributeLine(const TSourceLine& line, TTree tree) {
        const std::string& keyword = line.Words[0];
        if (fStack.size() < 2) {
            Error(line.Number, "a " + Quoted(keyword) +
                                   " line describes an identity: indent it below an id line");
            return;
        }
        auto* owner = static_cast<TIdentityCategory*>(fStack.back());
        TNodeInfo& info = fInfo[owner];
        if (info.HasChildren) {
            Error(line.Number,
                  "the lines that describe an identity come before its children (id lines)");
            return;
        }
        for (const TSegmentKeyword& s : kSegmentKeywords) {
            if (keyword != s.Keyword) continue;
            if (tree != s.Tree) {
                Error(line.Number, "a " + keyword + " text belongs in the " +
                                       kTrees[static_cast<std::size_t>(s.Tree)].Keyword + " tree");
                return;
            }
            if (Once(line, info)) SegmentLine(line, *owner, s.Kind);
            return;
        }
        bool classifies = false;
        for (const char* k : kQuestionKeywords)
            classifies = classifies || keyword == k;
        if (classifies && tree != TTree::Questions) {
            Error(line.Number, "\"" + keyword + "\" lines belong in the questions tree");
            return;
        }
        if (!classifies && keyword != "related") {
            Error(line.Number, "unknown keyword " + Quoted(keyword));
            return;
        }
        if (!Once(line, info)) return;
        bool single = keyword == "type" || keyword == "level";
        if (line.Words.size() < 2 || (single && line.Words.size() != 2)) {
            Error(line.Number,
                  "\"" + keyword + "\" takes " + (single ? "one word" : "one or more words"));
            return;
        }
        fPending.push_back({line.Number, owner, line.Words});
    }

    // Whether the line's keyword is new on this identity; reports it otherwise.
    bool Once(const TSourceLine& line, TNodeInfo& info) {
        auto [it, added] = info.Used.emplace(line.Words[0], line.Number);
        if (!added)
            Error(line.Number, "\"" + line.Words[0] +
                                   "\" is given twice for this identity (first at line " +
                                   std::to_string(it->second) + ")");
        return added;
    }

    void SegmentLine(const TSourceLine& line, TIdentityCategory& owner, char kind) {
        const auto& w = line.Words;
        if (w.size() < 2) {
            Error(line.Number, "\"" + w[0] + "\" needs the path of its RTF file");
            return;
        }
        std::int16_t values[2] = {0, 0}; // marks, time
        bool given[2] = {false, false};
        for (std::size_t i = 2; i < w.size(); i += 2) {
            int which = w[i] == "marks" ? 0 : w[i] == "time" ? 1 : -1;
            if (which < 0 || i + 1 >= w.size()) {
                Error(line.Number, "expected \"marks N\" or \"time N\" after the file name");
                return;
            }
            if (given[which]) {
                Error(line.Number, "\"" + w[i] + "\" is given twice");
                return;
            }
            given[which] = true;
            if (!ParseCount(w[i + 1], values[which])) {
                Error(line.Number,
                      w[i] + " must be a whole number from 0 to 32767, not " + Quoted(w[i + 1]));
                return;
            }
        }
        std::string rtf;
        if (!ReadText(line.Number, w[1], rtf)) return;
        TTextSegment* segment = owner.SetSegment(MakeSegment(kind));
        segment->Marks = values[0];
        segment->Time = values[1];
        segment->Chunk = MakeChunk({rtf});
    }

    bool ReadText(int line, const std::string& path, std::string& rtf) {
        if (path.find('\\') != std::string::npos) {
            Error(line, "write / between folders in the file path " + Quoted(path));
            return false;
        }
        fs::path relative(path);
        if (path.empty() || relative.is_absolute()) {
            Error(line, "the file path " + Quoted(path) + " must be relative to the source folder");
            return false;
        }
        for (const fs::path& part : relative)
            if (part == "..") {
                Error(line, "the file path " + Quoted(path) + " may not leave the source folder");
                return false;
            }
        fs::path full = fs::path(fDir) / relative;
        std::error_code error;
        if (fs::exists(full, error) && !ResolvesInside(full, fDir)) {
            Error(line, "the file path " + Quoted(path) +
                            " may not leave the source folder (it is a link to a file outside)");
            return false;
        }
        switch (ReadSourceFile(full, kMaxTextSize, rtf)) {
        case TSourceRead::Done:
            break;
        case TSourceRead::Missing:
            Error(line, "the text file " + Quoted(path) + " does not exist");
            return false;
        case TSourceRead::NotAFile:
            Error(line, "the text file " + Quoted(path) + " is not a file");
            return false;
        case TSourceRead::TooLarge:
            Error(line, "the text file " + Quoted(path) + " is too large");
            return false;
        case TSourceRead::Unreadable:
            Error(line, "cannot read the text file " + Quoted(path));
            return false;
        }
        TRtfProblem problem;
        if (!CheckRtfText(rtf, problem)) {
            fErrors.push_back({full.string(), problem.Line, problem.Message});
            return false;
        }
        return true;
    }

    // Indexes every identity by its full identifier. The program finds an identity by
    // reading its identifier piece by piece through the tree, which finds the first
    // node in pre-order that spells it; a later node spelling the same identifier
    // could never be reached.
    void IndexIdentities(TTreeState& state) {
        TCategoryIterator it(state.Root);
        it.Next(); // the root has no identifier of its own
        while (TCategory* c = it.Next()) {
            auto* node = static_cast<TIdentityCategory*>(c);
            std::string id = FullID(*node);
            auto [found, added] = state.ByFullID.emplace(id, node);
            if (!added)
                Error(fInfo[node].Line, "the identifier " + Quoted(id) +
                                            " is already used by the identity at line " +
                                            std::to_string(fInfo[found->second].Line));
        }
    }

    TTreeState& Tree(TTree tree) { return fTrees[static_cast<std::size_t>(tree)]; }

    void Resolve(const TPending& p) {
        const std::string& keyword = p.Words[0];
        if (keyword == "related") {
            ResolveRelated(p);
            return;
        }
        auto* question = static_cast<TQuestion*>(p.Owner->Question.get());
        if (!question) {
            // A question line that failed has been reported already.
            if (fInfo[p.Owner].Used.count("question")) return;
            Error(p.Line,
                  "\"" + keyword + "\" classifies a question: this identity has no question line");
            return;
        }
        if (keyword == "resources") {
            std::vector<TIdentityCategory*> found;
            for (std::size_t i = 1; i < p.Words.size(); ++i)
                if (auto* r = FindIdentity(p.Line, TTree::Resources, p.Words[i]))
                    AddOnce(p.Line, found, r, p.Words[i]);
            question->Resources = found;
            return;
        }
        TTree tree = keyword == "topics"  ? TTree::Topics
                     : keyword == "type"  ? TTree::Types
                     : keyword == "level" ? TTree::Levels
                                          : TTree::Papers;
        std::vector<TCategory*> found;
        for (std::size_t i = 1; i < p.Words.size(); ++i)
            if (TCategory* c = FindCategory(p.Line, tree, p.Words[i]))
                AddOnce(p.Line, found, c, p.Words[i]);
        if (tree == TTree::Topics) question->Topics = found;
        if (tree == TTree::Papers) question->Papers = found;
        if (tree == TTree::Types && !found.empty()) question->QuestionType = found[0];
        if (tree == TTree::Levels && !found.empty()) question->Level = found[0];
    }

    void ResolveRelated(const TPending& p) {
        std::vector<TIdentityCategory*> found;
        for (std::size_t i = 1; i < p.Words.size(); ++i) {
            const std::string& word = p.Words[i];
            char t = word.size() >= 2 && word[1] == ':' ? word[0] : 0;
            if (t != 'Q' && t != 'S' && t != 'R') {
                Error(p.Line, "a related identity is written T:ID with T one of Q, S, R, not " +
                                  Quoted(word));
                continue;
            }
            TTree tree = t == 'Q'   ? TTree::Questions
                         : t == 'S' ? TTree::Syllabus
                                    : TTree::Resources;
            TIdentityCategory* identity = FindIdentity(p.Line, tree, word.substr(2), word);
            if (!identity) continue;
            if (identity == p.Owner) {
                Error(p.Line, "an identity cannot be related to itself: " + Quoted(word));
                continue;
            }
            AddOnce(p.Line, found, identity, word);
        }
        p.Owner->Related = found;
    }

    TIdentityCategory* FindIdentity(int line, TTree tree, const std::string& id,
                                    const std::string& asWritten = {}) {
        auto converted = Convert(line, id, "the identifier");
        if (!converted) return nullptr;
        auto& index = Tree(tree).ByFullID;
        auto it = index.find(*converted);
        if (it == index.end() || converted->empty()) {
            Error(line, "no " + std::string(kTrees[static_cast<std::size_t>(tree)].CategoryWord) +
                            " has the identifier " + Quoted(asWritten.empty() ? id : asWritten));
            return nullptr;
        }
        return it->second;
    }

    TCategory* FindCategory(int line, TTree tree, const std::string& path) {
        auto converted = Convert(line, path, "the path");
        if (!converted) return nullptr;
        auto& index = Tree(tree).ByPath;
        auto it = index.find(*converted);
        if (it == index.end()) {
            Error(line, "unknown " +
                            std::string(kTrees[static_cast<std::size_t>(tree)].CategoryWord) + " " +
                            Quoted(path));
            return nullptr;
        }
        return it->second;
    }

    template <class T>
    void AddOnce(int line, std::vector<T*>& list, T* item, const std::string& word) {
        for (T* existing : list)
            if (existing == item) {
                Error(line, Quoted(word) + " is listed twice");
                return;
            }
        list.push_back(item);
    }

    std::string fDir;
    std::string fManifest;
    std::vector<TSourceError>& fErrors;
    TParsedLibrary fResult{std::make_unique<TLibrary>(), {}, 0, {}};
    int fOrganisationLine = 0;
    int fTemplateLine = 0;
    std::array<TTreeState, kTreeCount> fTrees;
    int fTree = -1;                 // the tree being read, or -1 at the top
    std::vector<TCategory*> fStack; // the open node at each depth, the root first
    std::unordered_map<const TCategory*, TNodeInfo> fInfo;
    std::unordered_map<const TCategory*, std::string> fPathOf;
    std::vector<TPending> fPending;
};

} // namespace

TParsedLibrary ParseLibrarySource(const std::string& sourceDir, std::vector<TSourceError>& errors) {
    return TSourceParser(sourceDir, errors).Parse();
}
