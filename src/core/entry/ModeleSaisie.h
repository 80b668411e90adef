#pragma once

#include "ReglesSaisie.h"

#include <QChar>
#include <QObject>
#include <QString>

// The QSO entry area as plain logic: its state and field rules, and the
// commands of the entry area and of the log list. The window shows the state
// and passes the keys and clicks on. In the automatic date mode the date and
// time of a QSO are those of the clock, as the main window shows them.
//
// The model knows the current station and the date mode from what the main
// window tells it, and asks for the log list through its two signals.
class ModeleSaisie : public QObject, public ReglesSaisie {
    Q_OBJECT
public:
    // A key after the rules: taken by the field as it is, replaced, or
    // swallowed (Enter, which the rules have handled).
    struct Touche {
        enum Sort { Prise, Avalee } tri = Prise;
        QChar caractere;
    };

    ModeleSaisie(const QString& dossier, StockReglages& reglages, BoiteMessage& messages,
                 const Horloge& horloge, QObject* parent = nullptr);

    // What the main window tells the model: the station whose log is the
    // list, and the check mark of "Automatique" in the date menu.
    void changeIndicatifCourant(const QString& indicatif) { m_indicatif = indicatif; }
    void changeDateAuto(bool automatique) { m_dateAuto = automatique; }

    // An item of the mode or band list was chosen (mouse, arrow keys).
    void choixListe(Controle c);
    // The radio moved to the item at that index of the mode or band list:
    // the list takes it, and it is remembered as an item chosen by hand is.
    // Refused (false) while a QSO of the list is being edited or inserted:
    // those are past QSOs. A data mode in Mode_A ("FT8") stays when the
    // radio goes to a sideband: it is worked there.
    bool choixRadio(Controle c, int index);
    // The same for a field the operator is typing in: its text stays, and
    // the radio's item is held back, to be taken at the next reset or when
    // the field is left as the entry last showed it (appliqueRadioRetenue).
    // The operator's own item, taken by Enter or from the list, drops it.
    bool retientRadio(Controle c, int index);
    // The mode or band field was left unchanged: the radio's item held back
    // for it, if any, is taken.
    void appliqueRadioRetenue(Controle c);

    // A QSO from a cluster spot: a new QSO as Prepare_Saisie starts it, with
    // the spotted callsign in Ind_A (the focus there), the band of the list
    // at that index and the spot's mode as the log holds it ("FT8", "RTY";
    // a mode the log cannot hold, or none: the mode stays as the new QSO
    // starts it); the spot's department and windmill reference go
    // into Dpt_A and Ref_A when the Enter chain reaches them. Refused, with
    // the message shown, while a QSO of the list is being edited or
    // inserted, before the station is chosen, or for a frequency in no band
    // of the log (index -1).
    bool prepareDepuisSpot(const QString& indicatif, int indexBande, const QString& departement,
                           const QString& reference, const QString& mode = QString());
    // Why a spot cannot be taken now; empty when it can.
    QString refusSpot(int indexBande) const;
    // A character typed in a field ('\r' for Enter).
    Touche frappeTouche(Controle c, QChar caractere);
    // The first name of the online callbook for the callsign of
    // indicatifInconnu(): taken only while that callsign is still in Ind_A,
    // Prenom_A still empty and no key typed in it since. True when taken.
    bool prenomAnnuaire(const QString& indicatif, const QString& prenom);

    void Valide_A_Click();
    void Efface_A_Click() { Prepare_Saisie(); }
    void Annule_Saisie_Click();
    void Ajout_QSO_Click();
    // The selected line of the log list changed (click or program).
    void selection(const QString& ligne);
    void doubleClic();
    // The station changed, or its log was replaced (import, restore): the
    // entry starts a new QSO as at the end of start-up. A QSO taken from the
    // list before is no longer there to be replaced, so its edit ends (it
    // would otherwise be added to the new log).
    void logRemplace();

    // A QSO is being typed (a field of a new QSO holds typed text, or the
    // Enter chain went past the callsign) or a QSO of the list is being
    // edited or inserted. A QSO of the list shown by a click is none.
    bool saisieEnCours() const;
    // What comes next would clear the entry area: true when nothing is being
    // typed, or when the operator agrees to abandon it ("Abandonner le QSO
    // en cours de saisie ?", Oui/Non).
    bool abandonAccepte();

Q_SIGNALS:
    // The log list is to be reloaded and its last line selected; the
    // selection comes back through selection() as a click would. Both are
    // connected directly: the list has changed when the emission returns.
    void listeARecharger();
    // The last line of the list is to be selected (selection() runs),
    // without a reload.
    void derniereASelectionner();
    // A new QSO's callsign accepted by Enter that the first-name memory does
    // not know (never one of a QSO edited from the list).
    void indicatifInconnu(const QString& indicatif);

private:
    void remplitDepuis(const QString& ligne);
    void reinitialiseApresValidation();
    bool enregistre();
};
