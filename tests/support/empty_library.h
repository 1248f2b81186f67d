#pragma once

#include "model/categories.h"
#include "model/library.h"

#include <memory>
#include <string>

// A library with its seven roots and nothing below them: tests hang what they need on it.
inline std::unique_ptr<TLibrary> MakeEmptyLibrary(const std::string& name) {
    auto lib = std::make_unique<TLibrary>();
    lib->Name = name;
    lib->TopicRoot = std::make_unique<TCategory>("Topics");
    lib->QuestionTypeRoot = std::make_unique<TCategory>("Types");
    lib->LevelRoot = std::make_unique<TCategory>("Levels");
    lib->PaperRoot = std::make_unique<TCategory>("Papers");
    lib->QuestionRoot = std::make_unique<TIdentityCategory>();
    lib->SyllabusRoot = std::make_unique<TIdentityCategory>();
    lib->ResourceRoot = std::make_unique<TIdentityCategory>();
    return lib;
}
