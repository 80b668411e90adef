#pragma once

#include <QString>

// Outcome of an operation on a file of the program folder. A failure always
// carries a French message that the caller can show as it stands.
struct Status {
    enum Code { Ok, Missing, Failed };

    Code code = Ok;
    QString message;

    static Status ok() { return {}; }
    static Status missing(const QString& message) { return {Missing, message}; }
    static Status failed(const QString& message) { return {Failed, message}; }

    bool isOk() const { return code == Ok; }
    explicit operator bool() const { return isOk(); }
};
