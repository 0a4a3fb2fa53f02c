#pragma once

#include <QString>
#include <exception>

// The program's own exception: carries a user-readable message. The
// application's notify() shows it; nothing else ever catches it silently.
class Exception : public std::exception {
public:
    explicit Exception(QString message = QString()) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};
