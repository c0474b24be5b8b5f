#pragma once

#include <QString>
#include <stdexcept>

namespace orvel
{

/// A failed database operation, carrying the server's (or client library's) message.
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString& message, unsigned int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code)
    {
    }
    QString message() const { return m_message; }
    /// The MySQL client or server error number, 0 when the error is our own.
    unsigned int code() const { return m_code; }

private:
    QString m_message;
    unsigned int m_code;
};

} // namespace orvel
