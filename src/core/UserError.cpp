#include "UserError.h"

#include <utility>

UserError::UserError(QString message, Kind kind)
    : m_message(std::move(message)), m_kind(kind), m_utf8(m_message.toUtf8())
{
}
