#pragma once

#include "ReglagesRadio.h"
#include "core/platform/Statut.h"

#include <QList>
#include <QObject>
#include <QString>

class QThread;
class PosteHamlib;

// The station's radio, read through hamlib. Every hamlib call runs on one
// worker thread that owns the radio's handle (hamlib is not thread-safe):
// this object, on the windows' thread, only sends it orders and receives
// what it read, so that nothing here ever waits for the radio. A radio that
// stops answering is closed and opened again, every 5 s during the first
// minute, then every 30 s.
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
    };

    explicit Radio(QObject* parent = nullptr);
    Radio(const Delais& delais, QObject* parent);
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
    // "CW", "FM"), or a sideband given ("USB", "LSB"); empty: the mode
    // stays. Refused with a French message when
    // no radio is connected; otherwise sent, and the next reading shows it.
    Statut accorde(qint64 hz, const QString& mode);

    // Asks for hamlib's list of models (modelesRecus), and for a test of
    // settings without changing the radio in use (testTermine).
    void demandeModeles();
    void teste(const ReglagesRadio& reglages);

Q_SIGNALS:
    // A reading of the radio: its frequency in Hz and hamlib's name of its
    // mode ("USB", "CW", "PKTUSB"...).
    void lu(qint64 hz, const QString& mode);
    void statutChange(const QString& statut);
    void modelesRecus(const QList<Radio::Modele>& modeles);
    // The result of teste(), in French: what was read, or why it failed.
    void testTermine(bool reussi, const QString& message);

private:
    void connecteEtat(bool connectee, const QString& statut);
    void recoitLecture(qint64 hz, const QString& mode);
    void changeStatut(const QString& statut);

    QThread* m_fil;
    PosteHamlib* m_poste;
    ReglagesRadio m_reglages;
    bool m_connectee = false;
    QString m_statut;
};

Q_DECLARE_METATYPE(Radio::Modele)
