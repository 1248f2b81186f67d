#pragma once

#include "app/logic/user_prompts.h"

class QWidget;

// Questions to the user as message boxes.
class TMessagePrompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string& message, bool withCancel) override;
    void Inform(const std::string& message) override;
};
