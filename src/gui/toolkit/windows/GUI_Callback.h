// What a control does when the player uses it: a button's click, a slider's change, a drop-down's
// choice. It is called with the argument the control stores beside it (an index or an object),
// and may be written with or without that argument:
//     GUI_Callback([this] { Close(); })
//     GUI_Callback([this](intptr_t row) { SelectRow(static_cast<int>(row)); })
// A callback may close its own window or open another: while any callback runs, closing a window
// only marks it, and the window manager deletes it once the frame's input and updates are over.
#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <utility>

class GUI_Callback;

// A function the control calls with its argument, or one that ignores it.
template <class F>
concept GUI_CallbackTakingArgument = std::invocable<F&, intptr_t> && !std::same_as<std::decay_t<F>, GUI_Callback>;
template <class F>
concept GUI_CallbackWithoutArgument =
    std::invocable<F&> && !std::invocable<F&, intptr_t> && !std::same_as<std::decay_t<F>, GUI_Callback>;

class GUI_Callback
{
public:
    GUI_Callback() = default;
    GUI_Callback(std::nullptr_t) {}
    template <GUI_CallbackTakingArgument F>
    GUI_Callback(F function) : m_function(std::move(function))
    {
    }
    template <GUI_CallbackWithoutArgument F>
    GUI_Callback(F function) : m_function([f = std::move(function)](intptr_t) mutable { f(); })
    {
    }

    explicit operator bool() const { return static_cast<bool>(m_function); }
    // Calls the function (nothing when empty). Main thread.
    void operator()(intptr_t argument) const;

private:
    std::function<void(intptr_t)> m_function;
};
