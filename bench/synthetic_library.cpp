#include "synthetic_library.h"

#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A small generator whose sequence is the same on every platform (the standard
// distributions are not), so that a library is reproducible from its seed.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : fState(seed ? seed : 1) {}
    std::uint32_t Next() {
        fState ^= fState << 13;
        fState ^= fState >> 7;
        fState ^= fState << 17;
        return static_cast<std::uint32_t>(fState >> 16);
    }
    int Below(int n) {
        return n > 0 ? static_cast<int>(Next() % static_cast<std::uint32_t>(n)) : 0;
    }
    bool Percent(int p) { return Below(100) < p; }

private:
    std::uint64_t fState;
};

constexpr const char* kTypes[] = {"Multiple choice",  "Short answer", "Structured",
                                  "Extended writing", "Calculation",  "Practical"};
constexpr const char* kLevels[] = {"Foundation", "Higher", "Extension"};
constexpr const char* kParts[] = {"a", "b", "c", "d"};
constexpr const char* kSubParts[] = {"i", "ii", "iii"};

class TBuilder {
public:
    TBuilder(const TSyntheticOptions& options, TSyntheticLibrary& out)
        : fOptions(options), fOut(out), fRandom(options.Seed) {}

    void Build() {
        auto lib = std::make_unique<TLibrary>();
        lib->Name = "Synthetic";
        lib->TopicRoot = std::make_unique<TCategory>("All topics");
        lib->QuestionTypeRoot = std::make_unique<TCategory>("All question types");
        lib->LevelRoot = std::make_unique<TCategory>("All levels");
        lib->PaperRoot = std::make_unique<TCategory>("All papers");
        lib->QuestionRoot = MakeRoot("All questions");
        lib->SyllabusRoot = MakeRoot("Specification");
        lib->ResourceRoot = MakeRoot("All resources");

        BuildCategoryTree(*lib->TopicRoot, fOptions.TopicFanout, "Topic", fTopicLeaves);
        for (const char* t : kTypes)
            fTypes.push_back(lib->QuestionTypeRoot->AddChild(std::make_unique<TCategory>(t)));
        for (const char* l : kLevels)
            fLevels.push_back(lib->LevelRoot->AddChild(std::make_unique<TCategory>(l)));
        for (int p = 1; p <= 4; ++p) {
            auto* paper =
                lib->PaperRoot->AddChild(std::make_unique<TCategory>("Paper " + std::to_string(p)));
            for (const char* s : {"Section A", "Section B"})
                fPaperSections.push_back(paper->AddChild(std::make_unique<TCategory>(s)));
        }
        BuildSyllabus(*lib->SyllabusRoot);
        BuildResources(*lib->ResourceRoot);
        BuildQuestions(*lib->QuestionRoot);
        fOut.Library = std::move(lib);
    }

private:
    static std::unique_ptr<TIdentityCategory> MakeRoot(const char* name) {
        auto root = std::make_unique<TIdentityCategory>();
        root->Name = name;
        return root;
    }

    void BuildCategoryTree(TCategory& root, const int (&fanout)[3], const std::string& name,
                           std::vector<TCategory*>& leaves) {
        for (int i = 1; i <= fanout[0]; ++i) {
            auto* a = root.AddChild(std::make_unique<TCategory>(name + " " + std::to_string(i)));
            for (int j = 1; j <= fanout[1]; ++j) {
                auto* b = a->AddChild(std::make_unique<TCategory>(name + " " + std::to_string(i) +
                                                                  "." + std::to_string(j)));
                for (int k = 1; k <= fanout[2]; ++k)
                    leaves.push_back(b->AddChild(
                        std::make_unique<TCategory>(name + " " + std::to_string(i) + "." +
                                                    std::to_string(j) + "." + std::to_string(k))));
            }
        }
    }

    // Specification sections 1, 1.1, 1.1.1 ...; the pieces are "1", ".1", ".1".
    void BuildSyllabus(TIdentityCategory& root) {
        const int* f = fOptions.SyllabusFanout;
        for (int i = 1; i <= f[0]; ++i) {
            auto* a = AddIdentity(root, std::to_string(i), "Section " + std::to_string(i));
            AddText<TSyllabus>(*a, 0);
            for (int j = 1; j <= f[1]; ++j) {
                auto* b = AddIdentity(*a, "." + std::to_string(j), "Subsection");
                AddText<TSyllabus>(*b, 0);
                for (int k = 1; k <= f[2]; ++k) {
                    auto* c = AddIdentity(*b, "." + std::to_string(k), "Statement");
                    AddText<TSyllabus>(*c, 0);
                    fStatements.push_back(c);
                }
            }
        }
    }

    void BuildResources(TIdentityCategory& root) {
        for (int g = 0; g < fOptions.ResourceGroups; ++g) {
            std::string letter(1, static_cast<char>('A' + g % 26));
            auto* group = AddIdentity(root, letter, "Resource group " + letter);
            for (int r = 1; r <= fOptions.ResourcesPerGroup; ++r) {
                auto* res =
                    AddIdentity(*group, std::to_string(r), "Worksheet " + std::to_string(r));
                AddText<TResource>(*res, 0);
                fResources.push_back(res);
            }
        }
    }

    void BuildQuestions(TIdentityCategory& root) {
        const int series = std::max(1, fOptions.Series);
        std::vector<TIdentityCategory*> seriesNodes;
        for (int s = 1; s <= series; ++s) {
            char piece[8];
            std::snprintf(piece, sizeof piece, "%c%03d", 'A' + (s - 1) / 1000 % 26,
                          (s - 1) % 1000 + 1);
            seriesNodes.push_back(AddIdentity(root, piece, std::string("Series ") + piece));
        }
        std::vector<int> nextNumber(seriesNodes.size(), 1);
        std::size_t s = 0;
        while (fQuestions < fOptions.Questions) {
            TIdentityCategory& parent = *seriesNodes[s];
            int number = nextNumber[s]++;
            s = (s + 1) % seriesNodes.size();
            auto* top =
                AddIdentity(parent, std::to_string(number), "Question " + std::to_string(number));
            if (!fStatements.empty())
                top->Related.push_back(
                    fStatements[fRandom.Below(static_cast<int>(fStatements.size()))]);
            if (fLastTop && fRandom.Percent(30)) top->Related.push_back(fLastTop);
            fLastTop = top;
            switch (number % 4) {
            case 0:
                AddQuestion(*top);
                break;
            case 1:
            case 2:
                for (int p = 0; p < 1 + number % 4 && fQuestions < fOptions.Questions; ++p)
                    AddQuestion(*AddIdentity(*top, kParts[p], "Part"));
                break;
            default: {
                AddQuestion(*AddIdentity(*top, kParts[0], "Part"));
                auto* b = AddIdentity(*top, kParts[1], "Part");
                for (int p = 0; p < 2 && fQuestions < fOptions.Questions; ++p)
                    AddQuestion(*AddIdentity(*b, kSubParts[p], "Sub-part"));
            }
            }
        }
    }

    void AddQuestion(TIdentityCategory& identity) {
        ++fQuestions;
        auto* q = AddText<TQuestion>(identity, static_cast<std::int16_t>(1 + fRandom.Below(12)));
        q->Time = static_cast<std::int16_t>(1 + fRandom.Below(20));
        int topics = 1 + fRandom.Below(3);
        for (int i = 0; i < topics && !fTopicLeaves.empty(); ++i)
            q->Topics.push_back(fTopicLeaves[fRandom.Below(static_cast<int>(fTopicLeaves.size()))]);
        q->QuestionType = fTypes[fRandom.Below(static_cast<int>(fTypes.size()))];
        if (fRandom.Percent(90))
            q->Level = fLevels[fRandom.Below(static_cast<int>(fLevels.size()))];
        int papers = 1 + fRandom.Below(2);
        for (int i = 0; i < papers; ++i)
            q->Papers.push_back(
                fPaperSections[fRandom.Below(static_cast<int>(fPaperSections.size()))]);
        if (!fResources.empty() && fRandom.Percent(20))
            q->Resources.push_back(fResources[fRandom.Below(static_cast<int>(fResources.size()))]);
        if (fRandom.Percent(fOptions.MarkSchemePercent)) AddText<TMarkScheme>(identity, q->Marks);
        if (fRandom.Percent(fOptions.ReportPercent)) AddText<TExaminersReport>(identity, 0);
        if (fRandom.Percent(fOptions.NotePercent)) AddText<TNote>(identity, 0);
    }

    TIdentityCategory* AddIdentity(TIdentityCategory& parent, const std::string& piece,
                                   const std::string& title) {
        auto* identity = parent.AddChild(std::make_unique<TIdentityCategory>(piece, title));
        identity->Name = title.substr(0, kMaxNameLength);
        return identity;
    }

    template <class T> T* AddText(TIdentityCategory& identity, std::int16_t marks) {
        auto segment = std::make_unique<T>();
        segment->Marks = marks;
        segment->Chunk = std::make_unique<TTextChunk>();
        segment->Chunk->Offset = AppendText(identity, segment->Kind());
        return identity.SetSegment(std::move(segment));
    }

    // One stored text of one line, as the library's own texts are: a whole RTF document.
    std::int32_t AppendText(const TIdentityCategory& identity, char kind) {
        std::string line = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                           "\\pard\\plain\\f0\\fs24 ";
        line += kind;
        line += ' ';
        line += identity.Title;
        line += ": text number ";
        line += std::to_string(++fTexts);
        line += "\\par\\par -\\par}";
        auto offset = static_cast<std::int32_t>(fOut.Text.size());
        Put32(1);
        Put32(static_cast<std::uint32_t>(line.size()));
        fOut.Text += line;
        return offset;
    }

    void Put32(std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            fOut.Text += static_cast<char>((v >> (8 * k)) & 0xFF);
    }

    const TSyntheticOptions& fOptions;
    TSyntheticLibrary& fOut;
    TRandom fRandom;
    std::vector<TCategory*> fTopicLeaves, fTypes, fLevels, fPaperSections;
    std::vector<TIdentityCategory*> fStatements, fResources;
    TIdentityCategory* fLastTop = nullptr;
    int fQuestions = 0;
    int fTexts = 0;
};

} // namespace

TSyntheticLibrary::TSyntheticLibrary() = default;
TSyntheticLibrary::TSyntheticLibrary(TSyntheticLibrary&&) noexcept = default;
TSyntheticLibrary::~TSyntheticLibrary() = default;

TSyntheticLibrary MakeSyntheticLibrary(const TSyntheticOptions& options) {
    TSyntheticLibrary out;
    TBuilder(options, out).Build();
    return out;
}

TSyntheticFiles WriteSyntheticLibrary(const TSyntheticOptions& options, const std::string& folder) {
    TSyntheticLibrary made = MakeSyntheticLibrary(options);
    TSyntheticFiles files{folder + "/synthetic.dat", folder + "/synthetic.txt"};
    std::remove(files.DataFile.c_str()); // Create makes only new files
    std::remove(files.TextFile.c_str());
    {
        TFileStream data(files.DataFile, TFileStream::Mode::Create);
        WriteLibraryData(data, *made.Library);
    }
    TFileStream text(files.TextFile, TFileStream::Mode::Create);
    text.Write(made.Text.data(), made.Text.size());
    return files;
}
