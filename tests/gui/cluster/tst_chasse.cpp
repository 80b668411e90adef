// The windmill hunt from the menu "Trafic", against a cluster node on
// loopback: a needed windmill taken as a QSO through the Enter chain and
// saved, the radio tuned to a spot, the statuses following the log, the
// announce of the QSO being worked, and the login again after the node went
// down.
#include "BancChasse.h"
#include "support/Rigctld.h"

class TestChasse : public BancChasse {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { arrete(); }

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
        QTRY_VERIFY_WITH_TIMEOUT(rigctld.commande("m").startsWith(QStringLiteral("CW")), 5000);
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
