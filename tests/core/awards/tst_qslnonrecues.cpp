#include "core/awards/QslNonRecues.h"
#include "core/log/Affichage.h"
#include "core/platform/Cp1252.h"
#include "support/JeuxEssaiDiplome.h"

#include <QTest>

using namespace JeuxEssaiDiplome;

class TestQslNonRecues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dispositionLigne();
    void rechercheLignes_data();
    void rechercheLignes();
    void cartesQsl_data();
    void cartesQsl();
    void vingtCartesAttendues();
};

namespace {

QString stockee(int n, const QString& indicatif, bool qsl = false,
                const QString& departement = QStringLiteral("77"))
{
    Q q;
    q.indicatif = indicatif;
    q.qsl = qsl;
    q.departement = departement;
    q.reference =
        departement.size() == 2 ? departement + QStringLiteral("121") : QStringLiteral("07121");
    q.date = QStringLiteral("%1/01/10").arg(n % 28 + 1, 2, 10, QLatin1Char('0'));
    q.nom = QStringLiteral("MOULIN %1").arg(n);
    return ligne(q);
}

QString affichage(int n, const QString& indicatif)
{
    return Affichage::ligneAffichage(n, stockee(n, indicatif));
}

// The stored lines of a log, and its list.
QStringList log()
{
    return {
        stockee(1, "FXXXX"),
        stockee(2, "FXXYY"),
        stockee(3, "FXXXX", true),
        stockee(4, "FXXXX_P"),
        stockee(5, "F5ABC"),
        stockee(6, "9A1XXX"),
        stockee(7, "FXXXX", false, "7"),
    };
}

QStringList liste()
{
    return Affichage::Journal::depuisLignesLog(log()).versListe();
}

} // namespace

void TestQslNonRecues::dispositionLigne()
{
    const QString l = QslNonRecues::ligneQsl(affichage(12, "F5ABC"));
    QCOMPARE(l, QStringLiteral("13/01/10  12:00   77   KZT 77121   SSB  14 Mhz   59   57    ") +
                    QStringLiteral("MOULIN 12").leftJustified(30));
    // Columns of a two-character department.
    QCOMPARE(l.mid(18, 2), QStringLiteral("77"));
    QCOMPARE(l.mid(23, 4), QStringLiteral("KZT "));
    QCOMPARE(l.mid(27, 5), QStringLiteral("77121"));
    QCOMPARE(l.mid(35, 3), QStringLiteral("SSB"));
    QCOMPARE(l.mid(40, 7), QStringLiteral("14 Mhz "));
    QCOMPARE(l.mid(49, 3), QStringLiteral("59 "));
    QCOMPARE(l.mid(54, 3), QStringLiteral("57 "));
    QCOMPARE(l.mid(60, 30), QStringLiteral("MOULIN 12").leftJustified(30));
}

void TestQslNonRecues::rechercheLignes_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QList<int>>("dates"); // day of each line found, in list order
    QTest::newRow("exact and longer callsigns") << "FXXXX" << QList<int>{2, 5, 8};
    QTest::newRow("prefix") << "FXX" << QList<int>{2, 3, 5, 8};
    QTest::newRow("lower case key") << "fxxyy" << QList<int>{3};
    QTest::newRow("inside the callsign") << "XXX" << QList<int>{2, 5, 7, 8};
    QTest::newRow("portable only") << "_P" << QList<int>{5};
    QTest::newRow("no match") << "F6ZZZ" << QList<int>{};
    QTest::newRow("blank is not a wildcard") << "F5 ABC" << QList<int>{};
}

void TestQslNonRecues::rechercheLignes()
{
    QFETCH(QString, saisie);
    QFETCH(QList<int>, dates);
    QList<int> trouvees;
    for (const QString& l : QslNonRecues::recherche(liste(), saisie))
        trouvees << l.left(2).toInt();
    QCOMPARE(trouvees, dates);
    // Over the log's lines, reading only what the search needs: the same.
    QCOMPARE(QslNonRecues::recherche(Affichage::Journal::depuisLignesLog(log()), saisie),
             QslNonRecues::recherche(liste(), saisie));
}

void TestQslNonRecues::cartesQsl_data()
{
    QTest::addColumn<int>("cochees");
    QTest::addColumn<int>("lignes");
    QTest::addColumn<QList<int>>("signatures"); // index of each signature line
    // A block: heading (3), the QSOs, then to the signature: an empty line
    // per missing QSO and one more.
    QTest::newRow("none") << 0 << 0 << QList<int>{};
    QTest::newRow("one") << 1 << 3 + 1 + 18 + 2 << QList<int>{3 + 1 + 18};
    QTest::newRow("eighteen") << 18 << 3 + 18 + 4 << QList<int>{3 + 18 + 1};
    QTest::newRow("nineteen") << 19 << 25 + 3 + 1 + 18 + 2 << QList<int>{22, 25 + 22};
    QTest::newRow("thirty-six") << 36 << 50 << QList<int>{22, 47};
}

void TestQslNonRecues::cartesQsl()
{
    QFETCH(int, cochees);
    QFETCH(int, lignes);
    QFETCH(QList<int>, signatures);
    QStringList choisies;
    for (int i = 0; i < cochees; ++i)
        choisies << QslNonRecues::ligneQsl(affichage(i + 1, "F5ABC"));
    const QStringList sortie = QslNonRecues::lignesCartes("f5abc", "F1XYZ", choisies);
    QCOMPARE(sortie.size(), lignes);
    QList<int> trouvees;
    for (qsizetype i = 0; i < sortie.size(); ++i) {
        if (sortie.at(i) == QslNonRecues::signature) {
            trouvees << int(i);
            QCOMPARE(sortie.value(i + 1), QStringLiteral("-"));
        }
    }
    QCOMPARE(trouvees, signatures);
}

void TestQslNonRecues::vingtCartesAttendues()
{
    QStringList choisies;
    for (int i = 0; i < 20; ++i)
        choisies << QslNonRecues::ligneQsl(affichage(i + 1, "F5ABC"));
    QByteArray octets;
    for (const QString& l : QslNonRecues::lignesCartes("f5abc", "F1XYZ", choisies)) {
        QByteArray b;
        QVERIFY(Cp1252::encode1252(l, &b));
        octets += b + "\r\n";
    }
    QCOMPARE(texte(octets), texte(attenduGolden("qsl_cards_20.txt")));
}

QTEST_GUILESS_MAIN(TestQslNonRecues)
#include "tst_qslnonrecues.moc"
