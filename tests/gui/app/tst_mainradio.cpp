// The radio seen from the main window: its band and mode given to the entry,
// and its status line.
#include "BancProgramme.h"

#include "core/radio/PosteRigctldLance.h"
#include "core/radio/Radio.h"
#include "gui/app/Reglage_Radio.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "support/Rigctld.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeView>

class TestMainRadio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void radioDonneBandeEtMode_data();
    void radioDonneBandeEtMode();
    void sansRadioPasDeLigneDEtat();
    void reglageRigctldLance_data();
    void reglageRigctldLance();
};

// The radio served by hamlib's rigctld: what it is tuned to becomes the
// band and mode of the entry, remembered as a choice by hand, never while a
// QSO of the list is edited or inserted; a band picked by hand stays until
// the radio changes band. A mode being typed stays as typed: the radio's
// comes at the next reset, or when the field is left as it was.
void TestMainRadio::radioDonneBandeEtMode_data()
{
    QTest::addColumn<QString>("pendant"); // "", "edition", "insertion", "main"
    QTest::newRow("entry") << "";
    QTest::newRow("edit of a listed QSO") << "edition";
    QTest::newRow("insertion") << "insertion";
    QTest::newRow("band picked by hand") << "main";
    QTest::newRow("mode being typed") << "frappe";
    QTest::newRow("mode typed, then put back and left") << "frappe rendue";
}

void TestMainRadio::radioDonneBandeEtMode()
{
    QFETCH(QString, pendant);
    Rigctld rigctld;
    QVERIFY(rigctld.demarre());
    QCOMPARE(rigctld.commande("F 14250000"), QStringLiteral("RPRT 0"));
    QCOMPARE(rigctld.commande("M USB 2400"), QStringLiteral("RPRT 0"));

    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    const QString section = Reglages::sectionStation(QStringLiteral("F1ABC"));
    b.reglages.ecrit(section, Reglages::bandeUtilisee, QStringLiteral("10")); // 144 Mhz
    b.reglages.ecrit(section, Reglages::modeUtilise, QStringLiteral("2"));    // FM
    b.reglages.ecrit("Radio", "Modele", "2");
    b.reglages.ecrit("Radio", "Port", rigctld.adresse());
    b.reglages.ecrit("Radio", "Intervalle", "200");
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    QComboBox* bande = m.zoneDeSaisie()->Bande_A;
    QComboBox* mode = m.zoneDeSaisie()->Mode_A;
    LiaisonSaisie* saisie = m.liaisonSaisie();

    QTRY_COMPARE_WITH_TIMEOUT(bande->currentText(), QStringLiteral("14 Mhz"), 10000);
    QCOMPARE(mode->currentText(), QStringLiteral("SSB"));
    QCOMPARE(b.reglageStation("F1ABC", Reglages::bandeUtilisee), QStringLiteral("4"));
    QCOMPARE(b.reglageStation("F1ABC", Reglages::modeUtilise), QStringLiteral("0"));
    QCOMPARE(m.findChild<QLabel*>("Statut_Radio")->text(),
             QStringLiteral("Radio : 14 250,0 kHz USB"));
    QVERIFY(m.statusBar()->isVisible());

    if (pendant == "edition")
        saisie->agit([saisie] { saisie->modele().doubleClic(); });
    else if (pendant == "insertion")
        QTest::mouseClick(m.zoneDeSaisie()->Ajout_QSO, Qt::LeftButton);
    else if (pendant == "main")
        bande->setCurrentIndex(0), Q_EMIT bande->activated(0);
    const bool frappe = pendant.startsWith("frappe");
    if (frappe) {
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        // Through the Enter chain to the mode, on a windmill not contacted yet.
        for (const char* texte : {"f5xyz", "jean", "77", "77122"}) {
            QTest::keyClicks(QApplication::focusWidget(), texte);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), mode);
        mode->lineEdit()->selectAll();
        QTest::keyClicks(mode, "PS");
    }
    const QString bandeAvant = bande->currentText();
    const QString modeAvant = mode->currentText();

    // A change of mode alone: a band picked by hand stays.
    rigctld.commande("M CW 500");
    QTRY_COMPARE_WITH_TIMEOUT(m.findChild<QLabel*>("Statut_Radio")->text(),
                              QStringLiteral("Radio : 14 250,0 kHz CW"), 5000);
    // The status and the entry follow one reading, together.
    const bool passe = pendant.isEmpty() || pendant == "main";
    QCOMPARE(mode->currentText(), passe ? QStringLiteral("CW") : modeAvant);
    QCOMPARE(bande->currentText(), bandeAvant);

    rigctld.commande("F 7050000");
    QTRY_COMPARE_WITH_TIMEOUT(m.findChild<QLabel*>("Statut_Radio")->text(),
                              QStringLiteral("Radio : 7 050,0 kHz CW"), 5000);
    QCOMPARE(bande->currentText(), passe || frappe ? QStringLiteral("7.0 Mhz") : bandeAvant);
    QCOMPARE(mode->currentText(), passe ? QStringLiteral("CW") : modeAvant);

    if (pendant == "frappe rendue") {
        // Put back as the entry gave it, nothing typed is lost: the radio's
        // mode comes as the field is left.
        mode->setEditText(QStringLiteral("SSB"));
        m.zoneDeSaisie()->Ind_A->setFocus();
        QCOMPARE(QApplication::focusWidget(), m.zoneDeSaisie()->Ind_A);
        QCOMPARE(mode->currentText(), QStringLiteral("CW"));
        QCOMPARE(m.zoneDeSaisie()->Ind_A->text(), QStringLiteral("F5XYZ"));
    } else if (!passe) {
        // Once the edit or the insertion ends, the radio's band and mode come.
        QTest::mouseClick(m.zoneDeSaisie()->Efface_A, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(bande->currentText(), QStringLiteral("7.0 Mhz"), 5000);
        QCOMPARE(mode->currentText(), QStringLiteral("CW"));
    }

    // rigctld stopped: said in the status line, the entry works on.
    rigctld.arrete();
    QTRY_VERIFY_WITH_TIMEOUT(
        m.findChild<QLabel*>("Statut_Radio")->text().startsWith("Radio non connectée"), 10000);
    QCOMPARE(b.messages.affichees().size(), 0);
}

void TestMainRadio::sansRadioPasDeLigneDEtat()
{
    BancProgramme b;
    b.choisitStation(QStringLiteral("F1ABC"));
    b.ecritLog(QStringLiteral("F1ABC"), 2);
    Main m(b.services());
    QVERIFY(m.demarreProgramme());
    // The radio's worker takes its orders in turn: the settings were taken
    // once the list of models arrives.
    QSignalSpy listes(&m.radio(), &Radio::modelesRecus);
    m.radio().demandeModeles();
    QVERIFY(listes.wait(10000));
    QVERIFY(!m.statusBar()->isVisible());
    QCOMPARE(m.findChild<QLabel*>("Statut_Radio")->text(), QString());
    QVERIFY(!m.radio().accorde(14250000, "SSB").estOk());
}

// The way of a rigctld the program starts, in "Réglage de la radio": its
// models from "rigctld -l" of the folder given, a test on a rigctld of its
// own, ended once done, and the settings saved in their keys.
void TestMainRadio::reglageRigctldLance_data()
{
    QTest::addColumn<QString>("dossier"); // empty: the system's rigctld
    QTest::addColumn<QString>("resultat");
    QTest::newRow("found") << QString() << "Radio trouvée : 145 000,0 kHz, mode FM.";
    QTest::newRow("no rigctld in the folder")
        << "/nulle/part"
        << "Rigctld est introuvable dans « /nulle/part », voir « Réglage de la radio ».";
}

void TestMainRadio::reglageRigctldLance()
{
    QFETCH(QString, dossier);
    QFETCH(QString, resultat);
    if (dossier.isEmpty())
        dossier = QFileInfo(Rigctld::programme()).absolutePath();
    BancProgramme b;
    b.reglages.ecrit("Radio", "Modele", "1");
    Radio radio;
    Reglage_Radio f(b.reglages, radio);
    QCOMPARE(f.Liaison_Radio->currentIndex(), 0);
    QVERIFY(!f.Dossier_Hamlib->isEnabled());
    QSignalSpy listes(&radio, &Radio::modelesRecus);
    f.Dossier_Hamlib->setText(dossier);
    f.Liaison_Radio->setCurrentIndex(1);
    QCOMPARE(f.Liaison_Radio->currentText(), QStringLiteral("hamlib (rigctld lancé par RQN_KZT)"));
    QVERIFY(f.Dossier_Hamlib->isEnabled());
    // hamlib's list asked by the window at its opening, then rigctld's.
    QTRY_COMPARE_WITH_TIMEOUT(listes.size(), 2, 10000);
    const bool trouve = listes.last().at(1).toString().isEmpty();
    QCOMPARE(f.Modele_Radio->currentText(),
             trouve ? QStringLiteral("Hamlib Dummy (1)") : QStringLiteral("Modèle 1"));
    if (!trouve)
        QCOMPARE(f.Resultat_Radio->text(), "Radio : rigctld est introuvable dans « " + dossier +
                                               " », voir « Réglage de la radio ».");

    QSignalSpy tests(&radio, &Radio::testTermine);
    f.Tester->click();
    QTRY_COMPARE_WITH_TIMEOUT(tests.size(), 1, 10000);
    QCOMPARE(f.Resultat_Radio->text(), resultat);
    QVERIFY(PosteRigctldLance::enCours().isEmpty());

    f.Enregistrer->click();
    QCOMPARE(b.reglages.lit("Radio", "Liaison", ""), QStringLiteral("rigctld-lance"));
    QCOMPARE(b.reglages.lit("Radio", "DossierHamlib", ""), dossier);
    QCOMPARE(b.reglages.lit("Radio", "Modele", ""), QStringLiteral("1"));
    QCOMPARE(ReglagesRadio::lit(b.reglages), f.reglagesAffiches());
    if (trouve)
        QTRY_VERIFY_WITH_TIMEOUT(radio.estConnectee(), 10000);
}

QTEST_MAIN(TestMainRadio)
#include "tst_mainradio.moc"
