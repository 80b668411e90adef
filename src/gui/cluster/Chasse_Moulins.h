#pragma once

#include "core/app/Services.h"
#include "core/cluster/ClientCluster.h"
#include "core/cluster/TableauChasse.h"

#include <QWidget>

#include <functional>

class ModeleSpots;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeView;
class Radio;
class Sonnerie;

// "Chasse aux moulins": the spots of a DX cluster node, each windmill marked
// against the log of the station (new windmill, new department, already
// contacted, out of the groups), the needed ones highlighted and rung for.
// Enter or a double-click on a windmill spot gives it to the main window
// (spotChoisi), which starts the QSO; "Annoncer" spots the QSO being worked.
class Chasse_Moulins : public QWidget {
    Q_OBJECT
public:
    // What the window asks of the main window.
    struct Liens {
        std::function<QString()> indicatifStation;
        // The log of the current station, that the spots are marked against.
        std::function<QString()> cheminLog;
        // The callsign and the windmill reference of the QSO being typed.
        std::function<std::pair<QString, QString>()> qsoEnCours;
    };

    Chasse_Moulins(const Services& services, Radio& radio, Sonnerie& sonnerie, Liens liens,
                   QWidget* parent = nullptr);
    ~Chasse_Moulins() override;

    // The log changed: every spot is marked again.
    void logChange();
    // The main window took the spot chosen as a new QSO: its frequency is
    // the one to announce.
    void spotPris(const Spot& spot);

    // Where the window was when last closed (its frame's corner and its
    // size); empty when the settings hold none.
    QRect placeEnregistree() const;

    ClientCluster& client() { return *m_client; }
    const TableauChasse& chasse() const { return m_chasse; }
    ModeleSpots& modeleSpots() const { return *m_modele; }
    // The settings as the window shows them.
    ReglagesCluster reglagesAffiches() const;

    QLineEdit* Hote_Cluster;
    QSpinBox* Port_Cluster;
    QLineEdit* Indicatif_Cluster;
    QLineEdit* Commandes_Cluster;
    QPushButton* Connecter;
    QLabel* Etat_Cluster;
    QCheckBox* Connecter_Demarrage;
    QCheckBox* Seulement_A_Contacter;
    QCheckBox* Alerte_Sonore;
    QComboBox* Filtre_Bande;
    QComboBox* Filtre_Mode;
    QTreeView* Liste_Spots;
    QPlainTextEdit* Messages_Cluster;
    QLineEdit* Frequence_Annonce;
    QPushButton* Annoncer;

Q_SIGNALS:
    // A windmill spot was chosen to be worked.
    void spotChoisi(const Spot& spot);
    // A windmill still to contact was spotted and rung for: "F4XYZ KZT
    // 77121 (14 Mhz)".
    void moulinAContacter(const QString& moulin);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;

private:
    void Connecter_Click();
    void Annoncer_Click();
    void recoit(const QList<QByteArray>& lignes);
    void prendSpot(const QModelIndex& index);
    // The spots of the list follow the hunt's, each row keeping its spot.
    void actualiseListe();
    void montreConnexion(bool active);
    void actualiseModes();

    Services m_services;
    Sonnerie& m_sonnerie;
    Liens m_liens;
    TableauChasse m_chasse;
    ModeleSpots* m_modele;
    ClientCluster* m_client;
    int m_minuteAges = -1; // the minute of the clock the ages were shown at
    // The pointer is over the list: the spots in sight do not move.
    bool m_pointeurSurListe = false;
    // The list shows the newest spots at its top, as long as the operator
    // did not scroll away.
    bool m_suitNouveaux = true;
    // Spots came while the pointer held the list.
    bool m_nouveauxRetenus = false;
};
