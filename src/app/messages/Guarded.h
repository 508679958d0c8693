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
