#pragma once

#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/text_store.h"
#include "qbtool.h"
#include "tool_options.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TToolTempFolder {
public:
    TToolTempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qb_qbtool_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        fPath = pattern;
    }
    ~TToolTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(fPath, ignored);
    }
    TToolTempFolder(const TToolTempFolder&) = delete;
    TToolTempFolder& operator=(const TToolTempFolder&) = delete;

    const std::string& Path() const { return fPath; }
    std::string File(const std::string& name) const { return fPath + "/" + name; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

private:
    std::string fPath;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One run of a command with what it printed.
struct TRun {
    int Status;
    std::string Out;
    std::string Err;
};

inline TRun RunTool(const std::vector<std::string>& args, TToolIO::PlainTextFn plain = {}) {
    std::ostringstream out, err;
    TToolIO io{out, err, std::move(plain)};
    int status = RunQbtool(args, io);
    return {status, out.str(), err.str()};
}

// Sets the text of a segment from RTF and stores it in the library's text file.
inline void GiveText(TTextSegment& segment, const std::string& rtf, TTextStore& store) {
    segment.Chunk = MakeChunk({rtf});
    segment.Chunk->SaveToStore(store);
}

// A small physics library: four questions over a topic tree two levels deep, a mark
// scheme, a report, a note, a syllabus link and a data sheet.
//
//   questions: 1 (Q M E), 1a (Q), 2 (Q N), 3 (Q without text)
//   topics:    Mechanics/Forces, Mechanics/Motion, Waves/Sound, Waves/Sound (twin)
inline void WritePhysicsLibrary(const std::string& textPath, const std::string& dataPath) {
    TTextStore store(std::make_unique<TFileStream>(textPath, TFileStream::Mode::Create));
    TLibrary lib;
    lib.Name = "Physique \xE9l\xE9mentaire"; // code page 1252 e-acute
    lib.TopicRoot = std::make_unique<TCategory>("All topics");
    lib.QuestionTypeRoot = std::make_unique<TCategory>("All types");
    lib.LevelRoot = std::make_unique<TCategory>("All levels");
    lib.PaperRoot = std::make_unique<TCategory>("All papers");
    lib.QuestionRoot = std::make_unique<TIdentityCategory>();
    lib.QuestionRoot->Name = "All questions";
    lib.SyllabusRoot = std::make_unique<TIdentityCategory>();
    lib.SyllabusRoot->Name = "Specification";
    lib.ResourceRoot = std::make_unique<TIdentityCategory>();
    lib.ResourceRoot->Name = "All resources";

    auto* mechanics = lib.TopicRoot->AddChild(std::make_unique<TCategory>("Mechanics"));
    auto* forces = mechanics->AddChild(std::make_unique<TCategory>("Forces"));
    auto* motion = mechanics->AddChild(std::make_unique<TCategory>("Motion"));
    auto* waves = lib.TopicRoot->AddChild(std::make_unique<TCategory>("Waves"));
    auto* sound = waves->AddChild(std::make_unique<TCategory>("Sound"));
    waves->AddChild(std::make_unique<TCategory>("Sound")); // a twin nobody can name
    auto* calc = lib.QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Calculation"));
    auto* written = lib.QuestionTypeRoot->AddChild(std::make_unique<TCategory>("Written"));
    auto* foundation = lib.LevelRoot->AddChild(std::make_unique<TCategory>("Foundation"));
    auto* higher = lib.LevelRoot->AddChild(std::make_unique<TCategory>("Higher"));
    auto* paper1 = lib.PaperRoot->AddChild(std::make_unique<TCategory>("Paper 1"));
    auto* paper2 = lib.PaperRoot->AddChild(std::make_unique<TCategory>("Paper 2"));

    auto* spec4 = lib.SyllabusRoot->AddChild(std::make_unique<TIdentityCategory>("4."));
    spec4->Name = "Forces";
    auto* spec41 = spec4->AddChild(std::make_unique<TIdentityCategory>("1", "Newton's laws"));
    spec41->Name = "Laws";
    GiveText(*spec41->SetSegment(std::make_unique<TSyllabus>()), "{\\rtf1 4.1\\par}", store);

    auto* ds = lib.ResourceRoot->AddChild(std::make_unique<TIdentityCategory>("DS1", "Data sheet"));
    ds->Name = "Data sheet";
    GiveText(*ds->SetSegment(std::make_unique<TResource>()), "{\\rtf1 g = 9.8\\par}", store);

    auto* id1 = lib.QuestionRoot->AddChild(
        std::make_unique<TIdentityCategory>("1", "Braking \"car\"\tforces"));
    id1->Name = "Car";
    id1->Related = {spec41, ds};
    auto* q1 = id1->SetSegment(std::make_unique<TQuestion>());
    q1->Marks = 4;
    q1->Time = 5;
    q1->Topics = {forces};
    q1->QuestionType = calc;
    q1->Level = foundation;
    q1->Papers = {paper1};
    q1->Resources = {ds};
    GiveText(*q1, "{\\rtf1 A car brakes.\\par}", store);
    auto* m1 = id1->SetSegment(std::make_unique<TMarkScheme>());
    m1->Marks = 4;
    GiveText(*m1, "{\\rtf1 F = ma\\par}", store);
    GiveText(*id1->SetSegment(std::make_unique<TExaminersReport>()), "{\\rtf1 Well done\\par}",
             store);

    auto* id1a = id1->AddChild(std::make_unique<TIdentityCategory>("a", "Stopping distance"));
    id1a->Name = "Stopping";
    auto* q1a = id1a->SetSegment(std::make_unique<TQuestion>());
    q1a->Marks = 2;
    q1a->Topics = {motion};
    q1a->QuestionType = calc;
    q1a->Level = higher;
    q1a->Papers = {paper2};
    GiveText(*q1a, "{\\rtf1 How far?\\par}", store);

    auto* id2 = lib.QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("2", "Echoes"));
    id2->Name = "Echo";
    auto* q2 = id2->SetSegment(std::make_unique<TQuestion>());
    q2->Marks = 3;
    q2->Time = 4;
    q2->Topics = {motion, sound};
    q2->QuestionType = written;
    q2->Level = higher;
    q2->Papers = {paper1, paper2};
    GiveText(*q2, "{\\rtf1 An echo.\\par}", store);
    GiveText(*id2->SetSegment(std::make_unique<TNote>()), "{\\rtf1 Use 340 m/s\\par}", store);

    auto* id3 = lib.QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("3", "Untyped"));
    id3->Name = "Bare";
    id3->SetSegment(std::make_unique<TQuestion>());

    TFileStream data(dataPath, TFileStream::Mode::Create);
    WriteLibraryData(data, lib);
}
