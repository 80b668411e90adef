#include "BancProgramme.h"

#include "core/app/ModeleStation.h"
#include "core/log/Texte.h"
#include "gui/app/Station.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The main window as the station rules see it: what it was told, in order.
class HoteStation {
public:
    QStringList appels;
    bool rechargeOk = true;

    void attache(ModeleStation& modele)
    {
        QObject::connect(
            &modele, &ModeleStation::indicatifCourantChange, &modele,
            [this](const QString& indicatif) { appels << QStringLiteral("courant ") + indicatif; });
        QObject::connect(
            &modele, &ModeleStation::stationAffichee, &modele,
            [this](const QString& texte) { appels << QStringLiteral("affiche ") + texte; });
        QObject::connect(&modele, &ModeleStation::bandeModeChoisis, &modele,
                         [this](int bande, int mode) {
                             appels << QStringLiteral("bande %1 mode %2").arg(bande).arg(mode);
                         });
        QObject::connect(&modele, &ModeleStation::logARecharger, &modele, [this](bool* charge) {
            appels << QStringLiteral("recharge");
            *charge = rechargeOk;
        });
    }
};

} // namespace

Q_DECLARE_METATYPE(ModeleStation::Issue)

class TestStation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void validezQso_data();
    void validezQso();
    void regles_data();
    void regles();
    void touchesValidees_data();
    void touchesValidees();
    void chargeLitLIndicatifEnregistre_data();
    void chargeLitLIndicatifEnregistre();
    void entreePasseAuBouton();
    void logExistantConserve();
    void modeleAbsent();
    void fenetreUniqueEtNonModale();
    void fenetreFermeeRemplacee();
    void changementPendantUneEdition();

private:
    // A started program on station F1ABC with a log of three QSOs, band 4 and
    // mode 1, and its `Station` window opened from the menu.
    void ouvre();

    std::unique_ptr<BancProgramme> b;
    std::unique_ptr<Main> m;
    QPointer<Station> s;
};

void TestStation::init()
{
    b = std::make_unique<BancProgramme>();
    b->choisitStation(QStringLiteral("F1ABC"));
    b->ecritLog(QStringLiteral("F1ABC"), 3);
    const QString section = Reglages::sectionStation(QStringLiteral("F1ABC"));
    b->reglages.ecrit(section, Reglages::bandeUtilisee, QStringLiteral("4"));
    b->reglages.ecrit(section, Reglages::modeUtilise, QStringLiteral("1"));
    m = std::make_unique<Main>(b->services());
    QVERIFY(m->demarreProgramme());
    ouvre();
}

void TestStation::cleanup()
{
    m.reset();
    b.reset();
}

void TestStation::ouvre()
{
    enfant<QAction>(m.get(), "Mnu_New_Indicatif")->trigger();
    s = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* station = qobject_cast<Station*>(w); station && station->isVisible())
            s = station;
    }
    QVERIFY(s);
    QVERIFY(QTest::qWaitForWindowActive(s));
}

void TestStation::validezQso_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<bool>("colle");
    QTest::addColumn<QString>("dansLeChamp");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("champApres");
    QTest::addColumn<QString>("retenu");

    const QString caracteres = QStringLiteral(
        "L'indicatif ne doit comporter que des lettres des chiffres ou le signe '_' ");
    QTest::newRow("typed lower case and slash")
        << "f/p1abc" << false << "F_P1ABC" << QString() << QString() << "F_P1ABC";
    QTest::newRow("12 characters")
        << "ABCDEFGHIJ12" << false << "ABCDEFGHIJ12" << QString() << QString() << "ABCDEFGHIJ12";
    QTest::newRow("13 characters") << "ABCDEFGHIJ123" << false << "ABCDEFGHIJ123"
                                   << "12 caracteres maximum pour l'indicatif"
                                   << "ABCDEFGHIJ123" << QString();
    QTest::newRow("empty") << "" << false << ""
                           << "Vous devez entrer un indicatif"
                           << "" << QString();
    QTest::newRow("pasted slash") << "F/P1ABC" << true << "F/P1ABC" << caracteres << ""
                                  << QString();
    QTest::newRow("pasted blank") << "F1 ABC" << true << "F1 ABC" << caracteres << "" << QString();
    QTest::newRow("pasted accented letter")
        << "FÉ1" << true << "FÉ1" << caracteres << "" << QString();
    QTest::newRow("pasted line break") << "F5NL\n"
                                       << true << "F5NL\n"
                                       << caracteres << "" << QString();
    QTest::newRow("pasted tab") << "F5\tNL" << true << "F5\tNL" << caracteres << "" << QString();
    QTest::newRow("pasted lower case")
        << "f5xyz" << true << "f5xyz" << QString() << QString() << "F5XYZ";
}

void TestStation::validezQso()
{
    QFETCH(QString, saisie);
    QFETCH(bool, colle);
    QFETCH(QString, dansLeChamp);
    QFETCH(QString, message);
    QFETCH(QString, champApres);
    QFETCH(QString, retenu);

    QLineEdit* champ = s->New_Indicatif;
    if (colle) {
        QApplication::clipboard()->setText(saisie);
        QTest::keyClick(champ, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(champ, saisie);
    }
    QCOMPARE(champ->text(), dansLeChamp);
    const QStringList avant = {m->listeLog()->texteLigne(0), m->listeLog()->texteLigne(2)};

    QTest::mouseClick(s->Validation, Qt::LeftButton);

    auto* station = enfant<QLabel>(m.get(), "I_Station");
    if (retenu.isEmpty()) {
        QCOMPARE(b->messages.textes(), QStringList{message});
        QVERIFY(s->isVisible());
        QCOMPARE(champ->text(), champApres);
        QCOMPARE(b->station(), QStringLiteral("F1ABC"));
        QCOMPARE(m->Indicatif_Courant(), QStringLiteral("F1ABC"));
        QCOMPARE(station->text(), QStringLiteral("F1ABC"));
        QCOMPARE(m->listeLog()->nombreLignes(), 3);
        QCOMPARE((QStringList{m->listeLog()->texteLigne(0), m->listeLog()->texteLigne(2)}), avant);
        QCOMPARE(m->zoneDeSaisie()->Bande_A->currentIndex(), 4);
        return;
    }

    // A new station: its empty log from the template, band and mode 0.
    QVERIFY(b->messages.affichees().isEmpty());
    QTRY_VERIFY(!s);
    QCOMPARE(b->station(), retenu);
    QCOMPARE(m->Indicatif_Courant(), retenu);
    QCOMPARE(station->text(), QString(retenu).replace(QLatin1Char('_'), QLatin1Char('/')));
    QVERIFY(QFile::exists(b->cheminLog(retenu)));
    QCOMPARE(b->reglageStation(retenu, Reglages::bandeUtilisee), QStringLiteral("0"));
    QCOMPARE(b->reglageStation(retenu, Reglages::modeUtilise), QStringLiteral("0"));
    QCOMPARE(m->zoneDeSaisie()->Bande_A->currentIndex(), 0);
    QCOMPARE(m->zoneDeSaisie()->Mode_A->currentIndex(), 0);
    QCOMPARE(m->listeLog()->nombreLignes(), 0);
    QCOMPARE(b->termine, 0);
}

// The rules of "Validez" without the window: what the main window is told,
// what the field becomes, what is written.
void TestStation::regles_data()
{
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<bool>("logExistant"); // with band 10 and mode 2 stored
    QTest::addColumn<bool>("rechargeOk");
    QTest::addColumn<ModeleStation::Issue>("issue");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("appels");

    using I = ModeleStation::Issue;
    const QString caracteres = QStringLiteral(
        "L'indicatif ne doit comporter que des lettres des chiffres ou le signe '_' ");
    const QStringList rien;
    const auto nouveau = [](const QString& indicatif, const QString& affiche) {
        return QStringList{"courant " + indicatif, "affiche ", "affiche " + affiche,
                           "bande 0 mode 0", "recharge"};
    };

    QTest::newRow("new station, lower case")
        << "f_p1abc" << false << true << I::Accepte << "" << nouveau("F_P1ABC", "F/P1ABC");
    QTest::newRow("existing log keeps its band and mode")
        << "F_P1ABC" << true << true << I::Accepte << ""
        << QStringList{"courant F_P1ABC", "affiche ", "affiche F/P1ABC", "bande 10 mode 2",
                       "recharge"};
    QTest::newRow("12 characters") << "ABCDEFGHIJ12" << false << true << I::Accepte << ""
                                   << nouveau("ABCDEFGHIJ12", "ABCDEFGHIJ12");
    QTest::newRow("underscore alone")
        << "_" << false << true << I::Accepte << "" << nouveau("_", "/");
    QTest::newRow("reload ends the program")
        << "F2NEW" << false << false << I::Fin << "" << nouveau("F2NEW", "F2NEW");
    QTest::newRow("13 characters") << "ABCDEFGHIJ123" << false << true << I::Refuse
                                   << "12 caracteres maximum pour l'indicatif" << rien;
    QTest::newRow("13 characters with a slash") << "ABCDEFGHIJ/23" << false << true << I::Refuse
                                                << "12 caracteres maximum pour l'indicatif" << rien;
    QTest::newRow("the callsign meaning no station")
        << "fxxxx" << false << true << I::Refuse
        << "FXXXX n'est pas un indicatif de station : entrez le vôtre." << rien;
    QTest::newRow("empty") << "" << false << true << I::Refuse << "Vous devez entrer un indicatif"
                           << rien;
    QTest::newRow("slash") << "F/P1ABC" << false << true << I::RefuseVidage << caracteres << rien;
    QTest::newRow("blank") << "F1 ABC" << false << true << I::RefuseVidage << caracteres << rien;
    QTest::newRow("accented letter")
        << "FÉ1" << false << true << I::RefuseVidage << caracteres << rien;
    QTest::newRow("line break") << "F5NL\n"
                                << false << true << I::RefuseVidage << caracteres << rien;
}

void TestStation::regles()
{
    QFETCH(QString, saisie);
    QFETCH(bool, logExistant);
    QFETCH(bool, rechargeOk);
    QFETCH(ModeleStation::Issue, issue);
    QFETCH(QString, message);
    QFETCH(QStringList, appels);

    const QString retenu = Texte::majusculesTapees(saisie);
    QByteArray log;
    if (logExistant) {
        log = b->ecritLog(retenu, 2);
        const QString section = Reglages::sectionStation(retenu);
        b->reglages.ecrit(section, Reglages::bandeUtilisee, QStringLiteral("10"));
        b->reglages.ecrit(section, Reglages::modeUtilise, QStringLiteral("2"));
    }
    HoteStation hote;
    hote.rechargeOk = rechargeOk;
    ModeleStation modele(b->dossier.path(), b->reglages, b->messages);
    hote.attache(modele);

    QCOMPARE(modele.valide(saisie), issue);
    QCOMPARE(hote.appels, appels);
    if (!message.isEmpty()) {
        QCOMPARE(b->messages.textes(), QStringList{message});
        QCOMPARE(b->station(), QStringLiteral("F1ABC"));
        QVERIFY(!QFile::exists(b->cheminLog(retenu)));
        return;
    }
    QVERIFY(b->messages.affichees().isEmpty());
    QCOMPARE(b->station(), retenu);
    QVERIFY(QFile::exists(b->cheminLog(retenu)));
    if (logExistant)
        QCOMPARE(BancProgramme::lit(b->cheminLog(retenu)), log);
    else
        QVERIFY(BancProgramme::lit(b->cheminLog(retenu)).isEmpty());
}

void TestStation::touchesValidees_data()
{
    QTest::addColumn<QChar>("tapee");
    QTest::addColumn<QChar>("prise");
    QTest::newRow("a") << QChar(u'a') << QChar(u'A');
    QTest::newRow("z") << QChar(u'z') << QChar(u'Z');
    QTest::newRow("slash") << QChar(u'/') << QChar(u'_');
    QTest::newRow("upper case") << QChar(u'F') << QChar(u'F');
    QTest::newRow("digit") << QChar(u'5') << QChar(u'5');
    QTest::newRow("underscore") << QChar(u'_') << QChar(u'_');
    // Refused by "Validez", not changed on the way in.
    QTest::newRow("accented") << QChar(u'é') << QChar(u'é');
    QTest::newRow("blank") << QChar(u' ') << QChar(u' ');
    QTest::newRow("backslash") << QChar(u'\\') << QChar(u'\\');
}

void TestStation::touchesValidees()
{
    QFETCH(QChar, tapee);
    QFETCH(QChar, prise);
    QCOMPARE(ModeleStation::toucheSaisie(tapee), prise);
}

// Loading the window makes the stored callsign the current one; a stored
// value that names no file counts as none.
void TestStation::chargeLitLIndicatifEnregistre_data()
{
    QTest::addColumn<QString>("stocke");
    QTest::addColumn<QString>("courant");
    QTest::newRow("stored") << "F_P5ABC"
                            << "F_P5ABC";
    QTest::newRow("empty") << ""
                           << "FXXXX";
    QTest::newRow("with a slash") << "F/P5ABC"
                                  << "FXXXX";
    QTest::newRow("too long") << "ABCDEFGHIJ123"
                              << "FXXXX";
    QTest::newRow("lower case") << "f5abc"
                                << "FXXXX";
}

void TestStation::chargeLitLIndicatifEnregistre()
{
    QFETCH(QString, stocke);
    QFETCH(QString, courant);
    b->choisitStation(stocke);
    HoteStation hote;
    ModeleStation modele(b->dossier.path(), b->reglages, b->messages);
    hote.attache(modele);
    modele.chargeStation();
    QCOMPARE(hote.appels, QStringList{"courant " + courant});
}

void TestStation::entreePasseAuBouton()
{
    QCOMPARE(s->windowTitle(), QStringLiteral("Selection Indicaif"));
    QCOMPARE(s->Label2->text(), QStringLiteral("Indicatif de la Station"));
    QCOMPARE(s->Label5->text(),
             QStringLiteral("!!! Pour la saisie la '/' est remplacée par le '_'"));
    QCOMPARE(s->New_Indicatif->text(), QString());

    QTest::keyClicks(s->New_Indicatif, QStringLiteral("f2"));
    QTest::keyClick(s->New_Indicatif, Qt::Key_Return);
    QCOMPARE(s->New_Indicatif->text(), QStringLiteral("F2"));
    QCOMPARE(s->New_Indicatif->palette().color(QPalette::Base), QColor(255, 255, 255));
    QCOMPARE(QApplication::focusWidget(), s->Validation);
    QVERIFY(b->messages.affichees().isEmpty());
    QCOMPARE(b->station(), QStringLiteral("F1ABC"));
    QVERIFY(s->isVisible());

    // Enter again presses the button that now has the focus.
    QTest::keyClick(s->Validation, Qt::Key_Return);
    QCOMPARE(b->station(), QStringLiteral("F2"));
}

void TestStation::logExistantConserve()
{
    const QByteArray log = b->ecritLog(QStringLiteral("F_P2XYZ"), 5);
    const QString section = Reglages::sectionStation(QStringLiteral("F_P2XYZ"));
    b->reglages.ecrit(section, Reglages::bandeUtilisee, QStringLiteral("10"));
    b->reglages.ecrit(section, Reglages::modeUtilise, QStringLiteral("2"));
    b->reglages.ecrit(section, Reglages::dateAutomatique, QStringLiteral("Non"));
    auto* dateAuto = enfant<QAction>(m.get(), "Mnu_Date_Auto");
    QVERIFY(dateAuto->isChecked());

    QTest::keyClicks(s->New_Indicatif, QStringLiteral("F/P2XYZ"));
    QTest::mouseClick(s->Validation, Qt::LeftButton);

    QVERIFY(b->messages.affichees().isEmpty());
    QCOMPARE(BancProgramme::lit(b->cheminLog(QStringLiteral("F_P2XYZ"))), log);
    QCOMPARE(b->station(), QStringLiteral("F_P2XYZ"));
    QCOMPARE(m->zoneDeSaisie()->Bande_A->currentIndex(), 10);
    QCOMPARE(m->zoneDeSaisie()->Mode_A->currentIndex(), 2);
    QCOMPARE(m->listeLog()->nombreLignes(), 5);
    QCOMPARE(m->listeLog()->indexSelection(), -1);
    QVERIFY(dateAuto->isChecked()); // the date mode stays as it was
    QCOMPARE(enfant<QLabel>(m.get(), "I_Station")->text(), QStringLiteral("F/P2XYZ"));
}

void TestStation::modeleAbsent()
{
    QVERIFY(QFile::remove(b->chemin(QStringLiteral("FXXXX.txt"))));
    bool erreurVue = false;
    const auto attente = surModal(QStringLiteral("Gestion_Erreur"), [&](QWidget* w) {
        erreurVue = true;
        w->close();
    });
    QTest::keyClicks(s->New_Indicatif, QStringLiteral("F3NEW"));
    QTest::mouseClick(s->Validation, Qt::LeftButton);

    QCOMPARE(b->messages.affichees().size(), 1);
    QVERIFY(b->messages.dernierTexte().contains(QStringLiteral("F3NEW_KZT.log")));
    QCOMPARE(b->station(), QStringLiteral("F3NEW"));
    QCOMPARE(b->reglageStation(QStringLiteral("F3NEW"), Reglages::bandeUtilisee),
             QStringLiteral("0"));
    QVERIFY(erreurVue);
    QCOMPARE(b->termine, 1);
    QVERIFY(m->estTermine());
    QTRY_VERIFY(!s);
}

void TestStation::fenetreUniqueEtNonModale()
{
    QPointer<Station> premiere = s;
    QVERIFY(!s->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    ouvre();
    QCOMPARE(s.data(), premiere.data());
    int visibles = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        visibles += qobject_cast<Station*>(w) && w->isVisible();
    QCOMPARE(visibles, 1);

    // The main window's close box leaves the station window open.
    m->close();
    QVERIFY(s->isVisible());
    QCOMPARE(b->termine, 0);

    // Its close box changes nothing.
    QTest::keyClicks(s->New_Indicatif, QStringLiteral("F9ZZZ"));
    s->close();
    QTRY_VERIFY(!premiere);
    QCOMPARE(b->station(), QStringLiteral("F1ABC"));
}

// A window just closed waits to be deleted: the menu opens a new one at once
// instead of showing the one that is going.
void TestStation::fenetreFermeeRemplacee()
{
    QPointer<Station> fermee = s;
    s->close();
    QVERIFY(fermee);
    ouvre();
    QVERIFY(s.data() != fermee.data());
    QTRY_VERIFY(fermee.isNull());
    QVERIFY(s->isVisible());
}

// A QSO of the first station's list, being edited when the station changes,
// is not stored in the new station's log: its edit ends.
void TestStation::changementPendantUneEdition()
{
    LiaisonSaisie* saisie = m->liaisonSaisie();
    saisie->agit([saisie] { saisie->modele().doubleClic(); });
    QVERIFY(saisie->modele().Mode_Modif());

    QTest::keyClicks(s->New_Indicatif, QStringLiteral("F2NEW"));
    QTest::mouseClick(s->Validation, Qt::LeftButton);

    QCOMPARE(b->station(), QStringLiteral("F2NEW"));
    QVERIFY(!saisie->modele().Mode_Modif());
    QVERIFY(!saisie->modele().Liste_Verrouillee());
    QVERIFY(!m->zoneDeSaisie()->Valide_A->isEnabled());
    QCOMPARE(m->zoneDeSaisie()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(m->zoneDeSaisie()->Ind_A->text().isEmpty());
    QVERIFY(BancProgramme::lit(b->cheminLog(QStringLiteral("F2NEW"))).isEmpty());
}

QTEST_MAIN(TestStation)
#include "tst_station.moc"
