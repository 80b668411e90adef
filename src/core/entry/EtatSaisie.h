#pragma once

#include "core/log/Groupe.h"

#include <QString>
#include <QStringList>

#include <array>

class Horloge;
class BoiteMessage;
class StockReglages;

// What the QSO entry area holds: the text, enabled state and colour of each
// control, the focus, the entry mode and the flags shared with the log list,
// with the moves that every rule and command makes on them (a field accepted,
// a message shown, the fields reset for the next QSO).
class EtatSaisie {
public:
    enum Controle {
        Ind_A,
        Prenom_A,
        Dpt_A,
        Ref_A,
        Date_A,
        Heure_A,
        Mode_A,
        Bande_A,
        RST_A,
        RSTE_A,
        Rem_A,
        QSL_A,
        Valide_A,
        Annule_Saisie,
        NombreControles
    };
    enum class Couleur { Vert, Jaune };

    struct Etat {
        QString texte;      // text boxes, and the text of the two combo boxes
        int index = -1;     // list index of a combo box (-1: none)
        bool coche = false; // the check box
        bool actif = false;
        Couleur couleur = Couleur::Jaune;
    };

    EtatSaisie(const QString& dossier, StockReglages& reglages, BoiteMessage& messages,
               const Horloge& horloge);

    // The state of the window when it is created.
    void etatConception();

    const Etat& etat(Controle c) const { return m_etat[c]; }
    // The window passes what the user changed without a key the rules see
    // (text edited, pasted, item picked in a list, box ticked).
    void changeTexte(Controle c, const QString& texte);
    void changeIndex(Controle c, int index, const QString& texte);
    void changeCoche(bool coche);

    Controle focus() const { return m_focus; }
    const QString& Mode_Aff() const { return m_modeAff; }
    bool Mode_Modif() const { return m_modeModif; }
    bool Mode_Insertion() const { return m_modeInsertion; }
    bool Liste_Verrouillee() const { return m_listeVerrouillee; }
    const QString& Ligne_Selection() const { return m_ligneSelection; }

    void Prepare_Saisie();

    // True while the focus field waits for the window to show it (set by
    // every change, cleared by the window).
    bool focusADonner() const { return m_focusADonner; }
    void focusDonne() { m_focusADonner = false; }
    // Whether the field given the focus comes with its text selected, so that
    // Enter keeps it and a typed key replaces it: the first name and the
    // department remembered for a callsign, and every field of a QSO opened
    // for editing. Never the windmill name, whose cursor waits after "M. ".
    bool texteSelectionneAuFocus() const;

    // The items of the mode list or of the band list.
    static const QStringList& elements(Controle c);

protected:
    // The item of the list that the text names, whatever its case and
    // blanks; -1 when it names none.
    static int itemNomme(Controle c, const QString& texte);

    bool refuse(const QString& message);
    // Shows the message of a broken rule; false when the rule is met (empty message).
    bool refuseSi(const QString& message);
    void prendItem(Controle c);
    void accepte(Controle c, Controle suivant);
    void vert(Controle c);
    void jaune(Controle c);
    void active(Controle c, bool actif = true);
    void donneFocus(Controle c);
    void memoriseIndex(Controle c);
    // The item at that index of the mode or band list, from the radio:
    // shown, and remembered as an item chosen by hand is.
    void prendRadio(Controle c, int index);
    void selectionneIndex(Controle c, const QString& cle);
    void videChamps(bool garderDate);

    QString m_dossier;
    StockReglages& m_reglages;
    BoiteMessage& m_messages;
    const Horloge& m_horloge;
    QString m_indicatif;
    bool m_dateAuto = true;

    std::array<Etat, NombreControles> m_etat;
    Controle m_focus = Ind_A;
    bool m_focusADonner = false;
    QString m_modeAff;
    bool m_modeModif = false;
    bool m_modeInsertion = false;
    bool m_listeVerrouillee = false;
    QString m_ligneSelection;
    // A QSO taken from a cluster spot: its department and windmill, given
    // to their fields when the Enter chain reaches them.
    QString m_spotDepartement;
    QString m_spotReference;
    // A callsign the first-name memory did not know, accepted by Enter: its
    // first name may come from the online callbook.
    QString m_indicatifAChercher;
    // A key typed in Prenom_A since the callsign was accepted.
    bool m_prenomTape = false;
    // The reference and band group last checked against the log (Ref_A).
    struct MoulinVerifie {
        QString reference;
        Groupe groupe = Groupe::Aucun;
        bool operator==(const MoulinVerifie&) const = default;
    };
    MoulinVerifie m_moulinVerifie;
    // The radio's band and mode (list indexes) held back while the operator
    // typed in their field: taken at the next reset; -1: none.
    int m_radioBande = -1;
    int m_radioMode = -1;
    int& radioRetenue(Controle c) { return c == Mode_A ? m_radioMode : m_radioBande; }
};
