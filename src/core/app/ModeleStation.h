#pragma once

#include <QChar>
#include <QObject>
#include <QString>

class BoiteMessage;
class StockReglages;

// The choice of the station callsign as plain logic: the checks of the
// candidate, the creation of a new station's log, the settings, and what the
// main window is told, through the signals below, in the order they are
// listed. The window `Station` shows the field and the button.
class ModeleStation : public QObject {
    Q_OBJECT
public:
    static constexpr int longueurMaxi = 12;

    // What the window does with its field after "Validez".
    enum class Issue {
        Refuse,       // a message was shown; the field keeps its text
        RefuseVidage, // a message was shown; the field is emptied
        Accepte,      // the station changed; the window closes
        Fin,          // the program ended while reloading the log
    };

    ModeleStation(const QString& dossier, StockReglages& reglages, BoiteMessage& messages,
                  QObject* parent = nullptr);

    // The station callsign of the settings; "FXXXX" when it is absent or is
    // not a valid callsign.
    static QString indicatifEnregistre(const StockReglages& reglages);

    // The refusal of a candidate (already in upper case), and whether the
    // field is emptied with it; an empty message when it is accepted.
    struct Refus {
        QString message;
        bool vide = false;
    };
    static Refus verifie(const QString& candidat);
    // A character typed in the field, as it goes in: a lower-case letter a to
    // z as upper case, "/" as "_" (file names cannot hold "/"), any other as
    // typed.
    static QChar toucheSaisie(QChar c);

    // The window loads: the stored callsign becomes the current one.
    void chargeStation();
    // "Validez" with the text of the field.
    Issue valide(const QString& saisie);

Q_SIGNALS:
    // Before anything changes: *accepte set to false keeps the station as
    // it is (a QSO being typed that the operator keeps). Connected directly.
    void changementAAccepter(bool* accepte);
    // The station now current.
    void indicatifCourantChange(const QString& indicatif);
    // The caption of `I_Station`.
    void stationAffichee(const QString& texte);
    // Stored list indexes of the band and the mode.
    void bandeModeChoisis(int bande, int mode);
    // The log of the station now current is to be loaded into the list, no
    // line selected. Connected directly: the receiver sets *charge to false
    // when the program ended on the way.
    void logARecharger(bool* charge);

private:
    QString m_dossier;
    StockReglages& m_reglages;
    BoiteMessage& m_messages;
};
