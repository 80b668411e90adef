// Every window on three screens at once: 1024x768 at scale 1, 1366x768 at
// scale 1.25 and 2560x1440 at scale 2, side by side, each window opened from
// a main window started on the screen of the row. And what a screen reader
// finds in each window.
#include "app/BancProgramme.h"
#include "core/awards/CarteDepartements.h"
#include "core/awards/MoulinsContactes.h"
#include "gui/app/Gestion_Erreur.h"
#include "gui/app/Main.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/awards/Multi_QSL.h"
#include "gui/awards/Scores_Moulins.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"
#include "gui/search/Recherche_Indicatif.h"
#include "gui/web/Cluster.h"
#include "gui/web/Pages.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

const QString kStation = QStringLiteral("F1ECR");

// The screens, in the offscreen platform's terms: places and sizes in
// pixels, the scale as a logical resolution over 96 dots an inch.
struct Ecran {
    const char* nom;
    int largeur;
    int hauteur;
    int ppp;
};
constexpr Ecran kEcrans[] = {
    {"1024x768", 1024, 768, 96},
    {"1366x768@1.25", 1366, 768, 120},
    {"2560x1440@2", 2560, 1440, 192},
};

QByteArray configurationEcrans()
{
    QByteArray json = "{\"screens\":[";
    int x = 0;
    for (const Ecran& e : kEcrans) {
        if (x)
            json += ',';
        json += QStringLiteral("{\"name\":\"%1\",\"x\":%2,\"y\":0,\"width\":%3,\"height\":%4,"
                               "\"logicalDpi\":%5,\"logicalBaseDpi\":96,\"dpr\":1}")
                    .arg(QLatin1String(e.nom))
                    .arg(x)
                    .arg(e.largeur)
                    .arg(e.hauteur)
                    .arg(e.ppp)
                    .toUtf8();
        x += e.largeur;
    }
    return json + "]}";
}

QScreen* ecran(const QString& nom)
{
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->name() == nom)
            return s;
    }
    return nullptr;
}

enum class Fenetre {
    Main,
    Station,
    Gestion_Erreur,
    Aff_Contacte,
    Carte_Acti_KZT,
    Scores_Moulins,
    Multi_QSL,
    Recherche_Indicatif,
    Cluster,
    Liste_KZT1,
    Reglement
};

const std::pair<const char*, Fenetre> kFenetres[] = {
    {"Main", Fenetre::Main},
    {"Station", Fenetre::Station},
    {"Gestion_Erreur", Fenetre::Gestion_Erreur},
    {"Aff_Contacte", Fenetre::Aff_Contacte},
    {"Carte_Acti_KZT", Fenetre::Carte_Acti_KZT},
    {"Scores_Moulins", Fenetre::Scores_Moulins},
    {"Multi_QSL", Fenetre::Multi_QSL},
    {"Recherche_Indicatif", Fenetre::Recherche_Indicatif},
    {"Cluster", Fenetre::Cluster},
    {"Liste_KZT1", Fenetre::Liste_KZT1},
    {"Reglement", Fenetre::Reglement},
};

// A main window started on a screen, over a log of a few QSOs, one of them
// confirmed in department 77, and the window under test opened from it.
struct Banc {
    BancProgramme b;
    std::unique_ptr<Main> main;
    std::unique_ptr<QWidget> propre; // a window made here rather than by the main one
    QWidget* fenetre = nullptr;

    Banc(QScreen* ecran, Fenetre quelle)
    {
        b.choisitStation(kStation);
        QByteArray log = b.ecritLog(kStation, 60);
        log.replace(106, 1, "*"); // the first QSO, in 77, has its QSL
        QFile f(b.cheminLog(kStation));
        f.open(QIODevice::WriteOnly);
        f.write(log);
        f.close();
        main = std::make_unique<Main>(b.services());
        main->setScreen(ecran);
        main->demarreProgramme();
        fenetre = ouvre(quelle);
        if (fenetre) {
            fenetre->show();
            QVERIFY(QTest::qWaitForWindowExposed(fenetre));
            QApplication::processEvents();
        }
    }

    ~Banc()
    {
        propre.reset();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QStringLiteral("Station"))
                delete w;
        }
    }

    QWidget* menu(const char* nom, const char* fenetre)
    {
        main->findChild<QAction*>(QLatin1String(nom))->trigger();
        return main->findChild<QWidget*>(QLatin1String(fenetre), Qt::FindDirectChildrenOnly);
    }

    QWidget* ouvre(Fenetre quelle)
    {
        switch (quelle) {
        case Fenetre::Main:
            return main.get();
        case Fenetre::Station:
            main->findChild<QAction*>(QStringLiteral("Mnu_New_Indicatif"))->trigger();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w->objectName() == QStringLiteral("Station") && w->isVisible())
                    return w;
            }
            return nullptr;
        case Fenetre::Gestion_Erreur:
            propre = std::make_unique<Gestion_Erreur>(
                b.services(), [] {}, main.get());
            return propre.get();
        case Fenetre::Aff_Contacte:
            return menu("Mnu_M_Contacte", "Aff_Contacte");
        case Fenetre::Carte_Acti_KZT:
            return menu("Mnu_Carte_HB", "Carte_Acti_KZT");
        case Fenetre::Scores_Moulins:
            return menu("Mnu_Score", "Scores_Moulins");
        case Fenetre::Multi_QSL:
            return menu("Mnu_Non_Recues", "Multi_QSL");
        case Fenetre::Recherche_Indicatif:
            main->zoneDeSaisie()->Rechercher->click();
            return main->findChild<QWidget*>(QStringLiteral("Recherche_Indicatif"));
        case Fenetre::Cluster:
            return menu("Mnu_Cluster", "Cluster");
        case Fenetre::Liste_KZT1:
            // Modal: made here, so that the test goes on while it is open.
            propre = std::make_unique<Liste_KZT1>(b.services(), main.get());
            propre->setWindowModality(Qt::NonModal);
            return propre.get();
        case Fenetre::Reglement:
            return menu("Mnu_Reglement", "Reglement");
        }
        return nullptr;
    }
};

// Where a control goes beyond its parent, or is squeezed below the smallest
// size that shows it whole; empty when all is well. The controls scrolled
// inside a view are inside that view's port, whatever their place.
QString horsDePlace(QWidget* fenetre)
{
    for (QWidget* c : fenetre->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->isWindow())
            continue;
        QWidget* parent = c->parentWidget();
        auto* vue = qobject_cast<QAbstractScrollArea*>(parent ? parent->parentWidget() : nullptr);
        if (vue && parent == vue->viewport())
            continue;
        if (!parent->rect().contains(c->geometry()))
            return QStringLiteral("%1 %2 beyond %3 %4")
                .arg(c->objectName(), QDebug::toString(c->geometry()), parent->objectName(),
                     QDebug::toString(parent->rect()));
        // A list is as wide as the characters it was given (its smallest
        // size is that of its text box, wider).
        const QSize minimum = qobject_cast<QComboBox*>(c) ? c->sizeHint() : c->minimumSizeHint();
        const QSizePolicy politique = c->sizePolicy();
        const bool compressible = (politique.horizontalPolicy() & QSizePolicy::ShrinkFlag) &&
                                  politique.horizontalPolicy() != QSizePolicy::Ignored &&
                                  c->minimumWidth() == 0;
        if (minimum.isValid() && compressible && c->width() < minimum.width() &&
            !qobject_cast<QAbstractScrollArea*>(c))
            return QStringLiteral("%1 squeezed to %2, needs %3")
                .arg(c->objectName())
                .arg(c->width())
                .arg(minimum.width());
    }
    return {};
}

// The accessible objects under an interface that take the focus and have no
// name, by role and place.
void sansNom(QAccessibleInterface* i, QStringList* trouves, int profondeur = 0)
{
    if (!i || profondeur > 12)
        return;
    const QAccessible::State etat = i->state();
    if (etat.focusable && !etat.invisible && i->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* o = i->object();
        *trouves << QStringLiteral("role %1 %2")
                        .arg(int(i->role()))
                        .arg(o ? o->objectName() + QLatin1Char(' ') +
                                     QLatin1String(o->metaObject()->className())
                               : QString());
    }
    for (int n = 0; n < i->childCount(); ++n)
        sansNom(i->child(n), trouves, profondeur + 1);
}

QString nomAccessible(QWidget* w)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void everyWindowFitsItsScreen_data();
    void everyWindowFitsItsScreen();
    void narrowMainWindowPutsFieldsOnTwoRows_data();
    void narrowMainWindowPutsFieldsOnTwoRows();
    void mapSharpAtEveryScale_data();
    void mapSharpAtEveryScale();
    void contrastRatio_data();
    void contrastRatio();
    void shownQsoReadableInDisabledFields();
    void windmillHeaderInListFont();
    void focusableControlsHaveNames_data();
    void focusableControlsHaveNames();
    void controlsNamedByWhatTheyAre_data();
    void controlsNamedByWhatTheyAre();

private:
    QTemporaryDir m_sansModule;
};

void TestScreens::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().size(), 3);
    // The web windows without the web engine: the page goes to a browser
    // that is not there, and the window says so.
    VueWeb::dossierDuModule(m_sansModule.path());
    VueWeb::creeNavigateur([](const QUrl&) { return true; });
}

void TestScreens::cleanup()
{
    QApplication::closeAllWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestScreens::everyWindowFitsItsScreen_data()
{
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<int>("fenetre");
    for (const Ecran& e : kEcrans) {
        for (const auto& [nom, f] : kFenetres)
            QTest::addRow("%s %s", nom, e.nom) << QString::fromLatin1(e.nom) << int(f);
    }
}

void TestScreens::everyWindowFitsItsScreen()
{
    QFETCH(QString, ecran);
    QFETCH(int, fenetre);
    QScreen* cible = ::ecran(ecran);
    QVERIFY(cible);
    Banc banc(cible, Fenetre(fenetre));
    QWidget* w = banc.fenetre;
    QVERIFY(w);
    QCOMPARE(w->screen(), cible);
    const QRect libre = cible->availableGeometry();
    QVERIFY2(libre.contains(w->frameGeometry()),
             qPrintable(QDebug::toString(w->frameGeometry()) + " on " + QDebug::toString(libre)));
    QVERIFY2(w->width() >= w->minimumSizeHint().width() &&
                 w->height() >= w->minimumSizeHint().height(),
             qPrintable(QDebug::toString(w->size()) + " below " +
                        QDebug::toString(w->minimumSizeHint())));
    const QString faute = horsDePlace(w);
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
}

void TestScreens::narrowMainWindowPutsFieldsOnTwoRows_data()
{
    QTest::addColumn<int>("largeur"); // 0: as narrow as the window goes
    QTest::addColumn<bool>("deuxRangs");
    QTest::newRow("narrowest") << 0 << true;
    QTest::newRow("1400 wide") << 1400 << false;
}

void TestScreens::narrowMainWindowPutsFieldsOnTwoRows()
{
    QFETCH(int, largeur);
    QFETCH(bool, deuxRangs);
    Banc banc(ecran(QString::fromLatin1(kEcrans[2].nom)), Fenetre::Main);
    banc.main->resize(largeur ? largeur : banc.main->minimumSizeHint().width(), 700);
    QApplication::processEvents();
    ZoneSaisie* z = banc.main->zoneDeSaisie();
    QCOMPARE(z->Deux_Rangs(), deuxRangs);
    const QString faute = horsDePlace(banc.main.get());
    QVERIFY2(faute.isEmpty(), qPrintable(faute));
    // Read row by row, the fields keep their order; the mode starts the
    // second row when there are two.
    const QList<QWidget*> champs = z->Champs();
    for (int i = 1; i < champs.size(); ++i) {
        const QPoint avant = champs[i - 1]->mapTo(z, champs[i - 1]->rect().center());
        const QPoint apres = champs[i]->mapTo(z, champs[i]->rect().center());
        const bool nouveauRang = deuxRangs && champs[i] == z->Mode_A;
        QVERIFY2(nouveauRang ? apres.y() > avant.y() + 16 && apres.x() < avant.x()
                             : qAbs(apres.y() - avant.y()) < 8 && apres.x() > avant.x(),
                 qPrintable(champs[i]->objectName()));
    }
    // Tab goes through the fields in entry order, then the buttons, as it did.
    QList<QWidget*> ordre = champs;
    ordre << z->Valide_A << z->Efface_A << z->Annule_Saisie << z->Ajout_QSO << z->Rechercher
          << z->Command1;
    QWidget* w = ordre.first();
    for (int i = 1; i < ordre.size(); ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !ordre.contains(w))
            w = w->nextInFocusChain();
        QCOMPARE(w, ordre[i]);
    }
    // The list takes the height left below the entry frame, and keeps the
    // selected last line in sight.
    ListeLog* liste = banc.main->Liste();
    QApplication::processEvents();
    QTreeView* vue = liste->Liste_KZT;
    QCOMPARE(vue->currentIndex().row(), liste->nombreLignes() - 1);
    const QRect derniere = vue->visualRect(vue->currentIndex());
    QVERIFY(derniere.top() >= 0 && derniere.bottom() < vue->viewport()->height());
    QCOMPARE(liste->mapTo(banc.main.get(), QPoint(0, liste->height())).y(),
             banc.main->centralWidget()->geometry().bottom() + 1 -
                 banc.main->centralWidget()->layout()->contentsMargins().bottom());
}

void TestScreens::mapSharpAtEveryScale_data()
{
    QTest::addColumn<QString>("ecran");
    QTest::addColumn<qreal>("densite");
    for (const Ecran& e : kEcrans)
        QTest::newRow(e.nom) << QString::fromLatin1(e.nom) << e.ppp / 96.0;
}

void TestScreens::mapSharpAtEveryScale()
{
    QFETCH(QString, ecran);
    QFETCH(qreal, densite);
    Banc banc(::ecran(ecran), Fenetre::Carte_Acti_KZT);
    auto* carte = qobject_cast<Carte_Acti_KZT*>(banc.fenetre);
    QVERIFY(carte);
    // One pixel of the picture to one pixel of the screen.
    const QPixmap p = carte->Picture1->pixmap();
    QCOMPARE(p.devicePixelRatio(), densite);
    QCOMPARE(
        p.size(),
        (QSizeF(Carte_Acti_KZT::largeurCarte, Carte_Acti_KZT::hauteurCarte) * densite).toSize());
    QCOMPARE(p.deviceIndependentSize().toSize(),
             QSize(Carte_Acti_KZT::largeurCarte, Carte_Acti_KZT::hauteurCarte));
    // The boxes stay where the picture has their departments.
    QCOMPARE(carte->Dep[77]->pos(),
             CarteDepartements::positionCase(77) + carte->Picture1->contentsRect().topLeft());
}

void TestScreens::contrastRatio_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << QColor(0x80, 0x40, 0x20) << QColor(0x80, 0x40, 0x20) << 1.0;
    // The usual limits: #767676 is the lightest grey readable on white, #777
    // just below it.
    QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::newRow("#777 on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
    QTest::newRow("either order") << QColor(Qt::white) << QColor(0x77, 0x77, 0x77) << 4.48;
}

void TestScreens::contrastRatio()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(Apparence::Contraste(a, b) - ratio) < 0.01,
             qPrintable(QString::number(Apparence::Contraste(a, b))));
}

void TestScreens::shownQsoReadableInDisabledFields()
{
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre::Main);
    banc.main->Liste()->selectionne(0);
    ZoneSaisie* z = banc.main->zoneDeSaisie();
    QCOMPARE(z->Ind_A->text(), QStringLiteral("F1AB"));
    int desactives = 0;
    for (QWidget* champ : z->Champs()) {
        if (champ->isEnabled() || champ == static_cast<QWidget*>(z->QSL_A))
            continue;
        ++desactives;
        const QPalette p = champ->palette();
        const double contraste = Apparence::Contraste(p.color(QPalette::Disabled, QPalette::Text),
                                                      p.color(QPalette::Disabled, QPalette::Base));
        QVERIFY2(contraste >= 4.5,
                 qPrintable(champ->objectName() + " " + QString::number(contraste)));
    }
    QVERIFY2(desactives >= 9, qPrintable(QString::number(desactives)));
}

void TestScreens::windmillHeaderInListFont()
{
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre::Aff_Contacte);
    auto* w = qobject_cast<Aff_Contacte*>(banc.fenetre);
    QVERIFY(w);
    QCOMPARE(w->Label2->font(), w->Liste_KZT_Contacte->font());
    QVERIFY(QFontInfo(w->Label2->font()).fixedPitch());
    QCOMPARE(w->Label2->text(), MoulinsContactes::enteteListe);
}

void TestScreens::focusableControlsHaveNames_data()
{
    QTest::addColumn<int>("fenetre");
    for (const auto& [nom, f] : kFenetres)
        QTest::newRow(nom) << int(f);
}

void TestScreens::focusableControlsHaveNames()
{
    QFETCH(int, fenetre);
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre(fenetre));
    QWidget* w = banc.fenetre;
    QVERIFY(w);
    if (Fenetre(fenetre) != Fenetre::Main)
        QCOMPARE(nomAccessible(w), w->windowTitle());
    QStringList trouves;
    sansNom(QAccessible::queryAccessibleInterface(w), &trouves);
    QVERIFY2(trouves.isEmpty(), qPrintable(trouves.join(QStringLiteral("; "))));
}

void TestScreens::controlsNamedByWhatTheyAre_data()
{
    QTest::addColumn<int>("fenetre");
    QTest::addColumn<QString>("controle");
    QTest::addColumn<QString>("nom");
    const int main = int(Fenetre::Main);
    const int scoresCalcules = int(Fenetre::Scores_Moulins);
    const int carte = int(Fenetre::Carte_Acti_KZT);
    // The lists by what they hold, not by the value chosen.
    QTest::newRow("mode") << main << "Mode_A"
                          << "Mode";
    QTest::newRow("band") << main << "Bande_A"
                          << "Bande";
    QTest::newRow("callsign") << main << "Ind_A"
                              << "Indicatif";
    QTest::newRow("qsl") << main << "QSL_A"
                         << "QSL";
    QTest::newRow("map band") << carte << "Bande_A"
                              << "Bande";
    QTest::newRow("HF contacted") << scoresCalcules << "HF_CT"
                                  << "KZT HF : Nombre de Moulins contactés";
    QTest::newRow("HF confirmed") << scoresCalcules << "HF_CF"
                                  << "KZT HF : Nombre de Moulins confirmés";
    QTest::newRow("VHF contacted") << scoresCalcules << "VHF_CT"
                                   << "KZT VHF : Nombre de Moulins contactés";
    QTest::newRow("VHF confirmed") << scoresCalcules << "VHF_CF"
                                   << "KZT VHF : Nombre de Moulins confirmés";
    QTest::newRow("UHF contacted") << scoresCalcules << "UHF_CT"
                                   << "KZT UHF : Nombre de Moulins contactés";
    QTest::newRow("UHF confirmed") << scoresCalcules << "UHF_CF"
                                   << "KZT UHF : Nombre de Moulins confirmés";
    // The log has its QSOs in 77 in HF, the first one confirmed.
    QTest::newRow("box confirmed") << carte << "Dep(77)"
                                   << "77 confirmé";
    QTest::newRow("box not contacted") << carte << "Dep(29)"
                                       << "29 non contacté";
    QTest::newRow("box of Corsica") << carte << "Dep(96)"
                                    << "2A non contacté";
}

void TestScreens::controlsNamedByWhatTheyAre()
{
    QFETCH(int, fenetre);
    QFETCH(QString, controle);
    QFETCH(QString, nom);
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre(fenetre));
    auto* c = banc.fenetre->findChild<QWidget*>(controle);
    QVERIFY(c);
    QCOMPARE(nomAccessible(c), nom);
}

int main(int argc, char* argv[])
{
    // Three screens side by side, before the application opens them.
    QTemporaryDir dossier;
    QFile configuration(dossier.filePath(QStringLiteral("ecrans.json")));
    if (!configuration.open(QIODevice::WriteOnly) || configuration.write(configurationEcrans()) < 0)
        return 1;
    configuration.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + configuration.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screens.moc"
