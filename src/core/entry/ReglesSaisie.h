#pragma once

#include "EtatSaisie.h"

// The Enter rule of each field of the entry area, and the same checks again
// before a QSO is stored: each rule reads the field, shows the message of
// what it breaks, or accepts it and moves the focus on.
class ReglesSaisie : public EtatSaisie {
public:
    using EtatSaisie::EtatSaisie;

protected:
    void regle(Controle c);
    bool verifieAvantEnregistrement();
    static QString messageBande(const QString& texte);

private:
    void regleIndicatif(Controle c);
    void regleReference(Controle c);
    void regleBande(Controle c);
    void regleReport(Controle c);
    bool verifieControles(Controle c);
    // At the save, the QSO stays in the fields and the message says why the
    // check came again.
    bool dejaContacte(bool aLEnregistrement = false);
    bool verifieCaracteres(Controle c);
};
