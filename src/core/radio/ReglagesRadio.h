#pragma once

#include "core/platform/Statut.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

class StockReglages;

// The radio of the station, as the section "Radio" of the settings gives it
// (global to the computer): how it is reached (through hamlib's library,
// through a rigctld daemon at host:port, or through a rigctld the program
// starts itself from hamlib's folder), hamlib's model number, the port (a
// serial device such as /dev/ttyUSB0, or host:port for the models served
// over the network), the serial speed and the polling interval.
struct ReglagesRadio {
    static inline const QString section = QStringLiteral("Radio");
    static inline const QString cleModele = QStringLiteral("Modele");
    static inline const QString clePort = QStringLiteral("Port");
    static inline const QString cleVitesse = QStringLiteral("Vitesse");
    static inline const QString cleIntervalle = QStringLiteral("Intervalle");
    static inline const QString cleLiaison = QStringLiteral("Liaison");
    static inline const QString cleRigctld = QStringLiteral("Rigctld");
    static inline const QString cleDossierHamlib = QStringLiteral("DossierHamlib");
    // The values of cleLiaison; absent: hamlib.
    static inline const QString liaisonHamlib = QStringLiteral("hamlib");
    static inline const QString liaisonRigctld = QStringLiteral("rigctld");
    static inline const QString liaisonRigctldLance = QStringLiteral("rigctld-lance");

    // hamlib's library in the program, rigctld's network protocol, or
    // that protocol spoken to a rigctld the program starts (model, port and
    // speed as for hamlib's library).
    enum class Liaison { Hamlib, Rigctld, RigctldLance };

    // How a model is reached: no port at all (hamlib's dummy radio), a
    // serial device, host:port over the network, or another kind of port
    // that hamlib names by a path of its own (USB, parallel...).
    enum class TypePort { Aucun, Serie, Reseau, Autre };

    static constexpr int aucuneRadio = 0;
    static constexpr int intervalleDefaut = 1000;
    static constexpr int intervalleMin = 200;
    static constexpr int intervalleMax = 10000;

    Liaison liaison = Liaison::Hamlib;
    int modele = aucuneRadio;
    QString port;
    int vitesse = 0; // bauds; 0: the model's own
    int intervalle = intervalleDefaut;
    QString rigctld; // host:port of the daemon
    // The folder that holds rigctld, for the one the program starts; read
    // as defautDossierHamlib() when the settings name none.
    QString dossierHamlib;

    bool avecRadio() const { return liaison == Liaison::Rigctld || modele != aucuneRadio; }
    // Where the radio is reached: the daemon's host:port through rigctld,
    // the port otherwise.
    const QString& adresse() const { return liaison == Liaison::Rigctld ? rigctld : port; }

    // What the settings hold; a value that is not a number reads as its
    // default, and an interval out of its range as the nearest limit.
    static ReglagesRadio lit(const StockReglages& reglages);
    Statut ecrit(StockReglages& reglages) const;

    // Why these settings cannot open a radio of a model reached that way, in
    // French; empty when they can be tried. Checks what can be known without
    // the radio: the port given, a serial port that is a device, host:port
    // for a network model and for rigctld.
    QString defaut(TypePort type) const;
    // A serial port as the system names them, for the examples shown.
    static QString exemplePortSerie();
    // The serial ports the system knows of, for the choice of a port.
    static QStringList portsSerie();

    // The folder of hamlib's programs when the settings name none.
    static QString defautDossierHamlib();

    bool operator==(const ReglagesRadio&) const = default;
};

Q_DECLARE_METATYPE(ReglagesRadio)
