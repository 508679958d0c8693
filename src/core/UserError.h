#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An error the user must be told about: a failed conversion, a full ration.
// Handlers let it escape; the window shows its message in a box of its kind.
class UserError : public std::exception
{
public:
    enum class Kind { Error, Warning };

    explicit UserError(QString message, Kind kind = Kind::Error);

    [[nodiscard]] const QString &message() const { return m_message; }
    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    Kind m_kind;
    QByteArray m_utf8;
};
