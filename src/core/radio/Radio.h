#pragma once

#include "ReglagesRadio.h"
#include "core/platform/Reprise.h"
#include "core/platform/Statut.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class FilDeTravail;
class Horloge;
class TravailRadio;

// The station's radio, read through hamlib or through a rigctld daemon.
// Every call to the radio runs on one worker thread that owns its handle
// (hamlib is not thread-safe): this object, on the windows' thread, only
// sends it orders and receives what it read, so that nothing here ever waits
// for the radio. A radio that stops answering is closed and opened again,
// every 5 s during the first minute, then every 30 s. An order the radio
// refuses (a mode it lacks) is said in the status line; the radio stays.
class Radio : public QObject {
    Q_OBJECT
public:
    // One model of hamlib's list.
    struct Modele {
        int numero = 0;
        QString fabricant;
        QString nom;
        ReglagesRadio::TypePort port = ReglagesRadio::TypePort::Serie;
    };
    // How long the radio waits before trying again, in ms.
    struct Delais {
        int premiers = 5000;  // during the first minute after a loss
        int suivants = 30000; // afterwards
        int duree = 60000;    // the first minute

        DelaisReprise reprise() const { return {premiers, suivants, suivants, duree}; }
        // The wait before a try, that long after the loss.
        int attente(qint64 depuisPerte) const { return reprise().attente(1, depuisPerte); }
    };

    explicit Radio(QObject* parent = nullptr);
    // The clock, when given, times the first minute after a loss.
    Radio(const Delais& delais, QObject* parent, const Horloge* horloge = nullptr);
    ~Radio() override;

    // Opens the radio of these settings (closes the previous one); no radio
    // when the model is none. Refused at once, with the status saying why,
    // for settings that cannot open a radio.
    void configure(const ReglagesRadio& reglages);
    const ReglagesRadio& reglages() const { return m_reglages; }

    bool estConnectee() const { return m_connectee; }
    // The status line: the frequency and mode read, the state of the
    // connection, or empty when no radio is set.
    const QString& statut() const { return m_statut; }

    // Tunes the radio to the frequency in Hz and the log's mode ("SSB",
    // "CW", "FM", a data mode such as "FT8"), or a sideband given ("USB",
    // "LSB", "PKTUSB"): ModesLog::modeRadio. A data mode puts the radio in
    // its data mode on USB, or on USB itself when it has none. Any other
    // mode, or none: the mode stays. Refused with a French message when no
    // radio is connected; otherwise sent, and the next reading shows it.
    Statut accorde(qint64 hz, const QString& mode);

    // Asks for hamlib's list of models (modelesRecus): the library's, or,
    // for a rigctld the program starts, that of the rigctld these settings
    // name. And for a test of settings without changing the radio in use
    // (testTermine).
    void demandeModeles(const ReglagesRadio& reglages = ReglagesRadio());
    void teste(const ReglagesRadio& reglages);

Q_SIGNALS:
    // A reading of the radio: its frequency in Hz and hamlib's name of its
    // mode ("USB", "CW", "PKTUSB"...).
    void lu(qint64 hz, const QString& mode);
    void statutChange(const QString& statut);
    // hamlib's models; when hamlib cannot be loaded, none, and why.
    void modelesRecus(const QList<Radio::Modele>& modeles, const QString& manque);
    // The result of teste(), in French: what was read, or why it failed.
    void testTermine(bool reussi, const QString& message);

private:
    void recoitEtat(bool connectee, const QString& statut);
    void recoitLecture(qint64 hz, const QString& mode);
    void recoitRefus(const QString& statut);
    void changeStatut(const QString& statut);

    TravailRadio* m_travail;
    std::unique_ptr<FilDeTravail> m_fil;
    ReglagesRadio m_reglages;
    bool m_connectee = false;
    QString m_statut;
    // A refusal stays said until the radio shows something else.
    QString m_refus;
    qint64 m_hz = -1;
    QString m_mode;
};

Q_DECLARE_METATYPE(Radio::Modele)
