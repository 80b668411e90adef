#pragma once

#include <QChar>
#include <QString>

class MessageBox;
class SettingsStore;

// What a change of station does to the main window around it.
class StationHost {
public:
    virtual ~StationHost() = default;
    virtual void Change_Indicatif_Courant(const QString& indicatif) = 0;
    // The caption of `I_Station`.
    virtual void Affiche_Station(const QString& texte) = 0;
    // Stored list indexes of the band and the mode.
    virtual void Choisit_Bande_Mode(int bande, int mode) = 0;
    // Loads the log of the station now current into the list, no line
    // selected. False when the program ended on the way.
    virtual bool Recharge_Log() = 0;
};

// The choice of the station callsign as plain logic: the checks of the
// candidate, the creation of a new station's log, the settings, and what the
// main window is told. The window `Station` shows the field and the button.
class StationModel {
public:
    static constexpr int Longueur_Maxi = 12;

    // What the window does with its field after "Validez".
    enum class Issue {
        Refuse,        // a message was shown; the field keeps its text
        Refuse_Vidage, // a message was shown; the field is emptied
        Accepte,       // the station changed; the window closes
        Fin,           // the program ended while reloading the log
    };

    StationModel(const QString& dossier, SettingsStore& reglages, MessageBox& messages,
                 StationHost& hote);

    // The station callsign of the settings; "FXXXX" when it is absent or is
    // not a valid callsign.
    static QString Indicatif_Enregistre(const SettingsStore& reglages);

    // The refusal of a candidate (already in upper case), and whether the
    // field is emptied with it; an empty message when it is accepted.
    struct Refus {
        QString message;
        bool vide = false;
    };
    static Refus Verifie(const QString& candidat);
    // A character typed in the field, as it goes in: a lower-case letter a to
    // z as upper case, "/" as "_" (file names cannot hold "/"), any other as
    // typed.
    static QChar Touche(QChar c);

    // The window loads: the stored callsign becomes the current one.
    void Charge();
    // "Validez" with the text of the field.
    Issue Validation(const QString& saisie);

private:
    QString m_dossier;
    SettingsStore& m_reglages;
    MessageBox& m_messages;
    StationHost& m_hote;
};
