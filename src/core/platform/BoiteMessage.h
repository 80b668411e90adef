#pragma once

#include <QList>
#include <QString>

// Every refusal, notice and confirmation of the program goes through a
// BoiteMessage: modal, titled "RQN_KZT", no icon, OK alone or Yes and No.
// Texts may hold CR LF line breaks.
class BoiteMessage {
public:
    enum Boutons { Ok, OuiNon };
    enum ReponseBoite { ReponseOk, ReponseOui, ReponseNon };

    virtual ~BoiteMessage() = default;
    virtual ReponseBoite montre(const QString& texte, Boutons boutons) = 0;

    void avise(const QString& texte) { montre(texte, Ok); }
    bool demandeConfirmation(const QString& texte) { return montre(texte, OuiNon) == ReponseOui; }
};
