#include "core/awards/QslNonRecues.h"
#include "core/log/Affichage.h"
#include "gui/platform/Imprimante.h"
#include "support/ImprimantePdf.h"
#include "support/JeuxEssaiDiplome.h"

#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace JeuxEssaiDiplome;

class TestImprimante : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lignesRelues_data();
    void lignesRelues();
    void policeRestauree();
    void rienAImprimer();
    void apercu_data();
    void apercu();
    void cartesQslImprimees();
};

namespace {

// The pages of the PDF as text, one list of lines per page, blanks at the
// end of lines and empty lines at the end of pages taken off.
QList<QStringList> pages(const QString& fichierPdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-fixed"), QStringLiteral("5.4"), QStringLiteral("-enc"),
             QStringLiteral("UTF-8"), fichierPdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QString texte = QString::fromUtf8(p.readAllStandardOutput());
    QList<QStringList> resultat;
    for (const QString& page : texte.split(QLatin1Char('\f'))) {
        QStringList lignes;
        for (QString l : page.split(QLatin1Char('\n'))) {
            while (l.endsWith(QLatin1Char(' ')))
                l.chop(1);
            lignes << l;
        }
        while (!lignes.isEmpty() && lignes.last().isEmpty())
            lignes.removeLast();
        if (!lignes.isEmpty())
            resultat << lignes;
    }
    return resultat;
}

// pdftotext turns the page's left margin into blanks: as many before every
// line as the first line shows more than it was given.
QList<QStringList> sansMarge(QList<QStringList> pages, const QString& premiere)
{
    if (pages.isEmpty() || pages.at(0).isEmpty())
        return pages;
    auto blancs = [](const QString& l) {
        qsizetype n = 0;
        while (n < l.size() && l.at(n) == QLatin1Char(' '))
            ++n;
        return n;
    };
    const qsizetype marge = blancs(pages.at(0).at(0)) - blancs(premiere);
    for (QStringList& page : pages) {
        for (QString& l : page) {
            if (!l.isEmpty() && blancs(l) < marge)
                return {};
            l.remove(0, marge);
        }
    }
    return pages;
}

// Heights (in points from the top of the page) of the words of the PDF
// equal to the given word, in page order.
QList<double> hauteurs(const QString& fichierPdf, const QString& mot)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), fichierPdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression motRe(
        QStringLiteral("<word xMin=\"[^\"]*\" yMin=\"([^\"]*)\"[^>]*>([^<]*)</word>"));
    QList<double> ys;
    for (const QRegularExpressionMatch& m : motRe.globalMatch(html)) {
        if (m.captured(2) == mot)
            ys << m.captured(1).toDouble();
    }
    return ys;
}

QStringList sansBlancsFinaux(QStringList lignes)
{
    for (QString& l : lignes) {
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
    }
    return lignes;
}

} // namespace

void TestImprimante::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
#ifdef Q_OS_WIN
        QSKIP("pdftotext (poppler-utils) reads the printed pages back in the Linux suite");
#else
        QFAIL("pdftotext (poppler-utils) is needed to read the printed pages back");
#endif
    }
    QVERIFY2(QFontInfo(Imprimante::policeImpression()).fixedPitch(),
             "no fixed-pitch font for \"Courier New\" (fonts-liberation2)");
}

void TestImprimante::lignesRelues_data()
{
    QTest::addColumn<int>("nombre");
    QTest::addColumn<int>("pages");
    QTest::newRow("one page") << 20 << 1;
    QTest::newRow("three pages") << 200 << 3;
}

void TestImprimante::lignesRelues()
{
    QFETCH(int, nombre);
    QFETCH(int, pages);
    QStringList lignes;
    for (int i = 1; i <= nombre; ++i) {
        lignes << QStringLiteral("    %1 ligne numéro %2  N° «%3»")
                      .arg(i, 5)
                      .arg(i)
                      .arg(QString(i % 40, QLatin1Char('x')));
    }
    QTemporaryDir dossier;
    const QString fichierPdf = dossier.filePath("liste.pdf");
    ImprimantePdf imprimante(fichierPdf);
    const Imprimante::Resultat r = imprimante.imprimeLignes(lignes, nullptr);
    QVERIFY(r.imprime);
    QVERIFY2(r.statut.estOk(), qPrintable(r.statut.message));
    // The preview showed the pages that went to the printer.
    QCOMPARE(imprimante.travaux(), 1);
    QCOMPARE(imprimante.pagesApercu(), pages);

    const QList<QStringList> lues = sansMarge(::pages(fichierPdf), lignes.at(0));
    QCOMPARE(lues.size(), pages);
    QStringList toutes;
    for (const QStringList& page : lues)
        toutes << page;
    QCOMPARE(toutes, sansBlancsFinaux(lignes));
    // Every page but the last is full: a line goes to the next page only
    // when it no longer fits.
    for (qsizetype i = 0; i + 1 < lues.size(); ++i) {
        QCOMPARE(lues.at(i).size(), lues.at(0).size());
        QVERIFY(lues.at(i).size() > 60);
    }
}

void TestImprimante::policeRestauree()
{
    QTemporaryDir dossier;
    ImprimantePdf imprimante(dossier.filePath("x.pdf"));
    QFont avant(QStringLiteral("Arial"), 12);
    imprimante.changePolice(avant);
    QVERIFY(imprimante.imprimeLignes({QStringLiteral("a")}, nullptr).imprime);
    QCOMPARE(imprimante.policeChoisie(), avant);
    QCOMPARE(Imprimante::policeImpression().family(), QStringLiteral("Courier New"));
    QCOMPARE(Imprimante::policeImpression().pointSizeF(), 9.0);
    QVERIFY(Imprimante::policeImpression().bold());
}

void TestImprimante::rienAImprimer()
{
    QTemporaryDir dossier;
    ImprimantePdf imprimante(dossier.filePath("vide.pdf"));
    const Imprimante::Resultat r = imprimante.imprimeLignes({}, nullptr);
    QVERIFY(r.imprime);
    QVERIFY(r.statut.estOk());
    QCOMPARE(imprimante.travaux(), 1);
    QVERIFY(!QFile::exists(dossier.filePath("vide.pdf")));
}

namespace {

QStringList lignesNumerotees(int nombre)
{
    QStringList lignes;
    for (int i = 1; i <= nombre; ++i)
        lignes << QStringLiteral("ligne %1").arg(i, 4, 10, QLatin1Char('0'));
    return lignes;
}

} // namespace

// What the preview shows and what goes to the printer after it: everything,
// nothing when the user closes the preview, the pages chosen in the printer
// dialog only.
void TestImprimante::apercu_data()
{
    QTest::addColumn<int>("nombre");
    QTest::addColumn<bool>("annule");
    QTest::addColumn<QList<int>>("choisies"); // pages from, to; none for all
    QTest::addColumn<int>("apercu");
    QTest::addColumn<QList<int>>("imprimees"); // the page of each printed page
    QTest::newRow("printed") << 200 << false << QList<int>() << 3 << QList<int>{1, 2, 3};
    QTest::newRow("preview closed") << 200 << true << QList<int>() << 3 << QList<int>();
    QTest::newRow("nothing, closed") << 0 << true << QList<int>() << 0 << QList<int>();
    QTest::newRow("pages 2 to 3") << 200 << false << QList<int>{2, 3} << 3 << QList<int>{2, 3};
    QTest::newRow("page 1 only") << 200 << false << QList<int>{1, 1} << 3 << QList<int>{1};
    QTest::newRow("pages past the end") << 20 << false << QList<int>{4, 5} << 1 << QList<int>();
}

void TestImprimante::apercu()
{
    QFETCH(int, nombre);
    QFETCH(bool, annule);
    QFETCH(QList<int>, choisies);
    QFETCH(int, apercu);
    QFETCH(QList<int>, imprimees);
    const QStringList lignes = lignesNumerotees(nombre);
    QTemporaryDir dossier;
    const QString fichierPdf = dossier.filePath("apercu.pdf");
    ImprimantePdf imprimante(fichierPdf);
    imprimante.annuleApercu(annule);
    if (!choisies.isEmpty())
        imprimante.choisitPages(choisies.at(0), choisies.at(1));
    const QFont avant(QStringLiteral("Arial"), 12);
    imprimante.changePolice(avant);

    const Imprimante::Resultat r = imprimante.imprimeLignes(lignes, nullptr);
    QCOMPARE(r.imprime, !annule);
    QVERIFY(r.statut.estOk());
    QCOMPARE(imprimante.policeChoisie(), avant);
    QCOMPARE(imprimante.travaux(), 1);
    QCOMPARE(imprimante.pagesApercu(), apercu);
    if (imprimees.isEmpty()) {
        QVERIFY(!QFile::exists(fichierPdf));
        return;
    }

    // Each printed page is the page of the preview with that number: its
    // first line is found at that place of the lines.
    const QList<QStringList> lues = pages(fichierPdf);
    QCOMPARE(lues.size(), imprimees.size());
    ImprimantePdf toutes(dossier.filePath("toutes.pdf"));
    QVERIFY(toutes.imprimeLignes(lignes, nullptr).imprime);
    const QList<QStringList> entieres = pages(dossier.filePath("toutes.pdf"));
    QCOMPARE(entieres.size(), apercu);
    for (qsizetype i = 0; i < lues.size(); ++i)
        QCOMPARE(lues.at(i), entieres.at(imprimees.at(i) - 1));
}

void TestImprimante::cartesQslImprimees()
{
    // 20 ticked QSOs: a full card, then a card of two whose signature
    // stands at the height of a full card's.
    QStringList cochees;
    for (int i = 1; i <= 20; ++i) {
        Q q;
        q.date = QStringLiteral("%1/01/10").arg(i, 2, 10, QLatin1Char('0'));
        cochees << QslNonRecues::ligneQsl(Affichage::ligneAffichage(i, ligne(q)));
    }
    QTemporaryDir dossier;
    const QString fichierPdf = dossier.filePath("qsl.pdf");
    ImprimantePdf imprimante(fichierPdf);
    const QStringList lignes = QslNonRecues::lignesCartes("f5abc", "F1XYZ", cochees);
    QVERIFY(imprimante.imprimeLignes(lignes, nullptr).statut.estOk());

    const QList<QStringList> lues = sansMarge(pages(fichierPdf), lignes.at(0));
    QCOMPARE(lues.size(), 1);
    // Text lines in order (pdftotext shortens long runs of empty lines).
    QStringList ecrites;
    for (const QString& l : sansBlancsFinaux(lignes)) {
        if (!l.isEmpty())
            ecrites << l;
    }
    QStringList lus = lues.at(0);
    lus.removeAll(QString());
    QCOMPARE(lus, ecrites);
    QCOMPARE(lus.count(QslNonRecues::signature), 2);
    QCOMPARE(lus.at(2),
             QStringLiteral("    01/01/10  12:00   77   KZT 77121   SSB  14 Mhz   59   57"));
    QCOMPARE(lus.at(19),
             QStringLiteral("    18/01/10  12:00   77   KZT 77121   SSB  14 Mhz   59   57"));
    QCOMPARE(lus.at(20), QslNonRecues::signature);
    QCOMPARE(lus.at(22),
             QStringLiteral("    f5abc confirme les QSO's suivants avec la station F1XYZ"));
    QCOMPARE(lus.at(24),
             QStringLiteral("    19/01/10  12:00   77   KZT 77121   SSB  14 Mhz   59   57"));
    QCOMPARE(lus.at(25),
             QStringLiteral("    20/01/10  12:00   77   KZT 77121   SSB  14 Mhz   59   57"));
    QCOMPARE(lus.at(26), QslNonRecues::signature);

    // The signature of the short card stands as far under its heading as
    // on the full card: 22 lines.
    const QList<double> titres = hauteurs(fichierPdf, QStringLiteral("confirme"));
    const QList<double> signatures = hauteurs(fichierPdf, QStringLiteral("signature"));
    const QList<double> qsos = hauteurs(fichierPdf, QStringLiteral("77121"));
    QCOMPARE(titres.size(), 2);
    QCOMPARE(signatures.size(), 2);
    QCOMPARE(qsos.size(), 20);
    const double interligne = qsos.at(1) - qsos.at(0);
    QVERIFY(interligne > 8 && interligne < 14);
    QCOMPARE(qRound((signatures.at(0) - titres.at(0)) / interligne), 22);
    QCOMPARE(qRound((signatures.at(1) - titres.at(1)) / interligne), 22);
    QCOMPARE(qRound((titres.at(1) - titres.at(0)) / interligne), 25);
}

QTEST_MAIN(TestImprimante)
#include "tst_imprimante.moc"
