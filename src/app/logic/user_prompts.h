#pragma once

#include <string>

enum class TAnswer { Yes, No, Cancel };

// Questions and messages to the user. The windows answer with message boxes; tests
// script the answers.
class TUserPrompts {
public:
    virtual ~TUserPrompts() = default;
    // A confirmation with Yes and No, or Yes, No and Cancel.
    virtual TAnswer Ask(const std::string& message, bool withCancel) = 0;
    virtual void Inform(const std::string& message) = 0;
};
