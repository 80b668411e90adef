#pragma once

#include <QChar>
#include <QObject>
#include <QString>

#include <array>

class Horloge;
class BoiteMessage;
class StockReglages;

// The QSO entry area as plain logic: the text, enabled state and colour of
// each control, the focus, the entry mode and the flags shared with the log
// list. The window shows this state and passes the keys and clicks on. In
// the automatic date mode the date and time of a QSO are those of the clock,
// as the main window shows them.
//
// The model knows the current station and the date mode from what the main
// window tells it, and asks for the log list through its two signals.
class ModeleSaisie : public QObject {
    Q_OBJECT
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

    // The state of the window when it is created.
    void etatConception();

    const Etat& etat(Controle c) const { return m_etat[c]; }
    // The window passes what the user changed without a key the rules see
    // (text edited, pasted, item picked in a list, box ticked).
    void changeTexte(Controle c, const QString& texte);
    void changeIndex(Controle c, int index, const QString& texte);
    void changeCoche(bool coche);
    // An item of the mode or band list was chosen (mouse, arrow keys).
    void choixListe(Controle c);

    Controle focus() const { return m_focus; }
    const QString& Mode_Aff() const { return m_modeAff; }
    bool Mode_Modif() const { return m_modeModif; }
    bool Mode_Insertion() const { return m_modeInsertion; }
    bool Liste_Verrouillee() const { return m_listeVerrouillee; }
    const QString& Ligne_Selection() const { return m_ligneSelection; }

    // A character typed in a field ('\r' for Enter).
    Touche frappeTouche(Controle c, QChar caractere);

    void Prepare_Saisie();
    void Valide_A_Click();
    void Efface_A_Click() { Prepare_Saisie(); }
    void Annule_Saisie_Click();
    void Ajout_QSO_Click();
    // The selected line of the log list changed (click or program).
    void selection(const QString& ligne);
    void doubleClic();
    // The station changed and its log is now the list: a QSO taken from the
    // list of the previous station is no longer there to be replaced, so its
    // edit ends (it would otherwise be added to the new station's log).
    void changeStation();

    // True while the focus field waits for the window to show it (set by
    // every change, cleared by the window).
    bool focusADonner() const { return m_focusADonner; }
    void focusDonne() { m_focusADonner = false; }

public:
    // The items of the mode list or of the band list.
    static const QStringList& elements(Controle c);

Q_SIGNALS:
    // The log list is to be reloaded and its last line selected; the
    // selection comes back through selection() as a click would. Both are
    // connected directly: the list has changed when the emission returns.
    void listeARecharger();
    // The last line of the list is to be selected (selection() runs),
    // without a reload.
    void derniereASelectionner();

private:
    void regle(Controle c);
    void regleIndicatif(Controle c);
    void regleReference(Controle c);
    void regleBande(Controle c);
    void regleReport(Controle c);
    bool refuse(const QString& message);
    // Shows the message of a broken rule; false when the rule is met (empty message).
    bool refuseSi(const QString& message);
    bool verifieControles(Controle c);
    bool verifieCaracteres(Controle c);
    bool verifieAvantEnregistrement();
    void prendItem(Controle c);
    static QString messageBande(const QString& texte);
    void accepte(Controle c, Controle suivant);
    void vert(Controle c);
    void jaune(Controle c);
    void active(Controle c, bool actif = true);
    void donneFocus(Controle c);
    void memoriseIndex(Controle c);
    void selectionneIndex(Controle c, const QString& cle);
    void remplitDepuis(const QString& ligne);
    void videChamps(bool garderDate);
    void reinitialiseApresValidation();
    bool enregistre();

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
};
