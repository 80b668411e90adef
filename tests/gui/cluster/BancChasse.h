#pragma once

// The windmill hunt of the menu "Trafic" against a cluster node on loopback:
// the main window over a log of its own, the hunt opened from its menu, and
// what the tests read and do in the hunt's list.
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

inline const QString kStation = QStringLiteral("F1ABC");

// The three spots of the hunt: a windmill the log lacks (department 78 was
// never contacted), one it holds in HF, and one on 10 MHz.
inline const QByteArray kManquant =
    "DX de F5ABC:     14250.0  F4XYZ        KZT 78001 moulin de Saint-Cyr 1359Z\r\n";
inline const QByteArray kContacte =
    "DX de F5ABC:     21250.0  F4AAA        KZT 77121                    1401Z JN18\r\n";
inline const QByteArray kDixMhz =
    "\aDX de DL1ABC-12:10120.0  F4BBB        kzt-77123                    1402Z\a\r\n";

class CompteSonneries : public Sonnerie {
public:
    void sonne() override { ++fois; }
    int fois = 0;
};

inline ClientCluster::Delais delaisCourts()
{
    ClientCluster::Delais d;
    d.premier = 100;
    d.deuxieme = 200;
    d.suivants = 300;
    d.silence = 5000;
    d.invite = 500;
    return d;
}

class BancChasse : public QObject {
protected:
    std::unique_ptr<BancProgramme> b;
    std::unique_ptr<NoeudCluster> noeud;
    std::unique_ptr<Main> m;
    CompteSonneries sonneries;
    Chasse_Moulins* f = nullptr;
    ZoneSaisie* z = nullptr;
    // The clock of the program; the test's settable one when none.
    Horloge* horloge = nullptr;

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
        const Services services = b->services();
        m = std::make_unique<Main>(Services{services.dossier, services.reglages,
                                            horloge ? *horloge : services.horloge,
                                            services.messages, services.termine});
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

    void arrete()
    {
        m.reset();
        noeud.reset();
        b.reset();
        sonneries.fois = 0;
        horloge = nullptr;
    }
};
