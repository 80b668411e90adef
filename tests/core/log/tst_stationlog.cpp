// The log of a station read and changed: its creation, its lines loaded and
// numbered, the place of a QSO recorded or inserted by date, lines replaced
// and deleted, foreign line ends, and callsigns that name no file.
#include "BancStationLog.h"
#include "JeuxEssai.h"
#include "OutilsTest.h"
#include "core/log/Affichage.h"
#include "core/log/StationLog.h"

#include <QTest>

using namespace JeuxEssai;
using namespace OutilsTest;

class TestStationLog : public QObject, protected BancStationLog {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

    void creeDepuisLeModeleSansJamaisRemplacer()
    {
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("FXXXX.txt"), ""));
        QVERIFY(StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC").estOk());
        QVERIFY(QFile::exists(m_cheminFichier));
        QCOMPARE(octetsLog(), QByteArray());

        ecritLeLog({ligneQso("F5XYZ")});
        const QByteArray avant = octetsLog();
        const Statut encore = StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC");
        QVERIFY(!encore.estOk());
        QVERIFY(encore.message.contains("existe déjà"));
        QCOMPARE(octetsLog(), avant);
    }

    void creationSansModeleEchoue()
    {
        const Statut s = StationLog::Cree_Log(m_dossierTemporaire->path(), "F1ABC");
        QVERIFY(!s.estOk());
        QVERIFY(s.message.contains("FXXXX.txt"));
        QVERIFY(!QFile::exists(m_cheminFichier));
    }

    void chargeLesLignesNumerotees()
    {
        QCOMPARE(log().Charge_Log().statut.code, Statut::Absent);
        ecritLeLog({});
        QVERIFY(log().Charge_Log().affichage.isEmpty());

        ecritLeLog({ligneQso("F5AAA"), ligneQso("F5BBB")});
        const StationLog::Lignes l = log().Charge_Log();
        QVERIFY(l.statut.estOk());
        QCOMPARE(l.affichage.versListe(),
                 (QStringList{Affichage::ligneAffichage(1, ligneQso("F5AAA")),
                              Affichage::ligneAffichage(2, ligneQso("F5BBB"))}));
        QVERIFY(!l.tronque());

        // The lines loaded stay as they were read while the log is replaced.
        QVERIFY(log().Supprime_QSO(ligneQso("F5AAA")).estOk());
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).estOk());
        QCOMPARE(l.affichage.at(0), Affichage::ligneAffichage(1, ligneQso("F5AAA")));
        QCOMPARE(l.affichage.last(), Affichage::ligneAffichage(2, ligneQso("F5BBB")));
        QCOMPARE(log().Charge_Log().affichage.last(),
                 Affichage::ligneAffichage(2, ligneQso("F1NEW")));
    }

    void logEnormeMontreCeQuiTientEtLeDit()
    {
        const QByteArray ligne = ligneQso("F5AAA").toLatin1() + "\r\n";
        QVERIFY(ecritOctets(m_cheminFichier, ligne.repeated(100001)));
        const StationLog::Lignes l = log().Charge_Log();
        QVERIFY(l.statut.estOk());
        QCOMPARE(l.total, qsizetype(100001));
        QCOMPARE(l.affichage.size(), qsizetype(99999));
        QVERIFY(l.tronque());
        QVERIFY(l.affichage.at(9999).startsWith("10000  F5AAA"));
        QVERIFY(l.affichage.last().startsWith("99999  F5AAA"));
    }

    void cleNumeroDeTete_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<double>("cle");
        QTest::newRow("letter") << QByteArray("F1ABC") << 0.0;
        QTest::newRow("digit then letter") << QByteArray("9A1AA") << 9.0;
        QTest::newRow("two digits") << QByteArray("4X4AB") << 4.0;
        QTest::newRow("leading blanks") << QByteArray("  12X") << 12.0;
        QTest::newRow("sign") << QByteArray("-3ABC") << -3.0;
        QTest::newRow("decimal") << QByteArray(".5ABC") << 0.5;
        QTest::newRow("exponent") << QByteArray("1E3XY") << 1000.0;
        QTest::newRow("D exponent") << QByteArray("2D2XY") << 200.0;
        QTest::newRow("E without digits") << QByteArray("3EXYZ") << 3.0;
        QTest::newRow("only five chars") << QByteArray("123456") << 12345.0;
        QTest::newRow("E alone") << QByteArray("E5ABC") << 0.0;
        QTest::newRow("empty") << QByteArray() << 0.0;
    }
    void cleNumeroDeTete()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(double, cle);
        QCOMPARE(StationLog::cleNumerique(ligne), cle);
    }

    void enregistrePlaceParNumeroDeTete_data()
    {
        QTest::addColumn<QStringList>("avant");
        QTest::addColumn<QString>("ajoutee");
        QTest::addColumn<int>("place");
        QTest::newRow("empty log") << QStringList{} << "F1AAA" << 0;
        QTest::newRow("letters only: appended") << QStringList{"F5AAA", "G4BBB"} << "F1AAA" << 2;
        QTest::newRow("before the first digit callsign")
            << QStringList{"F5AAA", "9A1AA", "F6CCC"} << "F1AAA" << 1;
        QTest::newRow("digit callsign after smaller")
            << QStringList{"4X4AA", "9A1AA"} << "5B4AA" << 1;
    }
    void enregistrePlaceParNumeroDeTete()
    {
        QFETCH(QStringList, avant);
        QFETCH(QString, ajoutee);
        QFETCH(int, place);
        QStringList lignes;
        for (const QString& c : avant)
            lignes << ligneQso(c);
        ecritLeLog(lignes);
        QVERIFY(log().Enregistre_QSO(ligneQso(ajoutee)).estOk());
        lignes.insert(place, ligneQso(ajoutee));
        QCOMPARE(octetsLog(), fichierDe(lignes));
    }

    void chronoPlaceParMoment_data()
    {
        QTest::addColumn<QStringList>("dates"); // "dd/mm/yy hh:mm" of the lines in the file
        QTest::addColumn<QString>("ajoutee");
        QTest::addColumn<int>("place");
        QTest::newRow("empty log") << QStringList{} << "01/01/10 10:00" << 0;
        QTest::newRow("1999 before 2000") << QStringList{"01/01/00 00:00"} << "31/12/99 23:59" << 0;
        QTest::newRow("2049 after 1950") << QStringList{"01/01/50 00:00"} << "01/01/49 00:00" << 1;
        QTest::newRow("same moment goes first")
            << QStringList{"05/06/09 12:00", "05/06/09 12:00"} << "05/06/09 12:00" << 0;
        QTest::newRow("middle") << QStringList{"05/06/09 12:00", "07/06/09 08:00"}
                                << "06/06/09 23:00" << 1;
        QTest::newRow("latest at end") << QStringList{"05/06/09 12:00"} << "05/06/09 12:01" << 1;
        QTest::newRow("unreadable line passed over")
            << QStringList{"05/06/09 12:00", "xx/06/09 12:00", "07/06/09 12:00"} << "06/06/09 12:00"
            << 2;
        QTest::newRow("non-calendar line passed over")
            << QStringList{"31/02/09 12:00", "07/06/09 12:00"} << "06/06/09 12:00" << 1;
    }
    void chronoPlaceParMoment()
    {
        QFETCH(QStringList, dates);
        QFETCH(QString, ajoutee);
        QFETCH(int, place);
        QStringList lignes;
        for (const QString& d : dates)
            lignes << ligneQso("F5AAA", d.left(8), d.mid(9));
        ecritLeLog(lignes);
        const QString ligne = ligneQso("F1NEW", ajoutee.left(8), ajoutee.mid(9));
        QVERIFY(log().Insere_QSO_Chrono(ligne).estOk());
        lignes.insert(place, ligne);
        QCOMPARE(octetsLog(), fichierDe(lignes));
    }

    void chronoRefuseUneDateHorsCalendrier_data()
    {
        QTest::addColumn<QString>("date");
        QTest::newRow("30 february") << "30/02/09";
        QTest::newRow("31 april") << "31/04/09";
        QTest::newRow("day 00") << "00/06/09";
        QTest::newRow("month 00") << "05/00/09";
    }
    void chronoRefuseUneDateHorsCalendrier()
    {
        QFETCH(QString, date);
        ecritLeLog({ligneQso("F5AAA")});
        const QByteArray avant = octetsLog();
        const Statut s = log().Insere_QSO_Chrono(ligneQso("F1NEW", date));
        QVERIFY(!s.estOk());
        QVERIFY2(s.message.contains(date), qPrintable(s.message));
        QCOMPARE(octetsLog(), avant);
    }

    void remplaceChaqueLigneEgaleOuAjoute()
    {
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB"), n = ligneQso("F1NEW");
        ecritLeLog({a, b, a});
        QVERIFY(log().Remplace_QSO(n, a).estOk());
        QCOMPARE(octetsLog(), fichierDe({n, b, n}));
        QVERIFY(log().Remplace_QSO(a, ligneQso("F9NONE")).estOk());
        QCOMPARE(octetsLog(), fichierDe({n, b, n, a}));
    }

    void ligneSansBlancsFinauxTrouvee()
    {
        // A text editor took the trailing blanks off a line without QSL.
        const QString a = ligneQso("F5AAA");
        QVERIFY(ecritOctets(m_cheminFichier,
                            texte(a) + "\r\n" + ligneQso("F5BBB").toLatin1() + "\r\n"));
        const QString affichees = Affichage::ligneAffichage(1, cp1252(a));
        QVERIFY(log().Supprime_QSO(Affichage::logLineDepuisAffichage(affichees, false)).estOk());
        QCOMPARE(octetsLog(), fichierDe({ligneQso("F5BBB")}));
    }

    void supprimeEffaceChaqueCopie()
    {
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB");
        ecritLeLog({a, b, a});
        QVERIFY(log().Supprime_QSO(a).estOk());
        QCOMPARE(octetsLog(), fichierDe({b}));
        QVERIFY(log().Supprime_QSO(ligneQso("F9NONE")).estOk());
        QCOMPARE(octetsLog(), fichierDe({b}));
    }

    void finsDeLigneEtrangeresGardees_data()
    {
        QTest::addColumn<QByteArray>("fin");
        QTest::newRow("lf only") << QByteArray("\n");
        QTest::newRow("cr only") << QByteArray("\r");
    }
    void finsDeLigneEtrangeresGardees()
    {
        QFETCH(QByteArray, fin);
        const QString a = ligneQso("F5AAA"), b = ligneQso("F5BBB");
        QVERIFY(
            ecritOctets(m_cheminFichier, a.toLatin1() + fin + b.toLatin1())); // no last line end
        QCOMPARE(log().Charge_Log().affichage.size(), qsizetype(2));
        QVERIFY(log().Enregistre_QSO(ligneQso("F1NEW")).estOk());
        QCOMPARE(octetsLog(), fichierDe({a, b, ligneQso("F1NEW")}));
    }
    // A callsign that is no station callsign never names a file, wherever it
    // comes from (a settings file edited by hand).
    void indicatifInvalideNeNommeAucunFichier_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::newRow("parent folder") << "../outside";
        QTest::newRow("slash") << "F1ABC/P";
        QTest::newRow("lower case") << "f1abc";
        QTest::newRow("blank") << "F1 ABC";
        QTest::newRow("empty") << "";
        QTest::newRow("13 characters") << "F1ABCDEFGHIJK";
        QTest::newRow("absolute") << "/tmp/x";
    }
    void indicatifInvalideNeNommeAucunFichier()
    {
        QFETCH(QString, indicatif);
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("FXXXX.txt"), ""));
        QVERIFY(!StationLog::indicatifValide(indicatif));
        const QStringList avant =
            QDir(m_dossierTemporaire->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(!StationLog::Cree_Log(m_dossierTemporaire->path(), indicatif).estOk());
        StationLog l(m_dossierTemporaire->path(), indicatif, &m_horlogeReglee);
        QCOMPARE(l.Charge_Log().statut.code, Statut::Echec);
        QVERIFY(!l.Enregistre_QSO(ligneQso("F1NEW")).estOk());
        QVERIFY(!l.Supprime_QSO(ligneQso("F1NEW")).estOk());
        QCOMPARE(
            QDir(m_dossierTemporaire->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            avant);
        QVERIFY(!QFile::exists(m_dossierTemporaire->filePath("../outside_KZT.log")));
        QVERIFY(StationLog::indicatifValide("F_P1ABC_9"));
        QVERIFY(StationLog::indicatifValide("F1ABCDEFGHIJ"));
    }

    void logAbsentEstUneErreurSansCreation()
    {
        const Statut s = log().Enregistre_QSO(ligneQso("F1NEW"));
        QVERIFY(!s.estOk());
        QVERIFY(s.message.contains("F1ABC_KZT.log"));
        QVERIFY(!QFile::exists(m_cheminFichier));
    }

private:
    static QByteArray texte(const QString& ligne)
    {
        QByteArray b = ligne.toLatin1();
        while (b.endsWith(' '))
            b.chop(1);
        return b;
    }
    static QString cp1252(const QString& ligne) { return QString::fromLatin1(texte(ligne)); }
};

QTEST_GUILESS_MAIN(TestStationLog)
#include "tst_stationlog.moc"
