#pragma once

#include <functional>
#include <memory>
#include <utility>

// A menu item or a tool button as a command sees it. The windows provide these over
// their real controls; tests provide fakes.
class TCommandControl {
public:
    virtual ~TCommandControl() = default;
    virtual void SetEnabled(bool enabled) = 0;
    // A menu item's check mark, a tool button's pressed state.
    virtual void SetChecked(bool checked) = 0;
    virtual void SetClickHandler(std::function<void()> handler) = 0;
};

// One user action, bound to at most one menu item and one tool button whose enabled
// and checked state it keeps equal to its own answers.
//
// Build commands with MakeCommand, which binds the controls and sets their first state
// once the object is complete (a constructor cannot ask the derived class yet).
class TCommand {
public:
    TCommand() = default;
    virtual ~TCommand();
    TCommand(const TCommand&) = delete;
    TCommand& operator=(const TCommand&) = delete;

    virtual void Execute(void* sender) = 0;
    virtual bool IsEnabled() const { return true; }
    virtual bool IsChecked() const { return false; }
    void UpdateState();

    TCommandControl* MenuItem() const { return fMenuItem; }
    TCommandControl* ToolButton() const { return fToolButton; }

    // Performs a command's action from code: an unbound instance, executed once.
    template <class C, class... Args> static void Run(Args&&... args) {
        C command(std::forward<Args>(args)...);
        static_cast<TCommand&>(command).Attach(); // derived classes may hide Attach
        command.Execute(nullptr);
    }

    // Second construction step: bind controls, start observing, set the first state.
    void Bind(TCommandControl* menuItem, TCommandControl* toolButton);

protected:
    // Registers with whatever the command observes; called once by Bind and Run.
    virtual void Attach() {}

private:
    TCommandControl* fMenuItem = nullptr;
    TCommandControl* fToolButton = nullptr;
};

template <class C, class... Args>
std::unique_ptr<C> MakeCommand(TCommandControl* menuItem, TCommandControl* toolButton,
                               Args&&... args) {
    auto command = std::make_unique<C>(std::forward<Args>(args)...);
    command->Bind(menuItem, toolButton);
    return command;
}
