// The windmill hunt from the menu "Trafic", against a cluster node on
// loopback: the spots listed with their statuses, the alert, a needed
// windmill taken as a QSO through the Enter chain and saved, the statuses
// following the log, the announce of the QSO being worked, and the login
// again after the node went down.
#include "app/BancProgramme.h"
#include "core/platform/Sonnerie.h"
#include "core/radio/Radio.h"
#include "gui/cluster/Chasse_Moulins.h"
#include "gui/cluster/ModeleSpots.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "gui/entry/ZoneSaisie.h"
#include "gui/platform/Apparence.h"
#include "support/LignesQso.h"
#include "support/NoeudCluster.h"
#include "support/Rigctld.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeView>

namespace {

const QString kStation = QStringLiteral("F1ABC");

// The three spots of the hunt: a windmill the log lacks (department 78 was
// never contacted), one it holds in HF, and one on 10 MHz.
const QByteArray kManquant =
    "DX de F5ABC:     14250.0  F4XYZ        KZT 78001 moulin de Saint-Cyr 1359Z\r\n";
const QByteArray kContacte =
    "DX de F5ABC:     21250.0  F4AAA        KZT 77121                    1401Z JN18\r\n";
const QByteArray kDixMhz =
    "\aDX de DL1ABC-12:10120.0  F4BBB        kzt-77123                    1402Z\a\r\n";

class CompteSonneries : public Sonnerie {
public:
    void sonne() override { ++fois; }
    int fois = 0;
};

ClientCluster::Delais delaisCourts()
{
    ClientCluster::Delais d;
    d.premier = 100;
    d.deuxieme = 200;
    d.suivants = 300;
    d.silence = 5000;
    d.invite = 500;
    return d;
}

} // namespace

class TestChasse : public QObject {
    Q_OBJECT

    std::unique_ptr<BancProgramme> b;
    std::unique_ptr<NoeudCluster> noeud;
    std::unique_ptr<Main> m;
    CompteSonneries sonneries;
    Chasse_Moulins* f = nullptr;
    ZoneSaisie* z = nullptr;

    // The main window over a log holding 77121 on 14 MHz, and the hunt
    // opened from its menu, connected to the node when there is one.
    void demarre(bool avecNoeud = true, const std::function<void(StockReglages&)>& avant = {},
                 bool ouvre = true)
    {
        b = std::make_unique<BancProgramme>();
        b->choisitStation(kStation);
        b->reglages.ecrit(Reglages::sectionStation(kStation), Reglages::bandeUtilisee, "2");
        LogLine::Champs c = LignesQso::ordinaire();
        c.indicatif = QStringLiteral("F5ABC");
        c.date = QStringLiteral("01/02/08");
        QFile log(b->cheminLog(kStation));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write(LignesQso::fichier({LignesQso::ligne(c)}));
        log.close();
        if (avecNoeud) {
            noeud = std::make_unique<NoeudCluster>();
            noeud->historique.clear();
            QVERIFY(noeud->demarre());
            b->reglages.ecrit("Cluster", "Hote", "127.0.0.1");
            b->reglages.ecrit("Cluster", "Port", QString::number(noeud->port()));
        }
        if (avant)
            avant(b->reglages);
        m = std::make_unique<Main>(b->services());
        m->changeSonnerie(&sonneries);
        QVERIFY(m->demarreProgramme());
        z = m->zoneDeSaisie();
        if (!ouvre)
            return;
        m->findChild<QAction*>("Mnu_Chasse")->trigger();
        f = Apparence::fenetreOuverte<Chasse_Moulins>(m.get());
        QVERIFY(f);
        f->client().changeDelais(delaisCourts());
        if (avecNoeud)
            QTRY_VERIFY(f->client().estConnecte());
    }

    ModeleSpots& spots() const { return f->modeleSpots(); }
    QString etat(int rangee) const
    {
        return spots().index(rangee, ModeleSpots::Etat).data().toString();
    }
    int rangeeDe(const QString& indicatif) const
    {
        for (int r = 0; r < spots().rowCount(); ++r) {
            if (spots().ligne(r)->spot.indicatif == indicatif)
                return r;
        }
        return -1;
    }
    // Enter on the spot of that callsign in the list.
    void prend(const QString& indicatif)
    {
        const int r = rangeeDe(indicatif);
        QVERIFY(r >= 0);
        f->Liste_Spots->setCurrentIndex(spots().index(r, 0));
        QTest::keyClick(f->Liste_Spots, Qt::Key_Return);
    }
    // A double-click on the first spot of the list.
    void double_()
    {
        const QPoint centre = f->Liste_Spots->visualRect(spots().index(0, 0)).center();
        QTest::mouseClick(f->Liste_Spots->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(f->Liste_Spots->viewport(), Qt::LeftButton, {}, centre);
    }
    // The field of the entry area that the rules gave the focus to.
    QWidget* champ() const
    {
        const QList<QWidget*> champs = {
            z->Ind_A,   z->Prenom_A, z->Dpt_A,  z->Ref_A, z->Date_A, z->Heure_A,  z->Mode_A,
            z->Bande_A, z->RST_A,    z->RSTE_A, z->Rem_A, z->QSL_A,  z->Valide_A, z->Annule_Saisie};
        return champs.at(m->liaisonSaisie()->modele().focus());
    }
    void entree() { QTest::keyClick(champ(), Qt::Key_Return); }
    QByteArray log() const { return BancProgramme::lit(b->cheminLog(kStation)); }

private Q_SLOTS:
    void cleanup()
    {
        m.reset();
        noeud.reset();
        b.reset();
        sonneries.fois = 0;
    }

    // The first item of "Trafic", before the radio's settings; one window,
    // not modal, with the settings of the section "Cluster".
    void ouvertureDepuisLeMenu()
    {
        b = std::make_unique<BancProgramme>();
        b->choisitStation(QStringLiteral("F_P1ABC"));
        b->ecritLog(QStringLiteral("F_P1ABC"), 2);
        m = std::make_unique<Main>(b->services());
        QVERIFY(m->demarreProgramme());
        auto* trafic = m->findChild<QMenu*>("Mnu_Trafic");
        QVERIFY(trafic);
        QCOMPARE(trafic->actions().size(), 2);
        QCOMPARE(trafic->actions().at(0)->objectName(), QStringLiteral("Mnu_Chasse"));
        QCOMPARE(trafic->actions().at(0)->text(), QStringLiteral("&Chasse aux moulins"));
        QCOMPARE(trafic->actions().at(1)->objectName(), QStringLiteral("Mnu_Reglage_Radio"));

        trafic->actions().at(0)->trigger();
        f = Apparence::fenetreOuverte<Chasse_Moulins>(m.get());
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("Chasse aux moulins"));
        QVERIFY(!f->isModal());
        QCOMPARE(f->Hote_Cluster->text(), QString());
        QCOMPARE(f->Port_Cluster->value(), 7300);
        QCOMPARE(f->Indicatif_Cluster->text(), QStringLiteral("F/P1ABC"));
        QCOMPARE(f->Commandes_Cluster->text(), QStringLiteral("sh/dx 30"));
        QVERIFY(!f->client().estActif());
        QVERIFY(f->Alerte_Sonore->isChecked());
        QVERIFY(!f->Seulement_A_Contacter->isChecked());
        const QSize ecran = Apparence::placeLibre(f);
        QVERIFY2(f->width() <= ecran.width() && f->height() <= ecran.height(),
                 qPrintable(QStringLiteral("%1x%2 %3x%4 min %5x%6")
                                .arg(f->width())
                                .arg(f->height())
                                .arg(ecran.width())
                                .arg(ecran.height())
                                .arg(f->minimumSizeHint().width())
                                .arg(f->minimumSizeHint().height())));

        trafic->actions().at(0)->trigger();
        QCOMPARE(m->findChildren<Chasse_Moulins*>().size(), 1);

        // A host that cannot be: said, nothing written, nothing connected.
        f->Hote_Cluster->setText(QStringLiteral("dxc example"));
        f->Connecter->click();
        QVERIFY(f->Etat_Cluster->text().startsWith(QStringLiteral("L'hôte « dxc example »")));
        QVERIFY(!f->client().estActif());
        QCOMPARE(b->reglages.lit("Cluster", "Hote", "absent"), QStringLiteral("absent"));

        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(!f->isVisible());

        // Closing the main window closes the hunt too, which would otherwise
        // keep the program going.
        trafic->actions().at(0)->trigger();
        QPointer<Chasse_Moulins> chasse = Apparence::fenetreOuverte<Chasse_Moulins>(m.get());
        QVERIFY(chasse && chasse->isVisible());
        m->show();
        m->close();
        QVERIFY(!chasse || !chasse->isVisible());
        f = nullptr;
    }

    // The whole hunt: three statuses, the needed windmill saved through the
    // Enter chain, its status following the log, and a new login after the
    // node went down and came back.
    void chasseDeBoutEnBout()
    {
        demarre();
        QCOMPARE(noeud->indicatifs(), QStringList{kStation});
        QCOMPARE(noeud->commandes(), QStringList{"sh/dx 30"});
        noeud->envoie(kManquant + kContacte);
        noeud->envoieEnDeux(kDixMhz, 20);
        QTRY_COMPARE(spots().rowCount(), 3);
        // The newest first.
        QCOMPARE(etat(0), QStringLiteral("Hors groupe"));
        QCOMPARE(etat(1), QStringLiteral("Déjà contacté le 01/02/08 sur 14 Mhz"));
        QCOMPARE(etat(2), QStringLiteral("Nouveau département"));
        QCOMPARE(spots().index(2, ModeleSpots::Reference).data().toString(),
                 QStringLiteral("78001"));
        QCOMPARE(spots().index(2, ModeleSpots::Bande).data().toString(), QStringLiteral("14 Mhz"));
        QCOMPARE(spots().index(0, ModeleSpots::Bande).data().toString(), QStringLiteral("10 Mhz"));
        // The needed one stands out, and rang once.
        QVERIFY(spots().index(2, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!spots().index(1, 0).data(Qt::BackgroundRole).isValid());
        QCOMPARE(sonneries.fois, 1);

        prend(QStringLiteral("F4XYZ"));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4XYZ"));
        QCOMPARE(z->Bande_A->currentText(), QStringLiteral("14 Mhz"));
        QCOMPARE(champ(), z->Ind_A);
        QCOMPARE(f->Frequence_Annonce->text(), QStringLiteral("14250.0"));
        QVERIFY(z->Dpt_A->text().isEmpty());
        QVERIFY(z->Ref_A->text().isEmpty());
        entree(); // the callsign
        QCOMPARE(champ(), z->Prenom_A);
        QTest::keyClicks(z->Prenom_A, QStringLiteral("paul"));
        entree();
        QCOMPARE(champ(), z->Dpt_A);
        QCOMPARE(z->Dpt_A->text(), QStringLiteral("78"));
        QVERIFY(z->Ref_A->text().isEmpty());
        entree();
        QCOMPARE(champ(), z->Ref_A);
        QCOMPARE(z->Ref_A->text(), QStringLiteral("78001"));
        entree();
        QCOMPARE(champ(), z->Mode_A);
        for (int i = 0; i < 6; ++i)
            entree(); // mode, reports, name, QSL, then the button: the box answers Yes
        QCOMPARE(b->messages.textes(), QStringList{"Voulez vous enregistrer ces données ?"});
        const QByteArray enregistre = log().split('\n').at(1);
        QVERIFY2(enregistre.startsWith("F4XYZ        78   PAUL            78001 06/12/26 14:05 "
                                       "SSB 14 Mhz  59  59"),
                 enregistre.constData());

        // The log changed: the statuses follow.
        QCOMPARE(etat(2), QStringLiteral("Déjà contacté le 06/12/26 sur 14 Mhz"));
        QCOMPARE(etat(1), QStringLiteral("Déjà contacté le 01/02/08 sur 14 Mhz"));
        QCOMPARE(etat(0), QStringLiteral("Hors groupe"));

        // The node goes down and comes back on its port.
        noeud->arrete();
        QTRY_VERIFY(!f->client().estConnecte());
        QTRY_VERIFY(f->Etat_Cluster->text().contains(QStringLiteral("Nouvel essai")));
        QVERIFY(noeud->demarre());
        QTRY_COMPARE_WITH_TIMEOUT(noeud->indicatifs().size(), 2, 10000);
        QTRY_VERIFY(f->client().estConnecte());
        QCOMPARE(f->Etat_Cluster->text(),
                 QStringLiteral("Connecté au cluster 127.0.0.1:%1 sous l'indicatif F1ABC.")
                     .arg(noeud->port()));
        QCOMPARE(noeud->commandes(), (QStringList{"sh/dx 30", "sh/dx 30"}));
    }

    // A connected radio goes to the spot's frequency, in the spot's mode;
    // the band chosen for the QSO stays as the radio's readings come.
    void radioAccordeeSurLeSpot()
    {
        if (Rigctld::programme().isEmpty())
            QFAIL("rigctld (Debian package libhamlib-utils) is not installed: scripts/test "
                  "installs it.");
        Rigctld rigctld;
        QVERIFY(rigctld.demarre());
        QCOMPARE(rigctld.commande("F 7050000"), QStringLiteral("RPRT 0"));
        QCOMPARE(rigctld.commande("M LSB 2400"), QStringLiteral("RPRT 0"));
        demarre(true, [&](StockReglages& r) {
            r.ecrit("Radio", "Modele", "2");
            r.ecrit("Radio", "Port", rigctld.adresse());
            r.ecrit("Radio", "Intervalle", "200");
        });
        QTRY_COMPARE_WITH_TIMEOUT(z->Bande_A->currentText(), QStringLiteral("7.0 Mhz"), 10000);
        QTRY_COMPARE(f->Frequence_Annonce->text(), QStringLiteral("7050.0"));
        noeud->envoie("DX de F5ABC:     14025.0  F4XYZ        KZT 78001 cw             1359Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 1);
        prend(QStringLiteral("F4XYZ"));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4XYZ"));
        QCOMPARE(z->Bande_A->currentText(), QStringLiteral("14 Mhz"));
        QTRY_COMPARE_WITH_TIMEOUT(rigctld.commande("f"), QStringLiteral("14025000"), 5000);
        QVERIFY(rigctld.commande("m").startsWith(QStringLiteral("CW")));
        QTRY_COMPARE_WITH_TIMEOUT(z->Mode_A->currentText(), QStringLiteral("CW"), 5000);
        // Later readings of the radio keep the QSO's band.
        QSignalSpy lectures(&m->radio(), &Radio::lu);
        const auto troisLectures = [&] {
            lectures.clear();
            while (lectures.size() < 3) {
                if (!lectures.wait(5000))
                    return false;
            }
            return true;
        };
        QVERIFY(troisLectures());
        QCOMPARE(z->Bande_A->currentText(), QStringLiteral("14 Mhz"));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4XYZ"));

        // A mode being typed stays as typed while the radio reads another.
        for (int i = 0; i < 4; ++i)
            entree(); // callsign, first name, department, reference
        QCOMPARE(champ(), z->Mode_A);
        z->Mode_A->lineEdit()->selectAll();
        QTest::keyClick(z->Mode_A->lineEdit(), Qt::Key_F);
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("F"));
        QCOMPARE(rigctld.commande("M USB 2400"), QStringLiteral("RPRT 0"));
        QVERIFY(troisLectures());
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("F"));
        QTest::keyClick(z->Mode_A->lineEdit(), Qt::Key_M);
        entree();
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("FM"));
        QVERIFY(troisLectures());
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("FM"));

        // A spot without a mode word: the band plan's mode. The radio in
        // FM on 20 m goes to USB, and the QSO to SSB; the QSO being typed
        // is given up on Yes.
        QCOMPARE(rigctld.commande("M FM 15000"), QStringLiteral("RPRT 0"));
        noeud->envoie("DX de F5ABC:     14270.0  F4ZZZ        KZT 78002              1401Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 2);
        prend(QStringLiteral("F4ZZZ"));
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Abandonner le QSO en cours de saisie ?"));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4ZZZ"));
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("SSB"));
        QTRY_COMPARE_WITH_TIMEOUT(rigctld.commande("f"), QStringLiteral("14270000"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(rigctld.commande("m").startsWith(QStringLiteral("USB")), 5000);
        QVERIFY(troisLectures());
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("SSB"));
    }

    // The spot chosen stays the same spot when the list, full, drops its
    // oldest; the newest stay in sight unless the operator scrolled away.
    void spotChoisiGardeQuandLaListeEstPleine()
    {
        demarre();
        QByteArray cinqCents;
        for (int i = 0; i < 500; ++i)
            cinqCents += QStringLiteral("DX de F6ABC: %1.0 F5S%2 KZT 78001 1359Z\r\n")
                             .arg(14200 + i)
                             .arg(i)
                             .toLatin1();
        noeud->envoie(cinqCents);
        QTRY_COMPARE(spots().rowCount(), 500);
        QTRY_VERIFY(f->Liste_Spots->verticalScrollBar()->maximum() > 0);
        const int r = rangeeDe(QStringLiteral("F5S74"));
        f->Liste_Spots->setCurrentIndex(spots().index(r, 0));
        f->Liste_Spots->scrollToTop();

        noeud->envoie("DX de F6ABC: 14100.0 F5S500 KZT 78001 1359Z\r\n");
        QTRY_COMPARE(spots().ligne(0)->spot.indicatif, QStringLiteral("F5S500"));
        QCOMPARE(rangeeDe(QStringLiteral("F5S0")), -1);
        QCOMPARE(f->Liste_Spots->verticalScrollBar()->value(), 0);
        QCOMPARE(spots().ligne(f->Liste_Spots->currentIndex().row())->spot.indicatif,
                 QStringLiteral("F5S74"));

        // Scrolled away: the spot at the top stays there.
        f->Liste_Spots->scrollTo(spots().index(200, 0), QAbstractItemView::PositionAtTop);
        const QString enHaut =
            spots().ligne(f->Liste_Spots->indexAt(QPoint(0, 0)).row())->spot.indicatif;
        noeud->envoie("DX de F6ABC: 14101.0 F5S501 KZT 78001 1359Z\r\n");
        QTRY_COMPARE(spots().ligne(0)->spot.indicatif, QStringLiteral("F5S501"));
        QCOMPARE(spots().ligne(f->Liste_Spots->indexAt(QPoint(0, 0)).row())->spot.indicatif,
                 enHaut);

        QTest::keyClick(f->Liste_Spots, Qt::Key_Return);
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F5S74"));
        QCOMPARE(f->Frequence_Annonce->text(), QStringLiteral("14274.0"));
    }

    // A QSO being typed is not thrown away without a word; the spot's mode
    // goes to the entry, even without a radio.
    void saisieEnCoursEtModeDuSpot()
    {
        demarre();
        noeud->envoie(kManquant +
                      "DX de F5ABC:     14025.0  F4CCC        KZT 78003 cw            1400Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 2);
        QTest::keyClicks(z->Ind_A, QStringLiteral("f6abc"));
        b->messages.prevoit(BoiteMessage::ReponseNon);
        prend(QStringLiteral("F4XYZ"));
        QCOMPARE(b->messages.affichees().last().boutons, BoiteMessage::OuiNon);
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Abandonner le QSO en cours de saisie ?"));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F6ABC"));
        QCOMPARE(f->Frequence_Annonce->text(), QString());

        prend(QStringLiteral("F4CCC")); // Yes
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4CCC"));
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("CW"));
        QCOMPARE(z->Bande_A->currentText(), QStringLiteral("14 Mhz"));

        // A new QSO as it starts holds nothing typed: no question.
        z->Efface_A->click();
        const qsizetype questions = b->messages.affichees().size();
        prend(QStringLiteral("F4XYZ"));
        QCOMPARE(b->messages.affichees().size(), questions);
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4XYZ"));
        QCOMPARE(z->Mode_A->currentText(), QStringLiteral("SSB"));
    }

    // "Se connecter au démarrage": the hunt runs without its window, rings,
    // and the main window's status line names the windmill.
    void connexionAuDemarrage()
    {
        demarre(
            true, [](StockReglages& r) { r.ecrit("Cluster", "AuDemarrage", "Oui"); }, false);
        auto* cachee = m->findChild<Chasse_Moulins*>();
        QVERIFY(cachee);
        QVERIFY(!cachee->isVisible());
        QTRY_VERIFY(cachee->client().estConnecte());
        noeud->envoie(kManquant);
        QTRY_COMPARE(sonneries.fois, 1);
        auto* statut = m->findChild<QLabel*>("Statut_Chasse");
        QVERIFY(statut);
        QCOMPARE(statut->text(), QStringLiteral("Moulin à contacter : F4XYZ KZT 78001 (14 Mhz)"));

        // The menu shows that window; closing it leaves the hunt running.
        m->findChild<QAction*>("Mnu_Chasse")->trigger();
        QVERIFY(cachee->isVisible());
        QVERIFY(cachee->Connecter_Demarrage->isChecked());
        QCOMPARE(m->findChildren<Chasse_Moulins*>().size(), 1);
        cachee->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m->findChildren<Chasse_Moulins*>().size(), 1);
        QVERIFY(cachee->client().estConnecte());
        cachee->Connecter_Demarrage->setChecked(false);
        QCOMPARE(b->reglages.lit("Cluster", "AuDemarrage", ""), QStringLiteral("Non"));
    }

    // The spots of the list stay as the log changes by any road: a QSO
    // deleted, another station.
    void etatSuitLeLog()
    {
        demarre();
        noeud->envoie(kContacte);
        QTRY_COMPARE(spots().rowCount(), 1);
        QCOMPARE(etat(0), QStringLiteral("Déjà contacté le 01/02/08 sur 14 Mhz"));
        m->listeLog()->selectionne(0);
        z->Annule_Saisie->click(); // deleted; the box answers Yes
        QCOMPARE(etat(0), QStringLiteral("Nouveau département"));
    }

    // While a QSO of the list is being edited or inserted, a spot is not
    // taken: the fields stay as they are.
    void refuseEnModificationOuInsertion()
    {
        demarre();
        noeud->envoie(kManquant);
        QTRY_COMPARE(spots().rowCount(), 1);

        m->listeLog()->selectionne(0);
        m->liaisonSaisie()->agit([this] { m->liaisonSaisie()->modele().doubleClic(); });
        QVERIFY(m->liaisonSaisie()->modele().Mode_Modif());
        prend(QStringLiteral("F4XYZ"));
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Un QSO de la liste est en cours de modification : validez-le ou "
                                "effacez-le avant de prendre un spot."));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F5ABC"));

        z->Efface_A->click();
        z->Ajout_QSO->click();
        QVERIFY(m->liaisonSaisie()->modele().Mode_Insertion());
        QTest::keyClicks(z->Ind_A, QStringLiteral("f6abc"));
        double_();
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Un QSO est en cours d'insertion : validez-le ou effacez-le avant "
                                "de prendre un spot."));
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F6ABC"));

        // Back to an ordinary QSO, a double-click takes it.
        z->Efface_A->click();
        double_();
        QCOMPARE(z->Ind_A->text(), QStringLiteral("F4XYZ"));
    }

    // Rings once per windmill and group in half an hour, and only with the
    // box ticked; the filter keeps the windmills to contact.
    void alerteEtFiltre()
    {
        demarre();
        noeud->envoie(kManquant);
        QTRY_COMPARE(spots().rowCount(), 1);
        QCOMPARE(sonneries.fois, 1);
        noeud->envoie("DX de F6XYZ:     14255.0  F4XYZ        KZT 78001      1405Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 2);
        QCOMPARE(sonneries.fois, 1);
        noeud->envoie("DX de F6XYZ:    144300.0  F4XYZ        KZT 78001      1405Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 3);
        QCOMPARE(sonneries.fois, 2);
        b->horloge.avanceDe(31 * 60);
        f->Alerte_Sonore->setChecked(false);
        noeud->envoie("DX de F6XYZ:     14256.0  F4XYZ        KZT 78001      1436Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 4);
        QCOMPARE(sonneries.fois, 2);
        f->Alerte_Sonore->setChecked(true);
        noeud->envoie("DX de F6XYZ:     14256.0  F4XYZ        KZT 78002      1436Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 5);
        QCOMPARE(sonneries.fois, 3);

        noeud->envoie(kContacte + kDixMhz +
                      "DX de W3LPL:     14025.0  JA1ABC       up 2                1437Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 8);
        const int sansMoulin = rangeeDe(QStringLiteral("JA1ABC"));
        QCOMPARE(spots().index(sansMoulin, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
                 Apparence::grisDesactive);
        QCOMPARE(etat(sansMoulin), QString());
        // Enter on a spot without a windmill: said, nothing taken.
        prend(QStringLiteral("JA1ABC"));
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Le spot de JA1ABC ne donne pas de référence de moulin."));
        QVERIFY(z->Ind_A->text().isEmpty());

        f->Seulement_A_Contacter->setChecked(true);
        QCOMPARE(spots().rowCount(), 5);
        for (int r = 0; r < spots().rowCount(); ++r)
            QVERIFY(etat(r).startsWith(QStringLiteral("Nouveau")));
        f->Seulement_A_Contacter->setChecked(false);
        QCOMPARE(spots().rowCount(), 8);

        // By band, by mode, and sorted by any column.
        f->Filtre_Bande->setCurrentText(QStringLiteral("14 Mhz"));
        QCOMPARE(spots().rowCount(), 5);
        f->Filtre_Mode->setCurrentText(QStringLiteral("CW"));
        QCOMPARE(spots().rowCount(), 1);
        QCOMPARE(spots().ligne(0)->spot.indicatif, QStringLiteral("JA1ABC"));
        f->Filtre_Bande->setCurrentIndex(0);
        f->Filtre_Mode->setCurrentIndex(0);
        QCOMPARE(spots().rowCount(), 8);
        f->Liste_Spots->sortByColumn(ModeleSpots::Frequence, Qt::AscendingOrder);
        QCOMPARE(spots().index(0, ModeleSpots::Frequence).data().toString(),
                 QStringLiteral("10120.0"));
        QCOMPARE(spots().index(7, ModeleSpots::Frequence).data().toString(),
                 QStringLiteral("144300.0"));
        // Each spot's age beside its time, following the clock.
        QCOMPARE(spots().index(0, ModeleSpots::Age).data().toString(),
                 QStringLiteral("il y a 34 min"));
        b->horloge.avanceDe(60);
        QCOMPARE(spots().index(0, ModeleSpots::Age).data().toString(),
                 QStringLiteral("il y a 35 min"));
    }

    // "Annoncer": the exact line in the question, sent on Yes only.
    void annonce()
    {
        demarre();
        z->Ind_A->setText(QStringLiteral("F4XYZ"));
        z->Ref_A->setText(QStringLiteral("2a003"));
        f->Frequence_Annonce->setText(QStringLiteral("14 250,5"));
        b->messages.prevoit(BoiteMessage::ReponseNon);
        f->Annoncer->click();
        QCOMPARE(b->messages.affichees().last().boutons, BoiteMessage::OuiNon);
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Envoyer cette annonce au cluster ?\r\n\r\nDX 14250.5 F4XYZ KZT "
                                "2A003"));
        f->Annoncer->click(); // Yes: the one sent, not the one refused before
        QTRY_COMPARE(noeud->commandes().size(), 2);
        QCOMPARE(noeud->commandes().last(), QStringLiteral("DX 14250.5 F4XYZ KZT 2A003"));
        // The node sends it back as a spot.
        QTRY_COMPARE(spots().rowCount(), 1);
        QCOMPARE(spots().ligne(0)->spot.spotteur, kStation);
        QCOMPARE(f->Messages_Cluster->toPlainText().count(
                     QStringLiteral("Annonce envoyée : DX 14250.5 F4XYZ KZT 2A003")),
                 1);

        // The link drops: the announce says it cannot leave. (A line handed
        // to the connection just before it saw the drop is said lost by the
        // connection itself: see the client's tests.)
        noeud->coupe();
        QTRY_VERIFY(!f->client().estConnecte());
        f->Annoncer->click();
        QCOMPARE(b->messages.dernierTexte(),
                 QStringLiteral("Le cluster n'est pas connecté : l'annonce ne peut pas être "
                                "envoyée."));

        z->Ref_A->clear();
        f->Annoncer->click();
        QVERIFY(b->messages.dernierTexte().startsWith(
            QStringLiteral("Le QSO en cours n'a pas de référence de moulin")));
        QCOMPARE(noeud->commandes().size(), 2);
    }

    // The settings shown are those of the connection made, kept for the
    // next time; "Déconnecter" ends it.
    void connexionDepuisLaFenetre()
    {
        demarre(false);
        NoeudCluster autre{NoeudCluster::Invite::Indicatif};
        QVERIFY(autre.demarre());
        f->Hote_Cluster->setText(QStringLiteral(" 127.0.0.1 "));
        f->Port_Cluster->setValue(autre.port());
        f->Indicatif_Cluster->setText(QStringLiteral("f1abc/p"));
        f->Commandes_Cluster->setText(QStringLiteral("sh/dx 5;set/nobeep"));
        f->Connecter->click();
        QCOMPARE(f->Connecter->text(), QStringLiteral("&Déconnecter"));
        QTRY_VERIFY(f->client().estConnecte());
        QCOMPARE(autre.indicatifs(), QStringList{"F1ABC/P"});
        QTRY_COMPARE(autre.commandes(), (QStringList{"sh/dx 5", "set/nobeep"}));
        QCOMPARE(b->reglages.lit("Cluster", "Hote", ""), QStringLiteral("127.0.0.1"));
        QCOMPARE(b->reglages.lit("Cluster", "Port", ""), QString::number(autre.port()));
        QCOMPARE(b->reglages.lit("Cluster", "Indicatif", ""), QStringLiteral("F1ABC/P"));
        QCOMPARE(b->reglages.lit("Cluster", "Commandes", ""), QStringLiteral("sh/dx 5;set/nobeep"));

        f->Connecter->click();
        QCOMPARE(f->Connecter->text(), QStringLiteral("&Connecter"));
        QTRY_COMPARE(f->Etat_Cluster->text(), QStringLiteral("Déconnecté du cluster."));
        QVERIFY(!f->client().estConnecte());
    }
};

QTEST_MAIN(TestChasse)
#include "tst_chasse.moc"
