#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/cluster/IndexMoulins.h"
#include "core/exchange/Importation.h"
#include "core/log/Groupe.h"
#include "core/log/MoulinContacte.h"
#include "core/log/ReferenceMoulin.h"
#include "core/platform/Horloge.h"

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

    // One log, and the same windmill asked by the three that ask it: the
    // entry (the reference typed, lower-cased), the import (SIG_INFO of a
    // record) and the windmill hunt (a spot's comment). They always agree.
    void memeReponsePartout_data()
    {
        QTest::addColumn<QString>("tapee");     // in Ref_A, after Enter
        QTest::addColumn<QString>("exterieur"); // SIG_INFO, and the comment after "KZT "
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("date");   // of the first QSO; empty: none
        QTest::addColumn<QString>("chasse"); // the hunt's status when not contacted
        QTest::newRow("VHF only, asked on 20 m") << "77121"
                                                 << "77121"
                                                 << "14 Mhz"
                                                 << ""
                                                 << "Nouveau département";
        QTest::newRow("VHF, first in file") << "77121"
                                            << "77-121"
                                            << "144 Mhz"
                                            << "01/02/09"
                                            << "";
        QTest::newRow("HF, another band of the group") << "91005"
                                                       << "91005"
                                                       << "7.0 Mhz"
                                                       << "03/04/09"
                                                       << "";
        QTest::newRow("Corsica as stored") << "2a002"
                                           << "2A002"
                                           << "21 Mhz"
                                           << "06/04/09"
                                           << "";
        QTest::newRow("hand-edited 2A001 is not 2a001") << "2a001"
                                                        << "2a001"
                                                        << "14 Mhz"
                                                        << ""
                                                        << "Nouveau moulin";
        QTest::newRow("96 is not Corsica") << "96002"
                                           << "96002"
                                           << "14 Mhz"
                                           << ""
                                           << "";
        QTest::newRow("2a after a 96 on 2 m: a new department") << "2a005"
                                                                << "2A005"
                                                                << "144 Mhz"
                                                                << ""
                                                                << "Nouveau département";
        QTest::newRow("10 Mhz counts for no group") << "2b001"
                                                    << "2B001"
                                                    << "10 Mhz"
                                                    << ""
                                                    << "Hors groupe";
    }
    void memeReponsePartout()
    {
        QFETCH(QString, tapee);
        QFETCH(QString, exterieur);
        QFETCH(QString, bande);
        QFETCH(QString, date);
        QFETCH(QString, chasse);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath("F1ABC_KZT.log");
        // "96" is typed as a department now and then; it is not Corsica.
        const QStringList log = {
            ligneQso("F5AAA", "01/02/09", "10:00", "144 Mhz", "77121"),
            ligneQso("F5CCC", "03/04/09", "10:00", "14 Mhz", "91005"),
            ligneQso("F5EEE", "05/04/09", "10:00", "10 Mhz", "2b001"),
            ligneQso("F5FFF", "05/04/09", "11:00", "14 Mhz", "2A001"),
            ligneQso("F5GGG", "06/04/09", "10:00", "18 Mhz", "2a002"),
            ligneQso("F5HHH", "07/04/09", "10:00", "144 Mhz", "96002"),
        };
        QVERIFY(ecritOctets(chemin, fichierDe(log)));
        const DefinitionBande* b = definitionDe(bande);
        QVERIFY(b);

        // The entry's warning.
        const MoulinContacte m = Moulin_Deja_Contacte(chemin, tapee, b->groupe);
        QCOMPARE(m.trouve, !date.isEmpty());
        QCOMPARE(m.date, date);

        // The hunt's status of a spot on that band.
        IndexMoulins index;
        QVERIFY(index.construit(chemin).estOk());
        const qint64 hz = (b->khzRadioBas + 10) * 1000;
        const IndexMoulins::Marque marque =
            index.marque(ReferenceMoulin::lue(QStringLiteral("KZT ") + exterieur), hz);
        QCOMPARE(marque.etat == IndexMoulins::Etat::DejaContacte, !date.isEmpty());
        if (!date.isEmpty())
            QCOMPARE(marque.texte, QStringLiteral("Déjà contacté le %1 sur %2").arg(date, m.bande));
        else
            QCOMPARE(marque.texte, chasse);

        // The import's rule for a record of that windmill.
        const QString record =
            QStringLiteral("<CALL:5>F4NEW<QSO_DATE:8>20240101<TIME_ON:4>1200<BAND:%1>%2<MODE:2>CW"
                           "<SIG:3>KZT<SIG_INFO:%3>%4<EOR>")
                .arg(qstrlen(b->adif))
                .arg(QLatin1String(b->adif))
                .arg(exterieur.size())
                .arg(exterieur);
        QVERIFY(ecritOctets(dossier.filePath("entree.adi"), record.toUtf8()));
        const HorlogeSysteme horloge;
        const Importation::Bilan bilan = Importation::importeFichier(
            dossier.path(), "F1ABC", dossier.filePath("entree.adi"), horloge);
        QVERIFY(bilan.statut.estOk());
        const bool rejeteCommeContacte =
            !bilan.rejets.empty() &&
            bilan.rejets.front().raison == Importation::raisonMoulinDejaContacte(date, m.bande);
        QCOMPARE(rejeteCommeContacte, !date.isEmpty());
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
