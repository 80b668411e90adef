#include "app/BancProgramme.h"
#include "gui/app/Main.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/awards/Multi_QSL.h"
#include "gui/awards/Scores_Moulins.h"
#include "gui/platform/Imprimante.h"
#include "support/ImprimantePdf.h"
#include "support/JeuxEssaiDiplome.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace JeuxEssaiDiplome;

class TestFenetresDiplome : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ouvertesUneFoisDepuisLeursMenus_data();
    void ouvertesUneFoisDepuisLeursMenus();
    void listeMoulins();
    void echecEnregistrementListeMoulins();
    void carte();
    void carteSansGroupe();
    void scoresCalcules();
    void qslNonRecuesListe();
    void impressionQslNonRecues();
};

namespace {

const QString kStation = QStringLiteral("F1XYZ");

QString q(const QString& indicatif, const QString& bande, const QString& departement, bool qsl)
{
    Q x;
    x.indicatif = indicatif;
    x.bande = bande;
    x.departement = departement;
    x.reference = departement.left(2).rightJustified(2, QLatin1Char('0')) + QStringLiteral("001");
    x.qsl = qsl;
    return ligne(x);
}

QStringList journal()
{
    return {
        q("F5ABC", "14 Mhz", "77", false), q("F5ABC", "18 Mhz", "77", true),
        q("F6DEF", "50 Mhz", "2A", false), q("F6DEF", "10 Mhz", "29", true),
        q("F5ABC", "144 Mhz", "35", true), q("F5ABD", "432 Mhz", "7", false),
        q("f5abc", "14 Mhz", "20", false),
    };
}

// A started main window over the log above.
struct Banc {
    BancProgramme b;
    std::unique_ptr<Main> main;

    Banc()
    {
        b.choisitStation(kStation);
        ecrit(b.cheminLog(kStation), journal());
        main = std::make_unique<Main>(b.services());
        main->demarreProgramme();
    }

    template <typename Fenetre> Fenetre* ouvre(const char* menu)
    {
        main->findChild<QAction*>(QLatin1String(menu))->trigger();
        return main->findChild<Fenetre*>();
    }
};

template <typename Fenetre> int combien()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<Fenetre*>(w))
            ++n;
    }
    return n;
}

template <typename Fenetre> void verifieOuverture(const char* menu, const char* nom)
{
    Banc banc;
    auto* fenetre = banc.ouvre<Fenetre>(menu);
    QVERIFY(fenetre);
    QCOMPARE(fenetre->objectName(), QString::fromLatin1(nom));
    QVERIFY(fenetre->isVisible());
    QVERIFY(fenetre->isWindow());
    QCOMPARE(fenetre->windowModality(), Qt::NonModal);
    QVERIFY(banc.main->isVisible());
    QCOMPARE(banc.ouvre<Fenetre>(menu), fenetre);
    QCOMPARE(combien<Fenetre>(), 1);

    // Closed with Escape, as with its close box, it is gone; the menu makes a
    // new one.
    QPointer<Fenetre> ancienne(fenetre);
    QWidget* cible = fenetre;
    for (QWidget* w : fenetre->template findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            cible = w;
            break;
        }
    }
    QTest::keyClick(cible, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!ancienne);
    QVERIFY(banc.ouvre<Fenetre>(menu));
    QVERIFY(banc.b.messages.affichees().isEmpty());
}

} // namespace

void TestFenetresDiplome::ouvertesUneFoisDepuisLeursMenus_data()
{
    QTest::addColumn<int>("fenetre");
    QTest::newRow("Mnu_M_Contacte") << 0;
    QTest::newRow("Mnu_Carte_HB") << 1;
    QTest::newRow("Mnu_Score") << 2;
    QTest::newRow("Mnu_Non_Recues") << 3;
}

void TestFenetresDiplome::ouvertesUneFoisDepuisLeursMenus()
{
    QFETCH(int, fenetre);
    switch (fenetre) {
    case 0:
        verifieOuverture<Aff_Contacte>("Mnu_M_Contacte", "Aff_Contacte");
        break;
    case 1:
        verifieOuverture<Carte_Acti_KZT>("Mnu_Carte_HB", "Carte_Acti_KZT");
        break;
    case 2:
        verifieOuverture<Scores_Moulins>("Mnu_Score", "Scores_Moulins");
        break;
    default:
        verifieOuverture<Multi_QSL>("Mnu_Non_Recues", "Multi_QSL");
        break;
    }
}

void TestFenetresDiplome::listeMoulins()
{
    Banc banc;
    auto* w = banc.ouvre<Aff_Contacte>("Mnu_M_Contacte");
    QCOMPARE(w->windowTitle(), QStringLiteral("Liste alphanumerique des moulins contactés"));
    QCOMPARE(w->Bande_D->count(), 3);
    QCOMPARE(w->Bande_D->currentText(), QStringLiteral("HF"));
    QVERIFY(!w->Enregistrer->isEnabled());
    QVERIFY(!w->Imprimer->isEnabled());
    QVERIFY(w->lignesListe().isEmpty());

    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    QCOMPARE(w->Compt_C->text(), QStringLiteral("4"));
    QCOMPARE(w->Compt_V->text(), QStringLiteral("1"));
    QCOMPARE(w->lignesListe().size(), 4);
    QVERIFY(w->Enregistrer->isEnabled() && w->Imprimer->isEnabled());

    // Saved under the day of the local clock.
    QTest::mouseClick(w->Enregistrer, Qt::LeftButton);
    const QString nom = QStringLiteral("F1XYZ_Liste_Moulins_Bande_HF_06_12_26.txt");
    QCOMPARE(banc.b.messages.dernierTexte(),
             QStringLiteral("Fichier enregistré sous le nom : ") + nom);
    QVERIFY(QFile::exists(banc.b.chemin(nom)));

    QTemporaryDir dossier;
    ImprimantePdf fichierPdf(dossier.filePath("liste.pdf"));
    w->changeImprimante(&fichierPdf);
    QTest::mouseClick(w->Imprimer, Qt::LeftButton);
    QCOMPARE(fichierPdf.travaux(), 1);
    QVERIFY(QFileInfo(dossier.filePath("liste.pdf")).size() > 0);

    w->Bande_D->setCurrentText(QStringLiteral("UHF"));
    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    QCOMPARE(w->Compt_C->text(), QStringLiteral("1"));
    QCOMPARE(w->Compt_V->text(), QStringLiteral("0"));
}

void TestFenetresDiplome::echecEnregistrementListeMoulins()
{
    Banc banc;
    auto* w = banc.ouvre<Aff_Contacte>("Mnu_M_Contacte");
    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    // A folder of that name stands where the list would go.
    const QString nom = QStringLiteral("F1XYZ_Liste_Moulins_Bande_HF_06_12_26.txt");
    QVERIFY(QDir().mkdir(banc.b.chemin(nom)));
    QTest::mouseClick(w->Enregistrer, Qt::LeftButton);
    QVERIFY2(banc.b.messages.dernierTexte().startsWith(
                 QStringLiteral("La liste n'a pas pu être enregistrée sous le nom : ") + nom),
             qPrintable(banc.b.messages.dernierTexte()));
    QVERIFY(QFileInfo(banc.b.chemin(nom)).isDir());
}

void TestFenetresDiplome::carte()
{
    Banc banc;
    auto* w = banc.ouvre<Carte_Acti_KZT>("Mnu_Carte_HB");
    QCOMPARE(w->windowTitle(), QStringLiteral("Carte des départements contactés"));
    QCOMPARE(w->size(), QSize(Carte_Acti_KZT::largeurImage, Carte_Acti_KZT::hauteurImage));
    QVERIFY(w->Picture1->pixmap().size() == QSize(475, 510));

    using CarteDepartements::Etat;
    // HF at opening: 77 confirmed by its second QSO, 2A contacted, hidden 20
    // contacted and counted; 29 on 10 Mhz in no group.
    QCOMPARE(w->Bande_Carte->text(), QStringLiteral("HF"));
    QCOMPARE(w->etatCase(77), Etat::Confirme);
    QCOMPARE(w->etatCase(96), Etat::Contacte);
    QCOMPARE(w->etatCase(20), Etat::Contacte);
    QCOMPARE(w->etatCase(29), Etat::NonContacte);
    QCOMPARE(w->NB_Dep->text(), QStringLiteral("3"));
    QCOMPARE(w->Nb_Conf->text(), QStringLiteral("1 Dpt confirmés"));
    QCOMPARE(w->Nb_Nconf->text(), QStringLiteral("2 Dpt non confirmés"));
    QCOMPARE(w->Nb_Ncont->text(), QStringLiteral("93 Dpt non contactés"));

    QLabel* dep77 = w->findChild<QLabel*>(QStringLiteral("Dep(77)"));
    QVERIFY(dep77 && dep77->isVisible());
    QCOMPARE(dep77->text(), QStringLiteral("77"));
    QCOMPARE(dep77->geometry().size(), QSize(25, 20));
    for (int cachee : {0, 20, 98, 99})
        QVERIFY(!w->Dep[size_t(cachee)]->isVisible());
    QCOMPARE(w->Dep[96]->text(), QStringLiteral("2a"));

    // Enter presses the focused button.
    w->Bande_A->setCurrentText(QStringLiteral("UHF"));
    w->Afficher->setFocus();
    QTest::keyClick(w->Afficher, Qt::Key_Return);
    QCOMPARE(w->Bande_Carte->text(), QStringLiteral("UHF"));
    QCOMPARE(w->etatCase(7), Etat::Contacte);
    QCOMPARE(w->etatCase(77), Etat::NonContacte);
    QCOMPARE(w->NB_Dep->text(), QStringLiteral("1"));
    QCOMPARE(w->Nb_Ncont->text(), QStringLiteral("95 Dpt non contactés"));
    QVERIFY(banc.b.messages.affichees().isEmpty());
}

void TestFenetresDiplome::carteSansGroupe()
{
    Banc banc;
    auto* w = banc.ouvre<Carte_Acti_KZT>("Mnu_Carte_HB");
    w->Bande_A->setEditText(QString());
    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    QCOMPARE(banc.b.messages.dernierTexte(), QStringLiteral("Selectionnez une bande"));
    QCOMPARE(w->NB_Dep->text(), QStringLiteral("3"));
    QCOMPARE(w->Bande_Carte->text(), QStringLiteral("HF"));
    QCOMPARE(w->etatCase(77), CarteDepartements::Etat::Confirme);

    w->Bande_A->setEditText(QStringLiteral("H\tF"));
    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    QVERIFY(banc.b.messages.dernierTexte().startsWith(
        QStringLiteral("Le champ « Bande » contient une tabulation")));
    QCOMPARE(w->Bande_Carte->text(), QStringLiteral("HF"));
}

void TestFenetresDiplome::scoresCalcules()
{
    Banc banc;
    auto* w = banc.ouvre<Scores_Moulins>("Mnu_Score");
    QCOMPARE(w->windowTitle(), QStringLiteral("Scores des diplomes KZT"));
    const QStringList valeurs = {w->HF_CT->text(),  w->HF_CF->text(),  w->VHF_CT->text(),
                                 w->VHF_CF->text(), w->UHF_CT->text(), w->UHF_CF->text()};
    QCOMPARE(valeurs, (QStringList{"4", "1", "1", "1", "1", "0"}));

    // Figures of the opening: a new QSO shows after the window is opened again.
    ecrit(banc.b.cheminLog(kStation), journal() << q("F5ABC", "21 Mhz", "12", true));
    QCOMPARE(banc.ouvre<Scores_Moulins>("Mnu_Score")->HF_CT->text(), QStringLiteral("4"));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(banc.ouvre<Scores_Moulins>("Mnu_Score")->HF_CT->text(), QStringLiteral("5"));
}

void TestFenetresDiplome::qslNonRecuesListe()
{
    Banc banc;
    auto* w = banc.ouvre<Multi_QSL>("Mnu_Non_Recues");
    QCOMPARE(w->windowTitle(), QStringLiteral("QSL's non reçues"));
    QCOMPARE(w->Label2->text(), QStringLiteral("QSL's non reçues"));

    w->Recherche->setFocus();
    QTest::keyClick(w->Recherche, Qt::Key_Enter);
    QCOMPARE(banc.b.messages.dernierTexte(), QStringLiteral("Entrez un indicatif"));
    QCOMPARE(w->Label2->text(), QStringLiteral("QSL's non reçues"));

    // Letters typed become capitals; Enter searches and moves on.
    w->activateWindow();
    w->Indicatif->setFocus();
    QTest::keyClicks(w->Indicatif, QStringLiteral("f5ab"));
    QCOMPARE(w->Indicatif->text(), QStringLiteral("F5AB"));
    QTest::keyClick(w->Indicatif, Qt::Key_Return);
    QCOMPARE(w->Label2->text(), QStringLiteral("QSL's non reçues de F5AB"));
    // F5ABC without its QSL and F5ABD; the callsign stored in small letters
    // does not hold F5AB.
    QCOMPARE(w->lignes().size(), 2);
    QVERIFY(w->lignesCochees().isEmpty());

    // Pasted in lower case: shown as typed, searched in capitals.
    w->Indicatif->setText(QStringLiteral("f6def"));
    QTest::mouseClick(w->Recherche, Qt::LeftButton);
    QCOMPARE(w->Label2->text(), QStringLiteral("QSL's non reçues de f6def"));
    QCOMPARE(w->lignes().size(), 1);
    QVERIFY(w->lignes().at(0).contains(QStringLiteral("KZT 2A001")));

    // The callsign is printed on the QSL back: a line break is refused.
    w->Indicatif->setText(QStringLiteral("F5AB\n"));
    QTest::mouseClick(w->Recherche, Qt::LeftButton);
    QVERIFY(banc.b.messages.dernierTexte().startsWith(
        QStringLiteral("Le champ « Indicatif » contient un saut de ligne")));
    QCOMPARE(w->Label2->text(), QStringLiteral("QSL's non reçues de f6def"));
}

void TestFenetresDiplome::impressionQslNonRecues()
{
    Banc banc;
    auto* w = banc.ouvre<Multi_QSL>("Mnu_Non_Recues");
    QTemporaryDir dossier;
    ImprimantePdf fichierPdf(dossier.filePath("qsl.pdf"));
    w->changeImprimante(&fichierPdf);

    QTest::mouseClick(w->Imprimer, Qt::LeftButton);
    QCOMPARE(banc.b.messages.dernierTexte(), QStringLiteral("Pas de QSO a imprimer"));
    QCOMPARE(fichierPdf.travaux(), 0);

    w->Indicatif->setText(QStringLiteral("F5"));
    QTest::mouseClick(w->Recherche, Qt::LeftButton);
    QCOMPARE(w->lignes().size(), 2);
    // Nothing ticked: the printer is asked for, nothing is printed.
    QTest::mouseClick(w->Imprimer, Qt::LeftButton);
    QCOMPARE(fichierPdf.travaux(), 1);
    QVERIFY(!QFile::exists(dossier.filePath("qsl.pdf")));

    w->cocheLigne(1, true);
    QCOMPARE(w->lignesCochees(), QStringList{w->lignes().at(1)});
    QTest::mouseClick(w->Imprimer, Qt::LeftButton);
    QCOMPARE(fichierPdf.travaux(), 2);
    QVERIFY(QFileInfo(dossier.filePath("qsl.pdf")).size() > 0);
    QCOMPARE(banc.b.messages.affichees().size(), 1);
}

QTEST_MAIN(TestFenetresDiplome)
#include "tst_fenetresdiplome.moc"
