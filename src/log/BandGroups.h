#pragma once

#include "platform/Status.h"

#include <QString>
#include <QStringList>

// The award counts HF, VHF and UHF separately.

// "HF", "VHF", "UHF", or the empty text for a band in no group ("10 Mhz", a
// typed text). The label is taken without its blanks around it, otherwise as
// it stands (case counts).
QString Groupe_Bande(const QString& bande);

// The three groups, in the order the windows offer them.
const QStringList& Groupes_Bande();

struct MoulinContacte {
    bool trouve = false;
    QString date;  // JJ/MM/AA as stored
    QString bande; // the band label, trimmed
};

// The first QSO of the log (file order) with this reference in this group.
MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Status* status = nullptr);
