// The window of the windmill hunt: opened from the menu, kept or ended as
// it closes, its list (the spot chosen kept as spots come and go, the spots
// in sight held under the pointer, filters, alerts), and its timers.
#include "BancChasse.h"

class TestChasseFenetre : public BancChasse {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { arrete(); }

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
        QCOMPARE(trafic->actions().size(), 3);
        QCOMPARE(trafic->actions().at(0)->objectName(), QStringLiteral("Mnu_Chasse"));
        QCOMPARE(trafic->actions().at(0)->text(), QStringLiteral("&Chasse aux moulins"));
        QCOMPARE(trafic->actions().at(1)->objectName(), QStringLiteral("Mnu_Reglage_Radio"));
        // The online callbook's settings come after the specified items.
        QCOMPARE(trafic->actions().at(2)->objectName(), QStringLiteral("Mnu_Annuaire"));

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

        // The window comes back where the operator left it.
        f->resize(700, 420);
        f->move(40, 60);
        const QRect place(f->pos(), f->size());
        QTest::keyClick(f, Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QCOMPARE(b->reglages.lit("Cluster", "Fenetre", ""),
                 QStringLiteral("%1 %2 700 420").arg(place.x()).arg(place.y()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        trafic->actions().at(0)->trigger();
        f = Apparence::fenetreOuverte<Chasse_Moulins>(m.get());
        QVERIFY(f);
        QCOMPARE(QRect(f->pos(), f->size()), place);
        QTest::keyClick(f, Qt::Key_Escape);

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

    // "Se connecter au démarrage": the hunt runs without its window, rings,
    // and the main window's status line names the windmill.
    void connexionAuDemarrage()
    {
        // The node's history comes the newest first: the status line names
        // the newest windmill, then the newest live one.
        demarre(
            true,
            [this](StockReglages& r) {
                r.ecrit("Cluster", "AuDemarrage", "Oui");
                noeud->historique = {
                    "14260.0  F4NEW        6-Dec-2026 1350Z KZT 78002             <F5ABC>",
                    "14270.0  F4OLD        6-Dec-2026 1300Z KZT 78003             <F5ABC>",
                };
            },
            false);
        auto* cachee = m->findChild<Chasse_Moulins*>();
        QVERIFY(cachee);
        QVERIFY(!cachee->isVisible());
        QTRY_VERIFY(cachee->client().estConnecte());
        QTRY_COMPARE(sonneries.fois, 1);
        auto* statut = m->findChild<QLabel*>("Statut_Chasse");
        QVERIFY(statut);
        QCOMPARE(statut->text(), QStringLiteral("Moulin à contacter : F4NEW KZT 78002 (14 Mhz)"));
        noeud->envoie(kManquant);
        QTRY_COMPARE(sonneries.fois, 2);
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

    // The box ticked in a window opened from the menu: from then on,
    // closing the window only hides it and the link stays; unticked, the
    // hunt ends with its window.
    void fermetureSelonConnexionAuDemarrage()
    {
        demarre();
        QPointer<Chasse_Moulins> chasse = f;
        f->Connecter_Demarrage->setChecked(true);
        f->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(chasse);
        QVERIFY(!chasse->isVisible());
        QVERIFY(chasse->client().estConnecte());
        noeud->envoie(kManquant);
        QTRY_COMPARE(chasse->modeleSpots().rowCount(), 1);

        m->findChild<QAction*>("Mnu_Chasse")->trigger();
        QCOMPARE(Apparence::fenetreOuverte<Chasse_Moulins>(m.get()), chasse.data());
        chasse->Connecter_Demarrage->setChecked(false);
        chasse->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!chasse);
        QCOMPARE(m->findChildren<Chasse_Moulins*>().size(), 0);
        f = nullptr;
    }

    // The hunt left alone wakes the program only as its clocks need: no
    // timer fires at each turn of the event loop, whether the window is
    // open, closed or never shown, with the system's clock and its real
    // timers.
    void reposSansReveil_data()
    {
        QTest::addColumn<int>("etat");
        QTest::newRow("fenêtre ouverte et connectée") << 0;
        QTest::newRow("fenêtre déconnectée") << 1;
        QTest::newRow("connexion au démarrage, sans fenêtre") << 2;
    }
    void reposSansReveil()
    {
        QFETCH(int, etat);
        HorlogeSysteme systeme;
        horloge = &systeme;
        demarre(
            true,
            [etat](StockReglages& r) {
                if (etat == 2)
                    r.ecrit("Cluster", "AuDemarrage", "Oui");
            },
            etat != 2);
        auto* chasse = m->findChild<Chasse_Moulins*>();
        QVERIFY(chasse);
        QTRY_VERIFY(chasse->client().estConnecte());
        if (etat == 1) {
            chasse->Connecter->click();
            QTRY_VERIFY(!chasse->client().estActif());
        }
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        struct CompteMinuteries : QObject {
            int fois = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                fois += e->type() == QEvent::Timer;
                return false;
            }
        } compte;
        qApp->installEventFilter(&compte);
        for (int i = 0; i < 200; ++i)
            QCoreApplication::processEvents();
        qApp->removeEventFilter(&compte);
        QVERIFY2(compte.fois < 10, qPrintable(QString::number(compte.fois)));
    }

    // A double-click takes the spot under the pointer while spots keep
    // coming between its two clicks, ten times over; the spot chosen stays
    // the current one. The pointer gone, the newest come into sight.
    void doubleClicPendantLesSpots()
    {
        demarre();
        QByteArray quarante;
        for (int i = 0; i < 40; ++i)
            quarante += QStringLiteral("DX de F6ABC: %1.0 F5D%2 KZT 78%3 1359Z\r\n")
                            .arg(14200 + i)
                            .arg(i)
                            .arg(i, 3, 10, QLatin1Char('0'))
                            .toLatin1();
        noeud->envoie(quarante);
        QTRY_COMPARE(spots().rowCount(), 40);
        QTRY_VERIFY(f->Liste_Spots->verticalScrollBar()->maximum() > 10);
        QWidget* vue = f->Liste_Spots->viewport();
        const QPoint point = f->Liste_Spots->visualRect(spots().index(2, 0)).center();
        for (int i = 0; i < 10; ++i) {
            const QString vise =
                spots().ligne(f->Liste_Spots->indexAt(point).row())->spot.indicatif;
            QTest::mouseClick(vue, Qt::LeftButton, {}, point);
            noeud->envoie(QStringLiteral("DX de F6ABC: %1.0 F5N%2 KZT 77%3 1400Z\r\n")
                              .arg(18100 + i)
                              .arg(i)
                              .arg(i + 200)
                              .toLatin1());
            QTRY_COMPARE(spots().rowCount(), 41 + i);
            QTest::mouseDClick(vue, Qt::LeftButton, {}, point);
            QCOMPARE(z->Ind_A->text(), vise);
            QCOMPARE(spots().ligne(f->Liste_Spots->currentIndex().row())->spot.indicatif, vise);
        }
        QVERIFY(f->Liste_Spots->verticalScrollBar()->value() > 0);
        QEvent depart(QEvent::Leave);
        QCoreApplication::sendEvent(vue, &depart);
        QCOMPARE(f->Liste_Spots->verticalScrollBar()->value(), 0);
        QCOMPARE(spots().ligne(0)->spot.indicatif, QStringLiteral("F5N9"));
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
        // The modes offered are those of the spots, digital ones too.
        noeud->envoie("DX de F6XYZ:     14074.0  F4FT8        KZT 78004 FT8 -10dB 1438Z\r\n");
        QTRY_COMPARE(spots().rowCount(), 6);
        QStringList offerts;
        for (int i = 0; i < f->Filtre_Mode->count(); ++i)
            offerts << f->Filtre_Mode->itemText(i);
        QCOMPARE(offerts, (QStringList{"Tous", "SSB", "CW", "FT8"}));
        QCOMPARE(spots().index(rangeeDe(QStringLiteral("F4FT8")), ModeleSpots::Mode).data(),
                 QVariant(QStringLiteral("FT8")));
        f->Filtre_Mode->setCurrentText(QStringLiteral("FT8"));
        QCOMPARE(spots().rowCount(), 1);
        f->Filtre_Mode->setCurrentText(QStringLiteral("CW"));
        QCOMPARE(spots().rowCount(), 1);
        QCOMPARE(spots().ligne(0)->spot.indicatif, QStringLiteral("JA1ABC"));
        f->Filtre_Bande->setCurrentIndex(0);
        f->Filtre_Mode->setCurrentIndex(0);
        QCOMPARE(spots().rowCount(), 9);
        f->Liste_Spots->sortByColumn(ModeleSpots::Frequence, Qt::AscendingOrder);
        QCOMPARE(spots().index(0, ModeleSpots::Frequence).data().toString(),
                 QStringLiteral("10120.0"));
        QCOMPARE(spots().index(8, ModeleSpots::Frequence).data().toString(),
                 QStringLiteral("144300.0"));
        // Each spot's age beside its time, following the clock.
        QCOMPARE(spots().index(0, ModeleSpots::Age).data().toString(),
                 QStringLiteral("il y a 34 min"));
        b->horloge.avanceDe(60);
        QCOMPARE(spots().index(0, ModeleSpots::Age).data().toString(),
                 QStringLiteral("il y a 35 min"));
    }
};

QTEST_MAIN(TestChasseFenetre)
#include "tst_chassefenetre.moc"
