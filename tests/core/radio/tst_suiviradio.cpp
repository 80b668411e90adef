// What a reading of the radio means for the log (the band by the amateur
// bands' edges, the mode, the status text, the changes given to the entry),
// the radio's settings as the settings file holds them, and the waits before
// a new try after a loss.
#include "core/log/Groupe.h"
#include "core/platform/StockReglages.h"
#include "core/platform/Systeme.h"
#include "core/radio/PosteRigctldLance.h"
#include "core/radio/Radio.h"
#include "core/radio/ReglagesRadio.h"
#include "core/radio/SuiviRadio.h"

#include <QTemporaryDir>
#include <QTest>

class TestSuiviRadio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bandeDeLaRadio_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("bande");
        const struct {
            const char* nom;
            qint64 bas, haut;
            const char* bande;
        } bords[] = {
            {"160m", 1810000, 2000000, "1.8 Mhz"},   {"80m", 3500000, 3800000, "3.5 Mhz"},
            {"40m", 7000000, 7200000, "7.0 Mhz"},    {"30m", 10100000, 10150000, "10 Mhz"},
            {"20m", 14000000, 14350000, "14 Mhz"},   {"17m", 18068000, 18168000, "18 Mhz"},
            {"15m", 21000000, 21450000, "21 Mhz"},   {"12m", 24890000, 24990000, "24 Mhz"},
            {"10m", 28000000, 29700000, "28 Mhz"},   {"6m", 50000000, 52000000, "50 Mhz"},
            {"2m", 144000000, 146000000, "144 Mhz"}, {"70cm", 430000000, 440000000, "432 Mhz"}};
        for (const auto& b : bords) {
            QTest::addRow("%s lower edge", b.nom) << b.bas << b.bande;
            QTest::addRow("%s upper edge", b.nom) << b.haut << b.bande;
            QTest::addRow("%s below", b.nom) << b.bas - 1 << "";
            QTest::addRow("%s above", b.nom) << b.haut + 1 << "";
        }
        QTest::newRow("160m ADIF edge, not the radio's") << qint64(1800000) << "";
        QTest::newRow("middle of 20m") << qint64(14250000) << "14 Mhz";
        QTest::newRow("zero") << qint64(0) << "";
        QTest::newRow("10 GHz") << qint64(10368000000) << "";
    }
    void bandeDeLaRadio()
    {
        QFETCH(qint64, hz);
        QFETCH(QString, bande);
        const int index = SuiviRadio::indexBande(hz);
        QCOMPARE(index < 0 ? QString() : listeBandes().at(index), bande);
        const DefinitionBande* d = definitionRadio(hz);
        QCOMPARE(d ? QString::fromUtf16(d->libelle) : QString(), bande);
    }

    void modeDuLog_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("log");
        for (const char* m : {"USB", "LSB", "ECSSUSB", "ECSSLSB", "usb"})
            QTest::addRow("%s", m) << m << "SSB";
        for (const char* m : {"CW", "CWR"})
            QTest::addRow("%s", m) << m << "CW";
        for (const char* m : {"FM", "FMN", "WFM"})
            QTest::addRow("%s", m) << m << "FM";
        for (const char* m : {"AM", "PKTUSB", "RTTY", "CWX", ""})
            QTest::addRow("other %s", m) << m << "";
    }
    void modeDuLog()
    {
        QFETCH(QString, radio);
        QFETCH(QString, log);
        QCOMPARE(SuiviRadio::modeDuLog(radio), log);
    }

    void texteLecture_data()
    {
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("texte");
        QTest::newRow("20m") << qint64(14250000) << "USB"
                             << "Radio : 14 250,0 kHz USB";
        QTest::newRow("40m") << qint64(7050000) << "CW"
                             << "Radio : 7 050,0 kHz CW";
        QTest::newRow("rounded down") << qint64(14250049) << "USB"
                                      << "Radio : 14 250,0 kHz USB";
        QTest::newRow("rounded up") << qint64(14250050) << "USB"
                                    << "Radio : 14 250,1 kHz USB";
        QTest::newRow("2m") << qint64(144300000) << "FM"
                            << "Radio : 144 300,0 kHz FM";
        QTest::newRow("out of the log's bands")
            << qint64(10368000000) << "USB"
            << "Radio : 10 368 000,0 kHz USB, hors des bandes du log";
        QTest::newRow("mode the log lacks") << qint64(14080000) << "PKTUSB"
                                            << "Radio : 14 080,0 kHz PKTUSB";
    }
    void texteLecture()
    {
        QFETCH(qint64, hz);
        QFETCH(QString, mode);
        QFETCH(QString, texte);
        QCOMPARE(SuiviRadio::texteLecture(hz, mode), texte);
    }

    // Each step: a reading, or the entry area refusing the last changes.
    void suivi_data()
    {
        QTest::addColumn<QList<qint64>>("frequences");
        QTest::addColumn<QStringList>("modes");
        QTest::addColumn<QList<bool>>("refuses");
        QTest::addColumn<QStringList>("attendus"); // "band,mode" indexes given, -1 none
        QTest::newRow("first reading gives both") << QList<qint64>{14250000} << QStringList{"USB"}
                                                  << QList<bool>{false} << QStringList{"4,0"};
        QTest::newRow("same reading again gives nothing")
            << QList<qint64>{14250000, 14251000} << QStringList{"USB", "USB"}
            << QList<bool>{false, false} << QStringList{"4,0", "-1,-1"};
        QTest::newRow("band change alone")
            << QList<qint64>{14250000, 7050000} << QStringList{"USB", "LSB"}
            << QList<bool>{false, false} << QStringList{"4,0", "2,-1"};
        QTest::newRow("mode change alone")
            << QList<qint64>{7050000, 7030000} << QStringList{"LSB", "CW"}
            << QList<bool>{false, false} << QStringList{"2,0", "-1,1"};
        QTest::newRow("out of band keeps the band")
            << QList<qint64>{14250000, 10368000000, 14250000} << QStringList{"USB", "USB", "USB"}
            << QList<bool>{false, false, false} << QStringList{"4,0", "-1,-1", "-1,-1"};
        QTest::newRow("unknown mode keeps the mode")
            << QList<qint64>{14250000, 14080000, 14250000} << QStringList{"USB", "PKTUSB", "USB"}
            << QList<bool>{false, false, false} << QStringList{"4,0", "-1,-1", "-1,-1"};
        QTest::newRow("refused while editing, given after")
            << QList<qint64>{14250000, 14250000} << QStringList{"USB", "USB"}
            << QList<bool>{true, false} << QStringList{"4,0", "4,0"};
    }
    void suivi()
    {
        QFETCH(QList<qint64>, frequences);
        QFETCH(QStringList, modes);
        QFETCH(QList<bool>, refuses);
        QFETCH(QStringList, attendus);
        SuiviRadio s;
        for (qsizetype i = 0; i < frequences.size(); ++i) {
            const SuiviRadio::Changements c = s.lecture(frequences.at(i), modes.at(i));
            QCOMPARE(QStringLiteral("%1,%2").arg(c.bande).arg(c.mode), attendus.at(i));
            if (refuses.at(i))
                s.nonPris(c);
        }
    }

    void reglagesRefuses_data()
    {
        QTest::addColumn<int>("modele");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("debut"); // of the message; empty: accepted
        using T = ReglagesRadio::TypePort;
        QTest::newRow("no radio") << 0 << int(T::Serie) << ""
                                  << "";
        QTest::newRow("dummy radio needs no port") << 1 << int(T::Aucun) << ""
                                                   << "";
        QTest::newRow("serial without port") << 3073 << int(T::Serie) << ""
                                             << "Indiquez le port";
#ifndef Q_OS_WIN
        // Windows has no device files: its build reaches a radio through
        // rigctld only, never by a serial port of its own.
        QTest::newRow("serial device") << 3073 << int(T::Serie) << "/dev/null"
                                       << "";
#endif
        QTest::newRow("serial port missing") << 3073 << int(T::Serie) << "/dev/ttyUSB97"
                                             << "Le port « /dev/ttyUSB97 » n'existe pas";
        QTest::newRow("serial port a folder") << 3073 << int(T::Serie) << "/tmp"
                                              << "« /tmp » n'est pas un port série";
        QTest::newRow("network host:port") << 2 << int(T::Reseau) << "localhost:4532"
                                           << "";
        QTest::newRow("network without port") << 2 << int(T::Reseau) << "localhost"
                                              << "L'adresse « localhost » n'est pas";
        QTest::newRow("network port too large") << 2 << int(T::Reseau) << "localhost:99999"
                                                << "L'adresse « localhost:99999 »";
        QTest::newRow("network empty") << 2 << int(T::Reseau) << ""
                                       << "Indiquez l'adresse";
        // The type -1: a rigctld daemon at that address, whatever the model.
        QTest::newRow("rigctld host:port") << 0 << -1 << "localhost:4532"
                                           << "";
        QTest::newRow("rigctld IPv6") << 0 << -1 << "[::1]:4532"
                                      << "";
        QTest::newRow("rigctld empty") << 3073 << -1 << ""
                                       << "Indiquez l'adresse";
        QTest::newRow("rigctld without port") << 0 << -1 << "localhost"
                                              << "L'adresse « localhost » n'est pas";
    }
    void reglagesRefuses()
    {
        QFETCH(int, modele);
        QFETCH(int, type);
        QFETCH(QString, port);
        QFETCH(QString, debut);
        ReglagesRadio r;
        r.modele = modele;
        r.port = port;
        if (type < 0) {
            r.liaison = ReglagesRadio::Liaison::Rigctld;
            r.rigctld = port;
            r.port = QStringLiteral("/dev/ttyUSB97");
            type = int(ReglagesRadio::TypePort::Serie);
        }
        QVERIFY(r.avecRadio() || debut.isEmpty());
        const QString message = r.defaut(ReglagesRadio::TypePort(type));
        if (debut.isEmpty())
            QCOMPARE(message, QString());
        else
            QVERIFY2(message.startsWith(debut), qPrintable(message));
    }

    void reglagesLus_data()
    {
        QTest::addColumn<QString>("modele");
        QTest::addColumn<QString>("intervalle");
        QTest::addColumn<int>("modeleLu");
        QTest::addColumn<int>("intervalleLu");
        QTest::newRow("absent") << QString() << QString() << 0 << 1000;
        QTest::newRow("as written") << "2"
                                    << "500" << 2 << 500;
        QTest::newRow("not numbers") << "abc"
                                     << "vite" << 0 << 1000;
        QTest::newRow("interval too short") << "2"
                                            << "50" << 2 << 200;
        QTest::newRow("interval too long") << "2"
                                           << "60000" << 2 << 10000;
        QTest::newRow("negative model") << "-5"
                                        << "1000" << 0 << 1000;
    }
    void reglagesLus()
    {
        QFETCH(QString, modele);
        QFETCH(QString, intervalle);
        QFETCH(int, modeleLu);
        QFETCH(int, intervalleLu);
        QTemporaryDir dossier;
        StockReglages reglages(dossier.filePath("KZT.ini"));
        if (!modele.isNull())
            reglages.ecrit("Radio", "Modele", modele);
        if (!intervalle.isNull())
            reglages.ecrit("Radio", "Intervalle", intervalle);
        const ReglagesRadio r = ReglagesRadio::lit(reglages);
        QCOMPARE(r.modele, modeleLu);
        QCOMPARE(r.intervalle, intervalleLu);

        // Written back, the same settings are read.
        ReglagesRadio ecrits = r;
        ecrits.port = "127.0.0.1:4532";
        ecrits.vitesse = 9600;
        QVERIFY(ecrits.ecrit(reglages).estOk());
        QCOMPARE(ReglagesRadio::lit(StockReglages(dossier.filePath("KZT.ini"))), ecrits);
        // The way through rigctld, in keys of its own: the others stay.
        ecrits.liaison = ReglagesRadio::Liaison::Rigctld;
        ecrits.rigctld = "192.168.1.20:4532";
        QVERIFY(ecrits.ecrit(reglages).estOk());
        QCOMPARE(ReglagesRadio::lit(StockReglages(dossier.filePath("KZT.ini"))), ecrits);
        QCOMPARE(reglages.lit("Radio", "Liaison", ""), QStringLiteral("rigctld"));
        QCOMPARE(reglages.lit("Radio", "Port", ""), QStringLiteral("127.0.0.1:4532"));
        // The rigctld the program starts: hamlib's model, port and speed,
        // and the folder that holds rigctld (by default the system's own:
        // /usr/bin, or hamlib's folder found on Windows).
        QCOMPARE(r.dossierHamlib, Systeme::dossierHamlib());
        ecrits.liaison = ReglagesRadio::Liaison::RigctldLance;
        ecrits.dossierHamlib = "/opt/hamlib/bin";
        QVERIFY(ecrits.ecrit(reglages).estOk());
        QCOMPARE(ReglagesRadio::lit(StockReglages(dossier.filePath("KZT.ini"))), ecrits);
        QCOMPARE(reglages.lit("Radio", "Liaison", ""), QStringLiteral("rigctld-lance"));
        QCOMPARE(reglages.lit("Radio", "DossierHamlib", ""), QStringLiteral("/opt/hamlib/bin"));
    }

    // The list of "rigctld -l": its columns where its heading puts them.
    void listeRigctld_data()
    {
        const QByteArray entete =
            " Rig #  Mfg                    Model                   Version   "
            "      Status      Macro\n";
        const QByteArray factice = "     1  Hamlib                 Dummy                   "
                                   "20221128.0      Stable      RIG_MODEL_DUMMY\n";
        const QByteArray long_ = "  23003  DTTS Microwave Society DttSP IPC               "
                                 "20200319.0      Beta        RIG_MODEL_DTTSP\n";
        QTest::addColumn<QByteArray>("sortie");
        QTest::addColumn<QStringList>("modeles"); // number|maker|model
        QTest::newRow("as written")
            << entete + factice + long_
            << QStringList{"1|Hamlib|Dummy", "23003|DTTS Microwave Society|DttSP IPC"};
        QByteArray windows = entete + factice;
        windows.replace("\n", "\r\n");
        QTest::newRow("Windows' line ends") << windows << QStringList{"1|Hamlib|Dummy"};
        QTest::newRow("noise and blank lines")
            << "initrigs4_dummy: _init called\n" + entete + "\n" + factice + "  rigs: 1\n"
            << QStringList{"1|Hamlib|Dummy"};
        QTest::newRow("no heading") << factice << QStringList();
        QTest::newRow("nothing") << QByteArray() << QStringList();
    }
    void listeRigctld()
    {
        QFETCH(QByteArray, sortie);
        QFETCH(QStringList, modeles);
        QStringList lus;
        for (const Radio::Modele& m : PosteRigctldLance::lisListe(sortie))
            lus << QStringLiteral("%1|%2|%3").arg(m.numero).arg(m.fabricant, m.nom);
        QCOMPARE(lus, modeles);
    }

    // What rigctld says on its error output, as the status line says it.
    void erreursRigctld_data()
    {
        QTest::addColumn<QByteArray>("erreurs");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("raison");
        QTest::newRow("serial port missing")
            << QByteArray("serial_open: Unable to open /dev/ttyUSB0 - No such file or directory\n"
                          "port_open: serial_open(/dev/ttyUSB0) status=-6\n")
            << "/dev/ttyUSB0"
            << "port /dev/ttyUSB0 introuvable";
        QTest::newRow("COM port missing")
            << QByteArray("serial_open: Unable to open COM3 - No such file or directory\r\n")
            << "COM3"
            << "port COM3 introuvable";
        QTest::newRow("port taken")
            << QByteArray("serial_open: Unable to open COM3 - Permission denied\n") << "COM3"
            << "accès refusé au port COM3 (utilisé par un autre programme ?)";
        QTest::newRow("advice after the error")
            << QByteArray("Unknown rig num 999999, or initialization error.\nPlease check with "
                          "--list option.\n")
            << ""
            << "modèle inconnu de ce rigctld";
        QTest::newRow("unknown error, as it is")
            << QByteArray("rig_open: error = Protocol error\n\n") << "COM3"
            << "rigctld : rig_open: error = Protocol error";
        QTest::newRow("nothing said") << QByteArray() << "COM3"
                                      << "";
    }
    void erreursRigctld()
    {
        QFETCH(QByteArray, erreurs);
        QFETCH(QString, port);
        QFETCH(QString, raison);
        QCOMPARE(PosteRigctldLance::traduit(erreurs, port), raison);
    }

    // The waits before a new try: 5 s during the first minute after a loss,
    // 30 s afterwards, for the radio; 5 s, 15 s, then 60 s for the cluster.
    void backOff_data()
    {
        QTest::addColumn<qint64>("depuis"); // ms since the loss
        QTest::addColumn<int>("attente");
        QTest::newRow("at the loss") << qint64(0) << 5000;
        QTest::newRow("within the minute") << qint64(59999) << 5000;
        QTest::newRow("after the minute") << qint64(60000) << 30000;
        QTest::newRow("an hour later") << qint64(3600000) << 30000;
    }
    void backOff()
    {
        QFETCH(qint64, depuis);
        QFETCH(int, attente);
        QCOMPARE(Radio::Delais().attente(depuis), attente);
    }
};

QTEST_GUILESS_MAIN(TestSuiviRadio)
#include "tst_suiviradio.moc"
