#pragma once

#include <QString>
#include <QStringView>

// What a reading of the radio means for the log: the band of the frequency
// (by the amateur bands' edges of the band table) and the log's mode of the
// radio's mode. The radio's band or mode is given to the entry area only
// when it changes, so that a band or mode picked by hand stays until the
// radio moves to another.
class SuiviRadio {
public:
    // The log's mode ("SSB", "CW", "FM") of a hamlib mode name; empty for a
    // mode the log has no name for (the entry's mode then stays as it is).
    static QString modeDuLog(QStringView modeRadio);
    // The band list's index of a frequency in Hz; -1 outside every band.
    static int indexBande(qint64 hz);
    // "14 250,0 kHz": the frequency as the status line shows it.
    static QString texteFrequence(qint64 hz);
    // The status line of a reading: "Radio : 14 250,0 kHz USB", and ", hors
    // des bandes du log" outside every band.
    static QString texteLecture(qint64 hz, const QString& modeRadio);

    struct Changements {
        int bande = -1; // the band list's index to take; -1: none
        int mode = -1;  // the mode list's index to take; -1: none
    };
    // A reading: what changed since the last reading whose band or mode
    // could be given to the entry area.
    Changements lecture(qint64 hz, const QString& modeRadio);
    // The band or mode of the last reading could not be given to the entry
    // area (a QSO of the list is being edited): they are given at the first
    // reading after that, even unchanged.
    void nonPris(const Changements& changements);
    // The radio was lost or changed: its next reading is given as a change.
    void oublie();

private:
    int m_bande = -1;
    int m_mode = -1;
};
