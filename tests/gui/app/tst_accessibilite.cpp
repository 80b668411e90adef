// What a screen reader finds in each window, on the first of the three
// screens: every control that takes the focus has a name, and the name says
// what the control is. And what is shown stays readable: the contrast of
// disabled fields, the windmill list header in the list's font.
#include "BancEcrans.h"
#include "core/awards/MoulinsContactes.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>

namespace {

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

class TestAccessibilite : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void rapportDeContraste_data();
    void rapportDeContraste();
    void qsoMontreLisibleChampsDesactives();
    void enteteMoulinEnPoliceDeListe();
    void controlesAtteignablesNommes_data();
    void controlesAtteignablesNommes();
    void controlesNommesParLeurRole_data();
    void controlesNommesParLeurRole();

private:
    QTemporaryDir m_sansModule;
};

void TestAccessibilite::initTestCase()
{
    prepareEcrans(m_sansModule.path());
}

void TestAccessibilite::cleanup()
{
    fermeFenetres();
}

void TestAccessibilite::rapportDeContraste_data()
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

void TestAccessibilite::rapportDeContraste()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(Apparence::rapportContraste(a, b) - ratio) < 0.01,
             qPrintable(QString::number(Apparence::rapportContraste(a, b))));
}

void TestAccessibilite::qsoMontreLisibleChampsDesactives()
{
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre::Main);
    banc.main->listeLog()->selectionne(0);
    ZoneSaisie* z = banc.main->zoneDeSaisie();
    QCOMPARE(z->Ind_A->text(), QStringLiteral("F1AB"));
    int desactives = 0;
    for (QWidget* champ : z->champsDansLOrdre()) {
        if (champ->isEnabled() || champ == static_cast<QWidget*>(z->QSL_A))
            continue;
        ++desactives;
        const QPalette p = champ->palette();
        const double contraste =
            Apparence::rapportContraste(p.color(QPalette::Disabled, QPalette::Text),
                                        p.color(QPalette::Disabled, QPalette::Base));
        QVERIFY2(contraste >= 4.5,
                 qPrintable(champ->objectName() + " " + QString::number(contraste)));
    }
    QVERIFY2(desactives >= 9, qPrintable(QString::number(desactives)));
}

void TestAccessibilite::enteteMoulinEnPoliceDeListe()
{
    Banc banc(ecran(QString::fromLatin1(kEcrans[0].nom)), Fenetre::Aff_Contacte);
    auto* w = qobject_cast<Aff_Contacte*>(banc.fenetre);
    QVERIFY(w);
    QCOMPARE(w->Label2->font(), w->Liste_KZT_Contacte->font());
    QVERIFY(QFontInfo(w->Label2->font()).fixedPitch());
    QCOMPARE(w->Label2->text(), MoulinsContactes::enteteListe);
}

void TestAccessibilite::controlesAtteignablesNommes_data()
{
    QTest::addColumn<int>("fenetre");
    for (const auto& [nom, f] : kFenetres)
        QTest::newRow(nom) << int(f);
}

void TestAccessibilite::controlesAtteignablesNommes()
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

void TestAccessibilite::controlesNommesParLeurRole_data()
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

void TestAccessibilite::controlesNommesParLeurRole()
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
    return executeSurTroisEcrans<TestAccessibilite>(argc, argv);
}

#include "tst_accessibilite.moc"
