#pragma once

#include "core/platform/Trousseau.h"

// The system's keychain through QtKeychain, under the service "RQN_KZT".
class TrousseauSysteme : public Trousseau {
public:
    void
    lit(const QString& nom,
        std::function<void(bool disponible, bool trouve, const QString& secret)> fait) override;
    void ecrit(const QString& nom, const QString& secret,
               std::function<void(bool garde)> fait) override;
};
