// The online callbook through the real main window: a new callsign typed,
// its first name filled from the loopback callbook; the settings window; the
// password asked once where no keychain answers.
#include "app/BancProgramme.h"
#include "core/callbook/Annuaire.h"
#include "core/platform/Trousseau.h"
#include "gui/app/Annuaire_En_Ligne.h"
#include "gui/app/MotDePasseAnnuaire.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ZoneSaisie.h"
#include "support/AnnuaireBoucle.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

namespace {

// A keychain in memory; `disponible` false: none answers.
class TrousseauMemoire : public Trousseau {
public:
    bool disponible = true;
    QHash<QString, QString> secrets;
    void lit(const QString& nom, std::function<void(bool, bool, const QString&)> fait) override
    {
        fait(disponible, disponible && secrets.contains(nom), secrets.value(nom));
    }
    void ecrit(const QString& nom, const QString& secret, std::function<void(bool)> fait) override
    {
        if (disponible)
            secrets.insert(nom, secret);
        fait(disponible);
    }
};

} // namespace

class TestAnnuaireFenetre : public QObject {
    Q_OBJECT

    QWidget* focus() const { return QApplication::focusWidget(); }
    void tape(const QString& texte, bool entree = true)
    {
        for (QChar c : texte)
            QTest::keyClick(focus(), c.toLatin1());
        if (entree)
            QTest::keyClick(focus(), Qt::Key_Return);
    }
    // The program of a station whose callbook is the loopback's HamQTH.
    std::unique_ptr<Main> demarre(BancProgramme& b, AnnuaireBoucle& boucle, Trousseau* trousseau,
                                  int qsos = 0)
    {
        b.choisitStation("F1ABC");
        b.ecritLog("F1ABC", qsos);
        ReglagesAnnuaire r;
        r.service = ReglagesAnnuaire::Service::HamQth;
        r.utilisateur = boucle.utilisateur;
        r.adresseHamQth = boucle.hamQth();
        r.ecrit(b.reglages);
        Services s = b.services();
        s.trousseau = trousseau;
        auto m = std::make_unique<Main>(s);
        [&] { QVERIFY(m->demarreProgramme()); }();
        QApplication::setActiveWindow(m.get());
        return m;
    }

private Q_SLOTS:
    // The first name of a new callsign comes before the operator reaches the
    // field, or is left out when the operator typed one first; a callsign
    // the memory knows is never looked up.
    void prenomDeLAnnuaire_data()
    {
        QTest::addColumn<QString>("indicatif");
        QTest::addColumn<int>("lenteurMs"); // of the callbook's answer
        QTest::addColumn<QString>("tape");  // in Prenom_A before the answer
        QTest::addColumn<QString>("prenom");
        QTest::addColumn<int>("recherches");
        QTest::newRow("new callsign") << "OK7AN" << 0 << ""
                                      << "PETR" << 1;
        QTest::newRow("name typed before a late answer") << "OK7AN" << 300 << "JAN"
                                                         << "JAN" << 1;
        QTest::newRow("not in the callbook") << "F9ZZZ" << 0 << ""
                                             << "" << 1;
        QTest::newRow("known to the first-name memory") << "F5MEM" << 0 << ""
                                                        << "MARC" << 0;
    }
    void prenomDeLAnnuaire()
    {
        QFETCH(QString, indicatif);
        QFETCH(int, lenteurMs);
        QFETCH(QString, tape);
        QFETCH(QString, prenom);
        QFETCH(int, recherches);
        BancProgramme b;
        QVERIFY(!indicatif.isEmpty());
        {
            QFile memoire(b.chemin("Liste_Prenom.txt"));
            QVERIFY(memoire.open(QIODevice::WriteOnly));
            memoire.write("F5MEM        77 MARC\r\n");
        }
        AnnuaireBoucle boucle;
        boucle.panne = lenteurMs > 0 ? AnnuaireBoucle::Panne::Lente : AnnuaireBoucle::Panne::Aucune;
        boucle.lenteurMs = lenteurMs;
        TrousseauMemoire trousseau;
        trousseau.secrets.insert("annuaire/HamQTH/" + boucle.utilisateur, boucle.motDePasse);
        const auto m = demarre(b, boucle, &trousseau);
        QVERIFY(QTest::qWaitForWindowActive(m.get()));
        QSignalSpy reponses(&m->annuaire(), &Annuaire::repondu);
        ZoneSaisie* z = m->zoneDeSaisie();
        this->tape(indicatif);
        QCOMPARE(focus(), z->Prenom_A);
        if (!tape.isEmpty())
            this->tape(tape, false);
        if (recherches > 0)
            QVERIFY(reponses.wait(10000));
        QCOMPARE(z->Prenom_A->text(), prenom);
        QCOMPARE(boucle.recherches, recherches);
        const bool dit = recherches > 0 && tape.isEmpty() && !prenom.isEmpty();
        QCOMPARE(m->statusBar()->currentMessage(),
                 dit ? "Annuaire : " + prenom + " (HamQTH)" : QString());
        // The password is in no file of the program or of its settings.
        for (const QString& f : {b.reglages.nomDeFichier(), b.chemin("Liste_Prenom.txt")})
            QVERIFY(!BancProgramme::lit(f).contains(boucle.motDePasse.toUtf8()));
    }

    // A QSO edited from the list is a past QSO: its callsign is never
    // looked up, whatever the memory knows.
    void jamaisPourUnQsoDeLaListe()
    {
        BancProgramme b;
        AnnuaireBoucle boucle;
        TrousseauMemoire trousseau;
        trousseau.secrets.insert("annuaire/HamQTH/" + boucle.utilisateur, boucle.motDePasse);
        const auto m = demarre(b, boucle, &trousseau, 1);
        QVERIFY(QTest::qWaitForWindowActive(m.get()));
        QSignalSpy inconnus(&m->liaisonSaisie()->modele(), &ModeleSaisie::indicatifInconnu);
        QTest::keyClick(focus(), Qt::Key_Backtab);
        QTest::keyClick(focus(), Qt::Key_Home);
        QTest::keyClick(focus(), Qt::Key_Return);
        QCOMPARE(focus(), m->zoneDeSaisie()->Ind_A);
        QVERIFY(m->liaisonSaisie()->modele().Mode_Modif());
        QTest::keyClick(focus(), Qt::Key_Return);
        QCOMPARE(focus(), m->zoneDeSaisie()->Prenom_A);
        QCOMPARE(inconnus.size(), 0);
    }

    // Where no keychain answers, the password is asked once, in its own
    // window; the settings window tests and keeps the settings, never the
    // password in a file.
    void motDePasseEtReglages()
    {
        BancProgramme b;
        AnnuaireBoucle boucle;
        TrousseauMemoire trousseau;
        trousseau.disponible = false;
        int demandes = 0;
        QTimer repond;
        connect(&repond, &QTimer::timeout, [&] {
            auto* d = qobject_cast<MotDePasseAnnuaire*>(QApplication::activeModalWidget());
            if (!d || !d->isActiveWindow())
                return;
            ++demandes;
            QCOMPARE(d->focusWidget(), d->Mot_De_Passe);
            QTest::keyClicks(d->Mot_De_Passe, boucle.motDePasse);
            QTest::keyClick(d->Mot_De_Passe, Qt::Key_Return);
        });
        repond.start(20);
        const auto m = demarre(b, boucle, &trousseau);
        QTRY_COMPARE_WITH_TIMEOUT(demandes, 1, 10000);
        QVERIFY(m->annuaire().actif());

        m->findChild<QAction*>("Mnu_Annuaire")->trigger();
        auto* f = m->findChild<Annuaire_En_Ligne*>();
        QVERIFY(f);
        QCOMPARE(f->Service_Annuaire->currentText(), QStringLiteral("HamQTH"));
        QCOMPARE(f->Utilisateur_Annuaire->text(), boucle.utilisateur);
        boucle.prenoms.insert("F1ABC", "Pierre");
        f->Mot_De_Passe_Annuaire->setText(boucle.motDePasse);
        f->Tester->click();
        QTRY_COMPARE_WITH_TIMEOUT(f->Resultat_Annuaire->text(),
                                  QStringLiteral("Connexion réussie à HamQTH : F1ABC trouvé, "
                                                 "prénom PIERRE."),
                                  10000);
        f->Mot_De_Passe_Annuaire->setText("faux");
        f->Tester->click();
        QTRY_COMPARE_WITH_TIMEOUT(
            f->Resultat_Annuaire->text(),
            QStringLiteral("Échec : identifiant ou mot de passe refusé par HamQTH."), 10000);
        f->Service_Annuaire->setCurrentIndex(2);
        f->Mot_De_Passe_Annuaire->setText(boucle.motDePasse);
        f->Enregistrer->click();
        QCOMPARE(b.reglages.lit("Annuaire", "Service", ""), QStringLiteral("QRZ"));
        QVERIFY(
            !BancProgramme::lit(b.reglages.nomDeFichier()).contains(boucle.motDePasse.toUtf8()));
        QCOMPARE(demandes, 1);
    }
};

QTEST_MAIN(TestAnnuaireFenetre)
#include "tst_annuairefenetre.moc"
