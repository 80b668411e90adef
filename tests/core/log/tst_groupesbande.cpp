#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/Groupe.h"
#include "core/log/MoulinContacte.h"

#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssai;
using namespace OutilsTest;

class TestGroupesBande : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void groupesDeBandes_data()
    {
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("groupe");
        QTest::newRow("18") << "18 Mhz"
                            << "HF";
        QTest::newRow("1.8") << "1.8 Mhz"
                             << "HF";
        QTest::newRow("50 is HF") << "50 Mhz"
                                  << "HF";
        QTest::newRow("10 in no group") << "10 Mhz"
                                        << "";
        QTest::newRow("144") << "144 Mhz"
                             << "VHF";
        QTest::newRow("432") << "432 Mhz"
                             << "UHF";
        QTest::newRow("blanks around") << "  14 Mhz  "
                                       << "HF";
        QTest::newRow("padded column") << "14 Mhz "
                                       << "HF";
        QTest::newRow("capital H") << "14 MHz"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("typed text") << "2M"
                                    << "";
    }
    void groupesDeBandes()
    {
        QFETCH(QString, bande);
        QFETCH(QString, groupe);
        QCOMPARE(Groupe_Bande(bande), groupe);
    }

    void rechercheMoulin_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("groupe");
        QTest::addColumn<bool>("estTrouve");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("bandeTrouvee");
        QTest::newRow("VHF only, asked HF") << "77121"
                                            << "HF" << false << ""
                                            << "";
        QTest::newRow("VHF first in file") << "77121"
                                           << "VHF" << true << "01/02/09"
                                           << "144 Mhz";
        QTest::newRow("HF first not latest") << "91005"
                                             << "HF" << true << "03/04/09"
                                             << "14 Mhz";
        QTest::newRow("10 Mhz never matches") << "2a001"
                                              << "HF" << false << ""
                                              << "";
        QTest::newRow("unknown reference") << "99999"
                                           << "HF" << false << ""
                                           << "";
        QTest::newRow("no group") << "77121"
                                  << "" << false << ""
                                  << "";
    }
    void rechercheMoulin()
    {
        QFETCH(QString, reference);
        QFETCH(QString, groupe);
        QFETCH(bool, estTrouve);
        QFETCH(QString, date);
        QFETCH(QString, bandeTrouvee);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("F1ABC_KZT.log");
        QVERIFY(ecritOctets(chemin, fichierDe({
                                        ligneQso("F5AAA", "01/02/09", "10:00", "144 Mhz", "77121"),
                                        ligneQso("F5BBB", "02/02/09", "10:00", "144 Mhz", "77121"),
                                        ligneQso("F5CCC", "03/04/09", "10:00", "14 Mhz", "91005"),
                                        ligneQso("F5DDD", "04/04/09", "10:00", "7.0 Mhz", "91005"),
                                        ligneQso("F5EEE", "05/04/09", "10:00", "10 Mhz", "2a001"),
                                    })));
        Statut statut;
        const MoulinContacte m = Moulin_Deja_Contacte(chemin, reference, groupe, &statut);
        QVERIFY(statut.estOk());
        QCOMPARE(m.trouve, estTrouve);
        QCOMPARE(m.date, date);
        QCOMPARE(m.bande, bandeTrouvee);
    }

    void logVideOuAbsentNeTrouveRien()
    {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("F1ABC_KZT.log");
        Statut statut;
        QVERIFY(!Moulin_Deja_Contacte(chemin, "77121", "HF", &statut).trouve);
        QCOMPARE(statut.code, Statut::Absent);
        QVERIFY(ecritOctets(chemin, ""));
        QVERIFY(!Moulin_Deja_Contacte(chemin, "77121", "HF", &statut).trouve);
        QVERIFY(statut.estOk());
    }
};

QTEST_GUILESS_MAIN(TestGroupesBande)
#include "tst_groupesbande.moc"
