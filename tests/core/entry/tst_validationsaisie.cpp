// What the entry writes: the band and mode kept for the next QSOs, a QSO
// recorded by the button or refused with no file changed, a QSO edited or
// deleted, and an edit cleared.
#include "BancSaisie.h"
#include "OutilsTest.h"
#include "core/app/Reglages.h"
#include "core/entry/ModeleSaisie.h"
#include "core/entry/ReglesChamps.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/ModesLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"

#include <QDir>
#include <QMap>
#include <QTest>

using namespace OutilsTest;

class TestValidationSaisie : public QObject, protected BancSaisie {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

    void modeEtBandeRetenus()
    {
        const QString section = Reglages::sectionStation("F1ABC");
        m_modele->changeIndex(M::Mode_A, 1, "CW");
        type(M::Mode_A, "x", false); // index before the key
        QCOMPARE(m_reglages->lit(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));
        m_modele->changeIndex(M::Mode_A, 2, "FM");
        m_modele->changeTexte(M::Mode_A, "");
        valideParEntree(M::Mode_A); // refused: nothing written
        QCOMPARE(m_reglages->lit(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));
        m_modele->changeIndex(M::Bande_A, 10, "144 Mhz");
        valideParEntree(M::Bande_A);
        QCOMPARE(m_reglages->lit(section, Reglages::bandeUtilisee, "?"), QStringLiteral("10"));

        // While editing nothing is remembered.
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.rechargeListeLog();
        m_modele->doubleClic();
        m_modele->changeIndex(M::Mode_A, 0, "SSB");
        type(M::Mode_A, "s", false);
        QCOMPARE(m_reglages->lit(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));

        m_modele->Prepare_Saisie();
        QCOMPARE(m_modele->etat(M::Mode_A).texte, QStringLiteral("CW"));
        QCOMPARE(m_modele->etat(M::Bande_A).texte, QStringLiteral("144 Mhz"));
    }

    // The band and mode chosen for one QSO, however chosen, are those of the
    // next QSOs, after the program is started again too.
    void bandeEtModeRetenusPourLesQsoSuivants_data()
    {
        QTest::addColumn<QString>("bande");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("tape"); // otherwise picked in the list
        QTest::addColumn<QString>("bandeAttendue");
        QTest::newRow("typed in lower case") << "14 mhz"
                                             << "cw" << true << "14 Mhz";
        QTest::newRow("typed without blank") << "432mhz"
                                             << "fm" << true << "432 Mhz";
        QTest::newRow("picked in the list") << "7.0 Mhz"
                                            << "CW" << false << "7.0 Mhz";
    }
    void bandeEtModeRetenusPourLesQsoSuivants()
    {
        QFETCH(QString, bande);
        QFETCH(QString, mode);
        QFETCH(bool, tape);
        const auto choisit = [&](M::Controle c, const QString& texte) {
            if (tape) {
                m_modele->changeTexte(c, "");
                type(M::Controle(c), texte, c == M::Bande_A);
            } else {
                const QStringList& elements = c == M::Bande_A ? listeBandes() : listeModes();
                m_modele->changeIndex(c, int(elements.indexOf(texte)), texte);
                m_modele->choixListe(c);
            }
        };
        QFETCH(QString, bandeAttendue);
        const QString modeAttendu = mode.toUpper();

        choisit(M::Bande_A, bande);
        type(M::Ind_A, "F6NEW");
        valideParEntree(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        choisit(M::Mode_A, mode);
        for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
            valideParEntree(c);
        m_modele->Valide_A_Click();
        for (int ligneQso = 2; ligneQso <= 3; ++ligneQso) {
            if (ligneQso == 3) { // the program started again
                delete m_modele;
                delete m_reglages;
                m_reglages = new StockReglages(m_dossierTemporaire->filePath("kzt.ini"));
                m_modele = new ModeleSaisie(m_dossierTemporaire->path(), *m_reglages, m_messages,
                                            m_horloge);
                m_hote.attache(m_modele);
                m_modele->Prepare_Saisie();
            }
            QCOMPARE(m_modele->etat(M::Bande_A).texte, bandeAttendue);
            QCOMPARE(m_modele->etat(M::Mode_A).texte, modeAttendu);
            typeQso(QString("F6NE%1").arg(ligneQso), "78", QString("7812%1").arg(ligneQso));
            m_modele->Valide_A_Click();
        }
        const QStringList lignes =
            QString::fromLatin1(octetsLog()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 3);
        for (const QString& l : lignes) {
            QCOMPARE(LogLine::champ(l, LogLine::Bande), Texte::completeABlancs(bandeAttendue, 7));
            QCOMPARE(LogLine::champ(l, LogLine::Mode), Texte::completeABlancs(modeAttendu, 3));
        }
    }

    // A QSO refused by the button changes no file: log, first-name memory
    // and settings stay byte for byte as they were.
    void qsoRefuseNeChangeAucunFichier_data()
    {
        // -1: the QSO typed with the date below; -2: typed after a band of -1
        // was remembered by an older version.
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("message");
        QTest::newRow("date outside the calendar") << -1 << "29/02/23"
                                                   << "n'est pas une date du calendrier";
        QTest::newRow("no band remembered") << -2 << ""
                                            << "Entrez une QRG";
        QTest::newRow("line break pasted in the callsign")
            << int(M::Ind_A) << "F5NL\n"
            << "Le champ « Indicatif » contient un saut de ligne";
        QTest::newRow("two-line windmill name")
            << int(M::Rem_A) << "MOULIN\r\nDU BAS"
            << "Le champ « Nom du Moulin » contient un saut de ligne";
        QTest::newRow("tab in the first name") << int(M::Prenom_A) << "JE\tAN"
                                               << "Le champ « Prénom » contient une tabulation";
        QTest::newRow("blank band") << int(M::Bande_A) << ""
                                    << "Entrez une QRG";
        QTest::newRow("band not in the list") << int(M::Bande_A) << "14 MHZZ"
                                              << "n'est pas une bande de la liste";
        QTest::newRow("blank mode") << int(M::Mode_A) << " "
                                    << "Entrez un Mode";
        QTest::newRow("mode with no short form, put there without Enter")
            << int(M::Mode_A) << "OLIVIA"
            << "Le mode « OLIVIA » ne tient pas dans le log.";
    }
    void qsoRefuseNeChangeAucunFichier()
    {
        QFETCH(int, champ);
        QFETCH(QString, texte);
        QFETCH(QString, message);
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Liste_Prenom.txt"),
                            "F6OLD        77 PAUL\r\n"));
        m_hote.rechargeListeLog();
        if (champ < 0) {
            m_hote.changeDateAuto(champ == -2);
            if (champ == -2)
                m_reglages->ecritIndex(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee,
                                       -1);
            m_modele->Prepare_Saisie();
            typeQso("F6NEW", "77", "77121", texte, "10:00");
            QCOMPARE(m_modele->focus(), M::Valide_A);
        } else {
            m_modele->doubleClic(); // the button is reached without the Enter rules
            m_modele->changeTexte(M::Controle(champ), texte);
        }
        const QString section = Reglages::sectionStation("F1ABC");
        const QStringList reglages = {m_reglages->lit(section, Reglages::modeUtilise, "?"),
                                      m_reglages->lit(section, Reglages::bandeUtilisee, "?")};
        QMap<QString, QByteArray> avant;
        for (const QString& nom : QDir(m_dossierTemporaire->path()).entryList(QDir::Files))
            avant.insert(nom, litOctets(m_dossierTemporaire->filePath(nom)));
        m_messages.vide();
        m_modele->Valide_A_Click();
        QVERIFY2(m_messages.dernierTexte().contains(message),
                 qPrintable(m_messages.dernierTexte()));
        QMap<QString, QByteArray> apres;
        for (const QString& nom : QDir(m_dossierTemporaire->path()).entryList(QDir::Files))
            apres.insert(nom, litOctets(m_dossierTemporaire->filePath(nom)));
        QCOMPARE(apres, avant);
        QCOMPARE(m_reglages->lit(section, Reglages::modeUtilise, "?"), reglages.at(0));
        QCOMPARE(m_reglages->lit(section, Reglages::bandeUtilisee, "?"), reglages.at(1));
        QVERIFY(m_modele->etat(M::Valide_A).actif); // kept for a correction
    }

    void enregistreDansLOrdreDuMode_data()
    {
        QTest::addColumn<bool>("dateAuto");
        QTest::addColumn<bool>("insertion");
        QTest::addColumn<int>("place");
        // The log holds one QSO of 2009; a new QSO typed for 2008 goes first
        // in date order, and last with the automatic date.
        QTest::newRow("automatic") << true << false << 1;
        QTest::newRow("manual") << false << false << 0;
        QTest::newRow("insertion") << true << true << 0;
    }
    void enregistreDansLOrdreDuMode()
    {
        QFETCH(bool, dateAuto);
        QFETCH(bool, insertion);
        QFETCH(int, place);
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.changeDateAuto(dateAuto);
        m_hote.rechargeListeLog();
        m_modele->Prepare_Saisie(); // as at the end of start-up
        if (insertion)
            m_modele->Ajout_QSO_Click();
        typeQso("F6NEW", "77", "77121", "31/12/08", "10:00");
        QCOMPARE(m_modele->focus(), M::Valide_A);
        QVERIFY(m_modele->etat(M::Valide_A).actif);
        m_modele->Valide_A_Click();
        QCOMPARE(m_messages.affichees().first().texteDonne,
                 QStringLiteral("Voulez vous enregistrer ces données ?"));
        QCOMPARE(m_messages.affichees().first().boutons, BoiteMessage::OuiNon);
        const QStringList lignes =
            QString::fromLatin1(octetsLog()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 2);
        QVERIFY(lignes.at(place).startsWith("F6NEW        77                   77121 "));
        QCOMPARE(lignes.at(place).size(), 107);
        // Reset: the last line selected, the fields ready for the next QSO.
        QCOMPARE(m_modele->Ligne_Selection(), m_hote.liste.last());
        QVERIFY(m_modele->etat(M::Annule_Saisie).actif);
        QCOMPARE(m_modele->focus(), M::Ind_A);
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
        QCOMPARE(m_modele->Mode_Aff(), QStringLiteral("Saisie QSO"));
        QVERIFY(!m_modele->Mode_Insertion());
        // In manual mode the date of the last list line stays in Date_A.
        QCOMPARE(m_modele->etat(M::Date_A).texte,
                 dateAuto ? QString() : Affichage::champsDepuisAffichage(m_hote.liste.last()).date);
        QCOMPARE(litOctets(m_dossierTemporaire->filePath("Liste_Prenom.txt")),
                 QByteArray("F6NEW        77 \r\n"));
    }

    void repondreNonNEnregistreRien()
    {
        typeQso("F6NEW", "77", "77121");
        m_messages.prevoit(BoiteMessage::ReponseNon);
        m_modele->Valide_A_Click();
        QCOMPARE(octetsLog(), QByteArray());
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
        QVERIFY(!m_modele->etat(M::Valide_A).actif);
    }

    void champTropLongRefuseEtGarde()
    {
        typeQso("F6NEW", "77", "77121");
        m_modele->changeTexte(M::Mode_A, "OLIVIA");
        m_modele->changeTexte(M::Prenom_A, "paul");
        m_modele->changeTexte(M::Rem_A, "  moulin de la galette et de ses environs ");
        m_modele->Valide_A_Click();
        QVERIFY2(m_messages.dernierTexte().contains("mode"), qPrintable(m_messages.dernierTexte()));
        QCOMPARE(octetsLog(), QByteArray());
        QVERIFY(!QFile::exists(m_dossierTemporaire->filePath("Liste_Prenom.txt")));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F6NEW"));
        QCOMPARE(m_modele->etat(M::Mode_A).texte, QStringLiteral("OLIVIA"));
        QCOMPARE(m_modele->etat(M::Prenom_A).texte, QStringLiteral("paul"));
        QCOMPARE(m_modele->etat(M::Rem_A).texte,
                 QStringLiteral("  moulin de la galette et de ses environs "));
        QVERIFY(m_modele->etat(M::Valide_A).actif);
    }

    void enregistrementRateGardeLeQso()
    {
        typeQso("F6NEW", "77", "77121");
        QVERIFY(QFile::remove(cheminDuLog()));
        QVERIFY(QDir(m_dossierTemporaire->path()).mkdir("F1ABC_KZT.log")); // the log cannot be read
        m_modele->Valide_A_Click();
        QVERIFY(!m_messages.dernierTexte().isEmpty());
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F6NEW"));
        QCOMPARE(m_modele->etat(M::Ref_A).texte, QStringLiteral("77121"));
        QVERIFY(m_modele->etat(M::Valide_A).actif);
    }

    void editionRemplaceLeQso()
    {
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.rechargeListeLog();
        QVERIFY(m_modele->etat(M::QSL_A).coche);
        m_modele->doubleClic();
        QCOMPARE(m_modele->Mode_Aff(), QStringLiteral("Modification QSO"));
        for (M::Controle c : {M::Ind_A, M::Date_A, M::Mode_A, M::QSL_A, M::Valide_A})
            QVERIFY(m_modele->etat(c).actif);
        // The list is locked: another selection changes nothing.
        m_modele->selection(Affichage::ligneAffichage(9, kAncien).replace("F5XYZ", "F9ZZZ"));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F5XYZ"));
        m_modele->changeTexte(M::Prenom_A, "paul");
        m_modele->changeTexte(M::Rem_A, "  moulin neuf  ");
        m_modele->Ajout_QSO_Click(); // still a replacement
        m_modele->Valide_A_Click();
        QString attendu = kAncien;
        attendu.replace("MARC", "PAUL").replace("MOULIN DE JEAN", "MOULIN NEUF   ");
        QCOMPARE(octetsLog(), attendu.toLatin1() + "\r\n");
        QVERIFY(!m_modele->Liste_Verrouillee());
    }

    void suppression_data()
    {
        QTest::addColumn<bool>("oui");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void suppression()
    {
        QFETCH(bool, oui);
        const QByteArray avant = kAncien.toLatin1() + "\r\n" + kAncien.toLatin1() + "\r\n";
        QVERIFY(ecritOctets(cheminDuLog(), avant));
        m_hote.rechargeListeLog();
        m_messages.prevoit(oui ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
        m_modele->Annule_Saisie_Click();
        QCOMPARE(m_messages.dernierTexte(), QStringLiteral("Voulez vous Supprimer ce QSO ?"));
        QCOMPARE(octetsLog(), oui ? QByteArray() : avant);
        QVERIFY(!m_modele->etat(M::Annule_Saisie).actif);
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
    }

    void rienDeSelectionne()
    {
        m_modele->doubleClic();
        QCOMPARE(m_messages.dernierTexte(), QStringLiteral("Cliquez sur une ligne pour l'editer"));
        m_modele->Annule_Saisie_Click();
        QCOMPARE(m_messages.dernierTexte(),
                 QStringLiteral("Cliquez sur une ligne pour l'effacerer"));
    }

    void effacerUneEditionDeverrouilleLaListe()
    {
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.rechargeListeLog();
        m_modele->doubleClic();
        m_modele->Efface_A_Click();
        QVERIFY(!m_modele->Liste_Verrouillee());
        QVERIFY(!m_modele->Mode_Modif());
        QVERIFY(m_modele->etat(M::Ind_A).actif && m_modele->etat(M::Bande_A).actif);
        for (M::Controle c : {M::Dpt_A, M::Ref_A, M::Date_A, M::Mode_A, M::RST_A, M::Rem_A})
            QVERIFY(!m_modele->etat(c).actif);
        QVERIFY(m_modele->etat(M::QSL_A).actif); // the check box keeps its state
        QVERIFY(!m_modele->etat(M::QSL_A).coche);
        QCOMPARE(m_modele->etat(M::RST_A).texte, QStringLiteral("59"));
        QCOMPARE(m_modele->etat(M::Rem_A).texte, QStringLiteral("M. "));
        QCOMPARE(octetsLog(), kAncien.toLatin1() + "\r\n");
    }

    // A QSO from a cluster spot: the callsign and the band at once, the
    // spot's department and windmill as the Enter chain reaches them, each
    // still checked by its rule.
    void qsoDepuisUnSpot_data()
    {
        QTest::addColumn<QByteArray>("prenoms");      // the first-name memory
        QTest::addColumn<QString>("departementTape"); // typed over Dpt_A; empty: kept
        QTest::addColumn<QString>("departement");     // Dpt_A once accepted
        QTest::addColumn<QString>("refus");           // the reference's refusal; empty: none
        QTest::addColumn<QString>("mode");            // the spot's; empty: none
        QTest::addColumn<QString>("modeAttendu");     // Mode_A; empty: as it was
        QTest::newRow("the spot's department and windmill") << QByteArray() << ""
                                                            << "78"
                                                            << ""
                                                            << ""
                                                            << "";
        QTest::newRow("the spot's department over the remembered one")
            << QByteArray("F4XYZ        77 paul\r\n") << ""
            << "78"
            << ""
            << "CW"
            << "CW";
        QTest::newRow("department changed by hand")
            << QByteArray() << "77"
            << "77"
            << ReglesChamps::controleReference(QStringLiteral("78001"), QStringLiteral("77")) << ""
            << "";
        QTest::newRow("FT8 spot, the radio on USB") << QByteArray() << ""
                                                    << "78"
                                                    << ""
                                                    << "FT8"
                                                    << "FT8";
        QTest::newRow("RTTY spot") << QByteArray() << ""
                                   << "78"
                                   << ""
                                   << "RTTY"
                                   << "RTY";
        QTest::newRow("a mode the log cannot hold") << QByteArray() << ""
                                                    << "78"
                                                    << ""
                                                    << "JT65"
                                                    << "";
    }
    void qsoDepuisUnSpot()
    {
        QFETCH(QByteArray, prenoms);
        QFETCH(QString, departementTape);
        QFETCH(QString, departement);
        QFETCH(QString, refus);
        QFETCH(QString, mode);
        QFETCH(QString, modeAttendu);
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Liste_Prenom.txt"), prenoms));
        type(M::Ind_A, "f6old", false);
        const QString avant = m_modele->etat(M::Mode_A).texte;
        QVERIFY(m_modele->prepareDepuisSpot("f4xyz", 4, "78", "78001", mode));
        QCOMPARE(m_modele->etat(M::Mode_A).texte, modeAttendu.isEmpty() ? avant : modeAttendu);
        // The radio tuned for the spot then reads USB: a data mode is worked
        // there and stays.
        if (ModesLog::genre(modeAttendu) == ModesLog::Genre::Donnees) {
            QVERIFY(m_modele->choixRadio(M::Mode_A, int(listeModes().indexOf("SSB"))));
            QCOMPARE(m_modele->etat(M::Mode_A).texte, modeAttendu);
        }
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F4XYZ"));
        QCOMPARE(m_modele->etat(M::Bande_A).texte, QStringLiteral("14 Mhz"));
        QCOMPARE(m_modele->etat(M::Bande_A).index, 4);
        QCOMPARE(
            m_reglages->litIndex(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee, -1),
            4);
        QCOMPARE(m_modele->focus(), M::Ind_A);
        QVERIFY(m_modele->etat(M::Dpt_A).texte.isEmpty());
        QVERIFY(m_modele->etat(M::Ref_A).texte.isEmpty());

        valideParEntree(M::Ind_A);
        QCOMPARE(m_modele->focus(), M::Prenom_A);
        if (!prenoms.isEmpty())
            QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("77"));
        m_modele->changeTexte(M::Prenom_A, QString());
        type(M::Prenom_A, "paul");
        QCOMPARE(m_modele->focus(), M::Dpt_A);
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("78"));
        QVERIFY(m_modele->etat(M::Ref_A).texte.isEmpty());
        if (!departementTape.isEmpty())
            m_modele->changeTexte(M::Dpt_A, departementTape);
        valideParEntree(M::Dpt_A);
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, departement);
        QCOMPARE(m_modele->focus(), M::Ref_A);
        QCOMPARE(m_modele->etat(M::Ref_A).texte, QStringLiteral("78001"));
        valideParEntree(M::Ref_A);
        if (!refus.isEmpty()) {
            QCOMPARE(m_messages.dernierTexte(), refus);
            QCOMPARE(m_modele->focus(), M::Ref_A);
            return;
        }
        QCOMPARE(m_messages.textes(), QStringList());
        for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
            valideParEntree(c);
        m_modele->Valide_A_Click();
        QVERIFY(octetsLog().startsWith("F4XYZ        78   PAUL            78001 07/12/26 21:42 "));
        QVERIFY(octetsLog().contains(" 14 Mhz "));
        // The next QSO starts without the spot's fields.
        type(M::Ind_A, "f6new");
        type(M::Prenom_A, "");
        QVERIFY(m_modele->etat(M::Dpt_A).texte.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestValidationSaisie)
#include "tst_validationsaisie.moc"
