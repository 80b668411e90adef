#pragma once

#include "core/platform/Statut.h"

#include <QString>

// The award scores: QSOs per band group, and those of them confirmed by a
// QSL card. QSOs are counted, not distinct windmills.
namespace Scores {

struct Compte {
    int contactes = 0;
    int confirmes = 0;
    bool operator==(const Compte&) const = default;
};

struct Tableau {
    Compte hf;
    Compte vhf;
    Compte uhf;
    bool operator==(const Tableau&) const = default;
};

// Missing when there is no log; the scores are then all 0.
Statut calcule(const QString& cheminLog, Tableau* scoresCalcules);

} // namespace Scores
