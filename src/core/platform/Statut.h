#pragma once

#include <QString>

// Outcome of an operation on a file of the program folder. A failure always
// carries a French message that the caller can show as it stands.
struct Statut {
    enum Code { Ok, Absent, Echec };

    Code code = Ok;
    QString message;

    static Statut valide() { return {}; }
    static Statut manquant(const QString& message) { return {Absent, message}; }
    static Statut enEchec(const QString& message) { return {Echec, message}; }

    bool estOk() const { return code == Ok; }
    explicit operator bool() const { return estOk(); }
};
