// The entry of a QSO field by field: the rules of each field on Enter, the
// keys taken, what the callsign and the reference fill in, a windmill already
// contacted, and the date and time of the clock or typed.
#include "BancSaisie.h"
#include "OutilsTest.h"
#include "core/app/Reglages.h"
#include "core/entry/ModeleSaisie.h"
#include "core/entry/ReglesChamps.h"
#include "core/platform/BoiteMessage.h"

#include <QTest>

using namespace OutilsTest;

class TestModeleSaisie : public QObject, protected BancSaisie {
    Q_OBJECT

private Q_SLOTS:
    void init() { prepareBanc(); }
    void cleanup() { libereBanc(); }

    void reglesDeLEntree_data()
    {
        QTest::addColumn<int>("champ");
        QTest::addColumn<QString>("texteDonne");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("suivant");
        QTest::addColumn<QString>("apres"); // the field's text afterwards
        const QString valide;
        QTest::newRow("callsign empty") << int(M::Ind_A) << ""
                                        << "Entrez un indicatif" << int(M::Ind_A) << "";
        QTest::newRow("callsign 13")
            << int(M::Ind_A) << "F1ABCDEFGHIJK"
            << "12 caracteres maxi pour l'indicatif" << int(M::Ind_A) << "F1ABCDEFGHIJK";
        QTest::newRow("callsign 12")
            << int(M::Ind_A) << "F1ABCDEFGHIJ" << valide << int(M::Prenom_A) << "F1ABCDEFGHIJ";
        QTest::newRow("first name 16")
            << int(M::Prenom_A) << "ABCDEFGHIJKLMNOP"
            << "15 caracteres maxi pour le Prenom" << int(M::Prenom_A) << "ABCDEFGHIJKLMNOP";
        QTest::newRow("first name empty")
            << int(M::Prenom_A) << "" << valide << int(M::Dpt_A) << "";
        QTest::newRow("department empty") << int(M::Dpt_A) << ""
                                          << "Entrez un Departement" << int(M::Dpt_A) << "";
        QTest::newRow("department 3 lowered")
            << int(M::Dpt_A) << "12A"
            << "2 caracteres maxi pour le Departement" << int(M::Dpt_A) << "12a";
        QTest::newRow("department 2A") << int(M::Dpt_A) << "2A" << valide << int(M::Ref_A) << "2a";
        QTest::newRow("reference 4")
            << int(M::Ref_A) << "7712"
            << "5 caracteres pour la reference ex: 77121" << int(M::Ref_A) << "7712";
        QTest::newRow("reference other dept")
            << int(M::Ref_A) << "78121"
            << "Attention la référence ne correspond pas au N° du département" << int(M::Ref_A)
            << "78121";
        QTest::newRow("date empty") << int(M::Date_A) << ""
                                    << "Entrez une date" << int(M::Date_A) << "";
        QTest::newRow("date bad") << int(M::Date_A) << "32/12/08"
                                  << "Le format de la date doit etre JJ/MM/AA" << int(M::Date_A)
                                  << "32/12/08";
        QTest::newRow("date ok") << int(M::Date_A) << "31/12/08" << valide << int(M::Heure_A)
                                 << "31/12/08";
        QTest::newRow("time empty") << int(M::Heure_A) << ""
                                    << "Entrez une Heure" << int(M::Heure_A) << "";
        QTest::newRow("time bad") << int(M::Heure_A) << "24:00"
                                  << "Le format de l'heure doit etre HH:MM" << int(M::Heure_A)
                                  << "24:00";
        QTest::newRow("time ok") << int(M::Heure_A) << "23:59" << valide << int(M::Mode_A)
                                 << "23:59";
        QTest::newRow("mode empty") << int(M::Mode_A) << ""
                                    << "Entrez un Mode" << int(M::Mode_A) << "";
        QTest::newRow("mode 7") << int(M::Mode_A) << "OLIVIAX"
                                << "6 caracteres maxi pour le Mode" << int(M::Mode_A) << "OLIVIAX";
        QTest::newRow("band empty") << int(M::Bande_A) << ""
                                    << "Entrez une QRG" << int(M::Bande_A) << "";
        QTest::newRow("band 8") << int(M::Bande_A) << "1296 MHZ"
                                << "7 caracteres maxi pour la QRG" << int(M::Bande_A) << "1296 MHZ";
        QTest::newRow("band ok back to callsign")
            << int(M::Bande_A) << "14 Mhz" << valide << int(M::Ind_A) << "14 Mhz";
        QTest::newRow("report empty") << int(M::RST_A) << ""
                                      << "Entrez un Report" << int(M::RST_A) << "";
        QTest::newRow("report 4") << int(M::RST_A) << "5999"
                                  << "3 caracteres maxi pour le Report" << int(M::RST_A) << "5999";
        QTest::newRow("report 699")
            << int(M::RST_A) << "699"
            << "R (de RST)doit etre compris entre 0 et 5" << int(M::RST_A) << "699";
        QTest::newRow("report A9")
            << int(M::RSTE_A) << "A9"
            << "R (de RST)doit etre compris entre 0 et 5" << int(M::RSTE_A) << "A9";
        QTest::newRow("report 0") << int(M::RST_A) << "0" << valide << int(M::RSTE_A) << "0";
        QTest::newRow("report sent 599")
            << int(M::RSTE_A) << "599" << valide << int(M::Rem_A) << "599";
        QTest::newRow("name 31") << int(M::Rem_A) << QString(31, 'X')
                                 << "30 caracteres maxi pour le nom du Chateau" << int(M::Rem_A)
                                 << QString(31, 'X');
        QTest::newRow("name 30") << int(M::Rem_A) << QString(30, 'X') << valide << int(M::QSL_A)
                                 << QString(30, 'X');
        QTest::newRow("name empty") << int(M::Rem_A) << "" << valide << int(M::QSL_A) << "";
        QTest::newRow("cyrillic name") << int(M::Rem_A) << "Мельница"
                                       << "U+041C" << int(M::Rem_A) << "Мельница";
        QTest::newRow("emoji callsign") << int(M::Ind_A) << "F1😀"
                                        << "U+1F600" << int(M::Ind_A) << "F1😀";
        QTest::newRow("greek first name") << int(M::Prenom_A) << "ΑΝΝΑ"
                                          << "U+0391" << int(M::Prenom_A) << "ΑΝΝΑ";

        // A band that is a label but for case and blanks becomes the label;
        // any other band would count for no group.
        QTest::newRow("band typed in capitals")
            << int(M::Bande_A) << "14 MHZ" << valide << int(M::Ind_A) << "14 Mhz";
        QTest::newRow("band without blank")
            << int(M::Bande_A) << "144mhz" << valide << int(M::Ind_A) << "144 Mhz";
        QTest::newRow("band not in the list")
            << int(M::Bande_A) << "5 Mhz"
            << "n'est pas une bande de la liste" << int(M::Bande_A) << "5 Mhz";
        QTest::newRow("mode in lower case")
            << int(M::Mode_A) << "cw" << valide << int(M::RST_A) << "CW";
        QTest::newRow("mode of blanks") << int(M::Mode_A) << "   "
                                        << "Entrez un Mode" << int(M::Mode_A) << "   ";
        // The mode as the log holds it, in three characters.
        QTest::newRow("RTTY typed") << int(M::Mode_A) << "rtty" << valide << int(M::RST_A) << "RTY";
        QTest::newRow("PSK31 typed")
            << int(M::Mode_A) << "PSK31" << valide << int(M::RST_A) << "PSK";
        QTest::newRow("mode with no short form")
            << int(M::Mode_A) << "OLIVIA"
            << "Le mode « OLIVIA » ne tient pas dans le log." << int(M::Mode_A) << "OLIVIA";

        // Line breaks, tabs and other control characters, typed or pasted,
        // would split the stored line or shift its columns.
        const struct {
            M::Controle champ;
            const char* nom;
            const char* valable;
        } champs[] = {
            {M::Ind_A, "Indicatif", "F5NL"},
            {M::Prenom_A, "Prénom", "JEAN"},
            {M::Dpt_A, "Dpt", "77"},
            {M::Ref_A, "Ref Moulin", "77121"},
            {M::Date_A, "Date", "31/12/08"},
            {M::Heure_A, "Heure UTC", "10:00"},
            {M::Mode_A, "Mode", "CW"},
            {M::Bande_A, "Bande", "14 Mhz"},
            {M::RST_A, "RST R", "59"},
            {M::RSTE_A, "RST E", "59"},
            {M::Rem_A, "Nom du Moulin", "M. DU BAS"},
        };
        const struct {
            const char* cas;
            const char* message;
            QString (*forme)(const QString&);
        } sortes[] = {
            {"line break", "un saut de ligne", [](const QString& v) { return v + "\n"; }},
            {"tab", "une tabulation", [](const QString& v) { return v.left(1) + "\t" + v.mid(1); }},
            {"other control", "un caractère de contrôle (U+0007)",
             [](const QString& v) { return "\a" + v; }},
            {"pasted mixed text", "un saut de ligne",
             [](const QString& v) { return v.left(2) + "\r\n" + v.mid(2); }},
        };
        for (const auto& ch : champs) {
            for (const auto& so : sortes) {
                const QString texte = so.forme(QString::fromUtf8(ch.valable));
                QTest::addRow("%s %s", ch.nom, so.cas)
                    << int(ch.champ) << texte
                    << QStringLiteral("Le champ « %1 » contient %2")
                           .arg(QString::fromUtf8(ch.nom), QString::fromUtf8(so.message))
                    << int(ch.champ) << texte;
            }
        }
    }
    void reglesDeLEntree()
    {
        QFETCH(int, champ);
        QFETCH(QString, texteDonne);
        QFETCH(QString, message);
        QFETCH(int, suivant);
        QFETCH(QString, apres);
        const auto c = M::Controle(champ);
        m_modele->changeTexte(M::Dpt_A, "77");
        m_modele->changeTexte(c, texteDonne);
        m_modele->focusDonne();
        m_modele->frappeTouche(c, '\r');
        if (message.isEmpty()) {
            QVERIFY(m_modele->focusADonner());
            QCOMPARE(int(m_modele->focus()), suivant);
            QCOMPARE(m_messages.textes(), QStringList());
            QCOMPARE(m_modele->etat(c).couleur,
                     suivant == champ ? M::Couleur::Vert : M::Couleur::Jaune);
            QVERIFY(m_modele->etat(M::Controle(suivant)).actif);
            QCOMPARE(m_modele->etat(M::Controle(suivant)).couleur, M::Couleur::Vert);
        } else {
            QCOMPARE(m_messages.affichees().size(), 1);
            QVERIFY2(m_messages.dernierTexte().contains(message),
                     qPrintable(m_messages.dernierTexte()));
            QCOMPARE(m_messages.affichees().first().boutons, BoiteMessage::Ok);
            QVERIFY(!m_modele->focusADonner()); // the focus stays in the field
        }
        QCOMPARE(m_modele->etat(c).texte, apres);
    }

    void touchesEnMajusculesSaufDepartementEtReference()
    {
        type(M::Ind_A, "fxxxx", false);
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("FXXXX"));
        type(M::Dpt_A, "2a", false);
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("2a"));
        m_modele->changeTexte(M::Rem_A, "");
        type(M::Rem_A, "moulin é", false);
        QCOMPARE(m_modele->etat(M::Rem_A).texte, QStringLiteral("MOULIN é"));
    }

    void messagePremiereInstallationAChaqueTouche()
    {
        m_hote.changeIndicatif("FXXXX");
        type(M::Ind_A, "a");
        QCOMPARE(m_messages.affichees().size(), 2);
        QCOMPARE(
            m_messages.dernierTexte(),
            QStringLiteral(
                "\r\n         Premiere installation, vous devez entrer votre Indicatif\r\n\r\n"
                "Pour cela dans la barre des menus allez dans Station puis Nouvel Indicatif."));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("a"));
        QCOMPARE(m_modele->focus(), M::Ind_A);
    }

    void indicatifRemplitDepartementEtPrenom()
    {
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Liste_Prenom.txt"),
                            "F5XYZ        77 jean\r\n"));
        type(M::Ind_A, "f5xyz");
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("77"));
        QCOMPARE(m_modele->etat(M::Prenom_A).texte, QStringLiteral("JEAN"));
        QCOMPARE(m_modele->focus(), M::Prenom_A);
        // Both come selected, so that a key typed replaces them; the reports
        // of a new QSO keep their cursor, as the name does after "M. ".
        QVERIFY(m_modele->texteSelectionneAuFocus());
        valideParEntree(M::Prenom_A);
        QCOMPARE(m_modele->focus(), M::Dpt_A);
        QVERIFY(m_modele->texteSelectionneAuFocus());
        valideParEntree(M::Dpt_A);
        QCOMPARE(m_modele->focus(), M::Ref_A);
        QVERIFY(!m_modele->texteSelectionneAuFocus());
        type(M::Ref_A, "77121");
        valideParEntree(M::Mode_A);
        QCOMPARE(m_modele->focus(), M::RST_A);
        QVERIFY(!m_modele->texteSelectionneAuFocus());
        for (M::Controle c : {M::RST_A, M::RSTE_A})
            valideParEntree(c);
        QCOMPARE(m_modele->focus(), M::Rem_A);
        QVERIFY(!m_modele->texteSelectionneAuFocus());
    }

    void moulinEnDoubleParGroupe_data()
    {
        QTest::addColumn<int>("bande");
        QTest::addColumn<bool>("averti");
        // The band chosen after the reference was checked (the radio, a
        // spot, the list), before the QSO is saved; -1: none.
        QTest::addColumn<int>("apres");
        QTest::newRow("same band") << 10 << true << -1; // 144 Mhz
        QTest::newRow("432") << 11 << false << -1;
        QTest::newRow("14") << 4 << false << -1;
        QTest::newRow("10 never") << 3 << false << -1;
        QTest::newRow("14, then 144 before saving") << 4 << true << 10;
        QTest::newRow("14, then 432 before saving") << 4 << false << 11;
        QTest::newRow("14, then 21: the same group") << 4 << false << 6;
        QTest::newRow("432, then 144 before saving") << 11 << true << 10;
    }
    void moulinEnDoubleParGroupe()
    {
        QFETCH(int, bande);
        QFETCH(bool, averti);
        QFETCH(int, apres);
        QString ligne = kAncien;
        ligne.replace("14 Mhz ", "144 Mhz").replace("91005", "77121").replace("91   ", "77   ");
        QVERIFY(ecritOctets(cheminDuLog(), ligne.toLatin1() + "\r\n"));
        m_reglages->ecritIndex(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee, bande);
        m_modele->Prepare_Saisie();
        type(M::Ind_A, "F6NEW");
        valideParEntree(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        if (apres >= 0) {
            for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
                valideParEntree(c);
            QVERIFY(m_modele->choixRadio(M::Bande_A, apres));
            m_messages.prevoit(BoiteMessage::ReponseOui);
            m_modele->Valide_A_Click();
            QCOMPARE(octetsLog().count("\r\n"), averti ? 1 : 2);
        }
        if (averti && apres >= 0) {
            // Said with the reason the check came again; the QSO stays to
            // be corrected.
            QCOMPARE(m_messages.dernierTexte(),
                     QStringLiteral("La bande a changé depuis la vérification de la référence : "
                                    "77121 Chateau deja contacté le 03/04/09 sur 144 Mhz, dans le "
                                    "même groupe de bandes.\r\n\r\nLe QSO n'est pas enregistré : "
                                    "corrigez la bande ou la référence."));
            QCOMPARE(m_modele->focus(), M::Bande_A);
            QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F6NEW"));
            QCOMPARE(m_modele->etat(M::Ref_A).texte, QStringLiteral("77121"));
            QCOMPARE(m_modele->etat(M::Bande_A).texte, QStringLiteral("144 Mhz"));
            QVERIFY(m_modele->etat(M::Valide_A).actif);
            QVERIFY(m_modele->saisieEnCours());
        } else if (averti) {
            QCOMPARE(m_messages.dernierTexte(),
                     QStringLiteral("77121 Chateau deja contacté le 03/04/09 sur 144 Mhz"));
            QCOMPARE(m_modele->focus(), M::Ind_A);
            QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
            QCOMPARE(m_modele->etat(M::Ref_A).texte, QString());
            QVERIFY(!m_modele->etat(M::Ref_A).actif);
            QVERIFY(!m_modele->etat(M::Mode_A).actif);
        } else if (apres < 0) {
            QCOMPARE(m_messages.textes(), QStringList());
            QCOMPARE(m_modele->focus(), M::Mode_A);
        } else {
            QCOMPARE(m_messages.textes(),
                     QStringList{QStringLiteral("Voulez vous enregistrer ces données ?")});
        }
    }

    void cheminAutomatiquePrendLHorloge()
    {
        type(M::Ind_A, "F6NEW");
        valideParEntree(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        QCOMPARE(m_modele->focus(), M::Mode_A);
        QCOMPARE(m_modele->etat(M::Date_A).texte, QStringLiteral("07/12/26"));
        QCOMPARE(m_modele->etat(M::Heure_A).texte, QStringLiteral("21:42"));
        QCOMPARE(m_modele->etat(M::Rem_A).texte, QStringLiteral("M. "));
        QVERIFY(!m_modele->etat(M::Date_A).actif);
    }

    // The date and time are those of the UTC clock when the reference is
    // accepted, read once.
    void cheminAutomatiqueLitLHorlogeAlors_data()
    {
        QTest::addColumn<QDateTime>("utc");
        QTest::addColumn<int>("decalage");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("heure");
        QTest::newRow("UTC, not local time")
            << QDateTime(QDate(2026, 12, 7), QTime(23, 30, 0), Qt::UTC) << 3600 << "07/12/26"
            << "23:30";
        QTest::newRow("seconds dropped")
            << QDateTime(QDate(2026, 1, 2), QTime(8, 5, 59), Qt::UTC) << 0 << "02/01/26"
            << "08:05";
        QTest::newRow("last second of the year")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59), Qt::UTC) << -18000 << "31/12/26"
            << "23:59";
    }
    void cheminAutomatiqueLitLHorlogeAlors()
    {
        QFETCH(QDateTime, utc);
        QFETCH(int, decalage);
        QFETCH(QString, date);
        QFETCH(QString, heure);
        type(M::Ind_A, "F6NEW");
        valideParEntree(M::Prenom_A);
        type(M::Dpt_A, "77");
        m_horloge.regleA(utc, decalage);
        type(M::Ref_A, "77121");
        QCOMPARE(m_modele->etat(M::Date_A).texte, date);
        QCOMPARE(m_modele->etat(M::Heure_A).texte, heure);
    }

    void cheminManuelEnInsertionOuEdition_data()
    {
        QTest::addColumn<bool>("dateAuto");
        QTest::addColumn<bool>("insertion");
        QTest::newRow("manual mode") << false << false;
        QTest::newRow("insertion in automatic mode") << true << true;
    }
    void cheminManuelEnInsertionOuEdition()
    {
        QFETCH(bool, dateAuto);
        QFETCH(bool, insertion);
        m_hote.changeDateAuto(dateAuto);
        if (insertion)
            m_modele->Ajout_QSO_Click();
        type(M::Ind_A, "F6NEW");
        valideParEntree(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        QCOMPARE(m_modele->focus(), M::Date_A);
        QVERIFY(m_modele->etat(M::Date_A).actif);
        QCOMPARE(m_modele->etat(M::Date_A).texte, QString());
    }

    // A QSO of the list shown in the fields drops what the spot had left.
    void spotOubliePourUneLigneDeLaListe()
    {
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        QVERIFY(m_modele->prepareDepuisSpot("F4XYZ", 4, "78", "78001"));
        m_hote.rechargeListeLog();
        m_modele->doubleClic();
        QVERIFY(m_modele->Mode_Modif());
        valideParEntree(M::Ind_A);
        valideParEntree(M::Prenom_A);
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("91"));
        valideParEntree(M::Dpt_A);
        QCOMPARE(m_modele->etat(M::Ref_A).texte, QStringLiteral("91005"));
    }

    void spotRefuse_data()
    {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QString>("message");
        QTest::newRow("a QSO of the list being edited")
            << 0
            << "Un QSO de la liste est en cours de modification : validez-le ou effacez-le avant "
               "de prendre un spot.";
        QTest::newRow("a QSO being inserted")
            << 1
            << "Un QSO est en cours d'insertion : validez-le ou effacez-le avant de prendre "
               "un spot.";
        QTest::newRow("no station yet")
            << 2
            << "\r\n         Premiere installation, vous devez entrer votre Indicatif\r\n\r\n"
               "Pour cela dans la barre des menus allez dans Station puis Nouvel Indicatif.";
        QTest::newRow("in no band of the log")
            << 3
            << "La fréquence de ce spot n'est dans aucune bande du log : le QSO ne peut pas "
               "y être noté.";
    }
    void spotRefuse()
    {
        QFETCH(int, cas);
        QFETCH(QString, message);
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.rechargeListeLog();
        if (cas == 0)
            m_modele->doubleClic();
        else if (cas == 1)
            m_modele->Ajout_QSO_Click();
        else if (cas == 2)
            m_hote.changeIndicatif("FXXXX");
        type(M::Ind_A, "F6ABC", false);
        const auto avant = std::array{m_modele->etat(M::Ind_A).texte,
                                      m_modele->etat(M::Bande_A).texte, m_modele->Mode_Aff()};
        m_messages.vide();
        QCOMPARE(m_modele->refusSpot(cas == 3 ? -1 : 4), message);
        QVERIFY(!m_modele->prepareDepuisSpot("F4XYZ", cas == 3 ? -1 : 4, "78", "78001"));
        QCOMPARE(m_messages.textes(), QStringList{message});
        QCOMPARE(m_modele->etat(M::Ind_A).texte, avant[0]);
        QCOMPARE(m_modele->etat(M::Bande_A).texte, avant[1]);
        QCOMPARE(m_modele->Mode_Aff(), avant[2]);
    }
};

QTEST_GUILESS_MAIN(TestModeleSaisie)
#include "tst_modelesaisie.moc"
