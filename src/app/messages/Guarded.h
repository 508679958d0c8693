#pragma once

#include "messages/MessageBoxes.h"
#include "UserError.h"

#include <QString>

#include <exception>

// Runs one event handler; an error escaping it is shown in a box and the program goes on.
// A UserError keeps its kind (a full ration warns); anything else is an error.
template<typename Handler>
void runGuarded(Handler &&handler)
{
    try {
        handler();
    } catch (const UserError &error) {
        if (error.kind() == UserError::Kind::Warning)
            MessageBoxes::show(error.kind(), error.message());
        else
            MessageBoxes::showException(error.message());
    } catch (const std::exception &error) {
        MessageBoxes::showException(QString::fromUtf8(error.what()));
    }
}

namespace GuardedDetail {
template<typename Handler, typename Lambda, typename... Args>
auto slot(Handler handler, void (Lambda::*)(Args...) const)
{
    return [handler](Args... args) { runGuarded([&] { handler(args...); }); };
}
} // namespace GuardedDetail

// A slot that runs HANDLER guarded, so that a connection stays one line:
//   connect(N2, &TabcMenuItem::Click, this, guarded(this, &TfrmMain::N2Click));
// It takes the arguments the handler takes, from the signal or from invokeMethod.
template<typename Handler>
auto guarded(Handler handler)
{
    return GuardedDetail::slot(handler, &Handler::operator());
}

template<typename Object, typename... Args>
auto guarded(Object *object, void (Object::*handler)(Args...))
{
    return guarded([object, handler](Args... args) { (object->*handler)(args...); });
}
