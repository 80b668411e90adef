#pragma once

#include <QString>

#include <functional>

// The system's keychain (Windows' credential store, the desktop's secret
// service on Linux): the passwords the program needs are kept there, never in
// one of its own files. Its answers come later, on the windows' thread.
class Trousseau {
public:
    virtual ~Trousseau() = default;
    // The secret of that name: `disponible` false when no keychain answers
    // (a bare desktop), `trouve` false when it holds none of that name.
    virtual void
    lit(const QString& nom,
        std::function<void(bool disponible, bool trouve, const QString& secret)> fait) = 0;
    // Keeps the secret under that name; `garde` false when no keychain took it.
    virtual void ecrit(const QString& nom, const QString& secret,
                       std::function<void(bool garde)> fait) = 0;
};
