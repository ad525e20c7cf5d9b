// The handler guard: every event handler of the program runs inside it. An error ends the handler
// at the failing step and is shown in the error message box; the program goes on. No exception
// ever crosses a Qt frame.
//
// Handlers follow one convention: they take the control that raised the event (the sender),
// and some take the event's own arguments after it.
#pragma once

#include <QObject>
#include <utility>

void reportUncaught() noexcept; // shows the error being handled; call only inside a catch block

template <typename Handler>
void runGuarded(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportUncaught();
    }
}

namespace handlerguard_detail {
template <typename Functor, typename CallOperator>
struct Guarded;
template <typename Functor, typename Result, typename Class, typename... Arguments>
struct Guarded<Functor, Result (Class::*)(Arguments...) const>
{
    Functor functor;
    void operator()(Arguments... arguments) const noexcept
    {
        runGuarded([&] { functor(std::forward<Arguments>(arguments)...); });
    }
};
} // namespace handlerguard_detail

// Wraps a lambda with fixed parameter types so that it runs through the guard:
// connect(timer, &QTimer::timeout, this, guarded([this] { … })).
template <typename Functor>
auto guarded(Functor functor)
{
    return handlerguard_detail::Guarded<Functor, decltype(&Functor::operator())>{std::move(functor)};
}

// connectHandler(Button1, &QPushButton::clicked, this, &TFrame3::Button1Click): the handler
// receives the sender; the signal's own arguments are dropped.
template <typename Sender, typename Signal, typename Receiver, typename Base>
QMetaObject::Connection connectHandler(Sender *sender, Signal signal, Receiver *receiver,
                                       void (Base::*handler)(QObject *))
{
    return QObject::connect(sender, signal, receiver,
                            guarded([sender, receiver, handler] { (receiver->*handler)(sender); }));
}
