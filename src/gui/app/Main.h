#pragma once

#include "core/app/ModeleStation.h"
#include "core/app/Services.h"
#include "core/entry/ModeleSaisie.h"
#include "core/platform/Sonnerie.h"
#include "core/radio/SuiviRadio.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

class Annuaire;
class Attente;
class Chasse_Moulins;
class ChoixFichier;
class CopieEnFond;
class DialogueFichier;
class ZoneSaisie;
class LiaisonSaisie;
class ListeLog;
class QAction;
class QLabel;
class QTimer;
class Radio;
class StockReglages;
class Station;
struct Spot;

// The main window: the station, the clock, the QSO entry area, the log list
// and the menus from which every other window is opened. The station rules
// and the entry rules never call it: it connects to their signals and tells
// them the current station and date mode (MainHote.cpp).
class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(const Services& services, QWidget* parent = nullptr);
    ~Main() override;

    // The start-up sequence, up to the loaded log with its last line
    // selected. False when the program ended on the way (missing log,
    // unreadable log): the caller must not go on.
    bool demarreProgramme();

    // Fills the log list from the log of the current station. A missing log
    // opens `Gestion_Erreur`, any other failure is reported; both end the
    // program, and the result is then false.
    bool Charge_Log();

    // Ends the program at once.
    void termineProgramme();
    bool estTermine() const { return m_termine; }

    const QString& Indicatif_Courant() const { return m_indicatif; }
    static QString indicatifEnregistre(const StockReglages& reglages)
    {
        return ModeleStation::indicatifEnregistre(reglages);
    }

    ZoneSaisie* zoneDeSaisie() const { return m_saisie; }
    LiaisonSaisie* liaisonSaisie() const { return m_liaison; }
    ListeLog* listeLog() const { return m_liste; }
    // The choice of the file to import; nullptr: the platform's file dialog.
    void changeChoixFichier(ChoixFichier* choix);
    // The station's radio, as the settings of "Réglage de la radio" give it.
    Radio& radio() const { return *m_radio; }
    // Where the import runs while the user waits; nullptr: the platform's
    // progress window.
    void changeAttente(Attente* attente);
    // The sound of the windmill hunt's alerts; nullptr: the system's beep.
    void changeSonnerie(Sonnerie* sonnerie) { m_sonnerie = sonnerie; }
    // The second copy of the logs, in the folder of the settings.
    CopieEnFond& copieSecurite() const { return *m_copie; }
    // The online callbook of the entry.
    Annuaire& annuaire() const { return *m_annuaire; }
    // How long the end waits for its copy (ms).
    void changeBorneCopie(int ms) { m_borneCopie = ms; }

public Q_SLOTS:
    void Timer1_Timer();
    void Mnu_Date_Auto_Click();
    void Mnu_Date_Man_Click();
    void Mnu_New_Indicatif_Click();
    // Puts a backup of the current station's log back in its place, after a
    // copy of the log as it is.
    void Mnu_Restaure_Click();
    // Imports the QSOs of an ADI file chosen by the user into the log, away
    // from the windows' thread (a file of tens of megabytes shows its
    // progress and may be stopped, leaving the log as it was), then says
    // what was imported and what was skipped.
    void Mnu_Import_ADIF_Click();
    void Mnu_APropos_Click();
    void Mnu_Historique_Click();
    void Mnu_Quitter_Click();
    void Mnu_Reglage_Radio_Click();
    void Mnu_Chasse_Click();
    void Mnu_Copie_Click();
    void Mnu_Annuaire_Click();

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    // What the station rules and the entry rules ask for (MainHote.cpp).
    void changeIndicatifCourant(const QString& indicatif);
    void afficheStation(const QString& texte);
    // An index outside its list leaves that list without a choice.
    void choisitBandeMode(int bande, int mode);
    // A QSO being edited belonged to the previous station's log: its edit ends.
    bool rechargeLog();
    void rechargeListe();
    void relieSaisie();
    // A new `Station` window, its rules connected to this window and loaded.
    Station* creeStation();

    void construitMenus();
    // The radio and its status line (MainRadio.cpp).
    void construitRadio();
    // Opens the radio of the settings once the window is drawn.
    void demarreRadio();
    // Closes the windmill hunt's window, if open (MainChasse.cpp).
    void fermeChasse();
    void radioLue(qint64 hz, const QString& mode);
    // The windmill hunt (MainChasse.cpp): a spot taken as a new QSO, and
    // the spots marked again when the log changed.
    void prendSpot(const Spot& spot);
    void chasseLogChange();
    Chasse_Moulins* creeChasse();
    // The hunt connected at the start when its settings ask for it.
    void demarreChasse();
    Sonnerie& sonnerie();
    QWidget* construitEntete();
    void dimensionne();
    // First start: the `Station` window, modal; returns when it is closed.
    void ouvreStationModale();
    // The second copy (MainCopie.cpp): its failures in the status line, and
    // the copy of the end.
    void construitCopie();
    void copieDeFin();
    // The online callbook (MainAnnuaire.cpp), and its settings and password
    // put in service.
    void construitAnnuaire();
    void appliqueAnnuaire();

    Services m_services;
    QString m_indicatif;
    bool m_termine = false;

    ZoneSaisie* m_saisie;
    LiaisonSaisie* m_liaison;
    ListeLog* m_liste;
    QLabel* I_Station;
    QLabel* Label37;
    QLabel* Label34;
    QLabel* Label33;
    QTimer* Timer1;
    QAction* Mnu_Date_Auto;
    QAction* Mnu_Date_Man;
    QLabel* Statut_Radio;
    QLabel* Statut_Chasse = nullptr;
    QPointer<Chasse_Moulins> m_chasse; // the hunt that runs from the start
    Radio* m_radio;
    SuiviRadio m_suiviRadio;
    QPointer<Station> m_station;
    std::unique_ptr<DialogueFichier> m_dialogueFichier;
    ChoixFichier* m_choixFichier;
    Attente* m_attente = nullptr;
    std::unique_ptr<Sonnerie> m_sonnerieSysteme;
    Sonnerie* m_sonnerie = nullptr;
    CopieEnFond* m_copie = nullptr;
    int m_borneCopie;
    bool m_copieDeFinFaite = false;
    Annuaire* m_annuaire = nullptr;
    QHash<QString, QString> m_motDePasseSession; // where no keychain answers
};
