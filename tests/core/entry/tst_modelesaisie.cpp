#include "OutilsTest.h"
#include "core/app/Reglages.h"
#include "core/entry/ModeleSaisie.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/StockReglages.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace OutilsTest;
using M = ModeleSaisie;

namespace {

// The main window as the entry area sees it: a log list over the log file,
// connected to the model's signals, telling it the station and date mode.
class Hote {
public:
    QString indicatif = "F1ABC";
    bool dateAuto = true;
    QString dossier;
    ModeleSaisie* modele = nullptr;
    QStringList liste;

    void attache(ModeleSaisie* m)
    {
        modele = m;
        QObject::connect(m, &ModeleSaisie::listeARecharger, m, [this] { Recharge_Liste(); });
        QObject::connect(m, &ModeleSaisie::derniereASelectionner, m,
                         [this] { selectionneDerniere(); });
        m->changeIndicatifCourant(indicatif);
        m->changeDateAuto(dateAuto);
    }
    void changeIndicatif(const QString& nouveau)
    {
        indicatif = nouveau;
        modele->changeIndicatifCourant(nouveau);
    }
    void changeDateAuto(bool automatique)
    {
        dateAuto = automatique;
        modele->changeDateAuto(automatique);
    }
    void Recharge_Liste()
    {
        liste = StationLog(dossier, indicatif).Charge_Log().affichage.versListe();
        selectionneDerniere();
    }
    void selectionneDerniere()
    {
        if (!liste.isEmpty())
            modele->selection(liste.last());
    }
};

const QString kAncien = "F5XYZ        91   MARC            91005 03/04/09 10:00 CW  14 Mhz  599 "
                        "599 MOULIN DE JEAN                 *";

} // namespace

class TestModeleSaisie : public QObject {
    Q_OBJECT

    QTemporaryDir* m_dossierTemporaire = nullptr;
    StockReglages* m_reglages = nullptr;
    BoiteMessageScriptee m_messages;
    HorlogeReglee m_horloge;
    Hote m_hote;
    ModeleSaisie* m_modele = nullptr;

    QString cheminDuLog() const { return m_dossierTemporaire->filePath("F1ABC_KZT.log"); }
    QByteArray octetsLog() const { return litOctets(cheminDuLog()); }
    void type(M::Controle c, const QString& texte, bool entree = true)
    {
        for (QChar ch : texte) {
            const M::Touche t = m_modele->frappeTouche(c, ch);
            if (t.sort == M::Touche::Prise)
                m_modele->changeTexte(c, m_modele->etat(c).texte + t.caractere);
        }
        if (entree)
            m_modele->frappeTouche(c, '\r');
    }
    void enter(M::Controle c) { m_modele->frappeTouche(c, '\r'); }
    // A whole QSO typed field by field, up to the button.
    void typeQso(const QString& ind, const QString& dpt, const QString& ref,
                 const QString& date = QString(), const QString& heure = QString())
    {
        type(M::Ind_A, ind);
        enter(M::Prenom_A);
        if (m_modele->etat(M::Dpt_A).texte.isEmpty())
            type(M::Dpt_A, dpt);
        else
            enter(M::Dpt_A);
        type(M::Ref_A, ref);
        if (m_modele->focus() == M::Date_A) {
            type(M::Date_A, date);
            type(M::Heure_A, heure);
        }
        for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
            enter(c);
    }

private Q_SLOTS:
    void init()
    {
        m_dossierTemporaire = new QTemporaryDir;
        QVERIFY(ecritOctets(cheminDuLog(), ""));
        m_horloge.set(QDateTime(QDate(2026, 12, 7), QTime(21, 42, 30), Qt::UTC), 3600);
        m_reglages = new StockReglages(m_dossierTemporaire->filePath("kzt.ini"));
        m_messages.clear();
        m_hote = Hote();
        m_hote.dossier = m_dossierTemporaire->path();
        m_modele =
            new ModeleSaisie(m_dossierTemporaire->path(), *m_reglages, m_messages, m_horloge);
        m_hote.attache(m_modele);
        m_modele->Prepare_Saisie();
    }
    void cleanup()
    {
        delete m_modele;
        delete m_reglages;
        delete m_dossierTemporaire;
    }

    void reglesDeLEntree_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("next");
        QTest::addColumn<QString>("after"); // the field's text afterwards
        const QString ok;
        QTest::newRow("callsign empty") << int(M::Ind_A) << ""
                                        << "Entrez un indicatif" << int(M::Ind_A) << "";
        QTest::newRow("callsign 13")
            << int(M::Ind_A) << "F1ABCDEFGHIJK"
            << "12 caracteres maxi pour l'indicatif" << int(M::Ind_A) << "F1ABCDEFGHIJK";
        QTest::newRow("callsign 12")
            << int(M::Ind_A) << "F1ABCDEFGHIJ" << ok << int(M::Prenom_A) << "F1ABCDEFGHIJ";
        QTest::newRow("first name 16")
            << int(M::Prenom_A) << "ABCDEFGHIJKLMNOP"
            << "15 caracteres maxi pour le Prenom" << int(M::Prenom_A) << "ABCDEFGHIJKLMNOP";
        QTest::newRow("first name empty") << int(M::Prenom_A) << "" << ok << int(M::Dpt_A) << "";
        QTest::newRow("department empty") << int(M::Dpt_A) << ""
                                          << "Entrez un Departement" << int(M::Dpt_A) << "";
        QTest::newRow("department 3 lowered")
            << int(M::Dpt_A) << "12A"
            << "2 caracteres maxi pour le Departement" << int(M::Dpt_A) << "12a";
        QTest::newRow("department 2A") << int(M::Dpt_A) << "2A" << ok << int(M::Ref_A) << "2a";
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
        QTest::newRow("date ok") << int(M::Date_A) << "31/12/08" << ok << int(M::Heure_A)
                                 << "31/12/08";
        QTest::newRow("time empty") << int(M::Heure_A) << ""
                                    << "Entrez une Heure" << int(M::Heure_A) << "";
        QTest::newRow("time bad") << int(M::Heure_A) << "24:00"
                                  << "Le format de l'heure doit etre HH:MM" << int(M::Heure_A)
                                  << "24:00";
        QTest::newRow("time ok") << int(M::Heure_A) << "23:59" << ok << int(M::Mode_A) << "23:59";
        QTest::newRow("mode empty") << int(M::Mode_A) << ""
                                    << "Entrez un Mode" << int(M::Mode_A) << "";
        QTest::newRow("mode 7") << int(M::Mode_A) << "OLIVIAX"
                                << "6 caracteres maxi pour le Mode" << int(M::Mode_A) << "OLIVIAX";
        QTest::newRow("band empty") << int(M::Bande_A) << ""
                                    << "Entrez une QRG" << int(M::Bande_A) << "";
        QTest::newRow("band 8") << int(M::Bande_A) << "1296 MHZ"
                                << "7 caracteres maxi pour la QRG" << int(M::Bande_A) << "1296 MHZ";
        QTest::newRow("band ok back to callsign")
            << int(M::Bande_A) << "14 Mhz" << ok << int(M::Ind_A) << "14 Mhz";
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
        QTest::newRow("report 0") << int(M::RST_A) << "0" << ok << int(M::RSTE_A) << "0";
        QTest::newRow("report sent 599") << int(M::RSTE_A) << "599" << ok << int(M::Rem_A) << "599";
        QTest::newRow("name 31") << int(M::Rem_A) << QString(31, 'X')
                                 << "30 caracteres maxi pour le nom du Chateau" << int(M::Rem_A)
                                 << QString(31, 'X');
        QTest::newRow("name 30") << int(M::Rem_A) << QString(30, 'X') << ok << int(M::QSL_A)
                                 << QString(30, 'X');
        QTest::newRow("name empty") << int(M::Rem_A) << "" << ok << int(M::QSL_A) << "";
        QTest::newRow("cyrillic name") << int(M::Rem_A) << "Мельница"
                                       << "U+041C" << int(M::Rem_A) << "Мельница";
        QTest::newRow("emoji callsign") << int(M::Ind_A) << "F1😀"
                                        << "U+1F600" << int(M::Ind_A) << "F1😀";
        QTest::newRow("greek first name") << int(M::Prenom_A) << "ΑΝΝΑ"
                                          << "U+0391" << int(M::Prenom_A) << "ΑΝΝΑ";

        // A band that is a label but for case and blanks becomes the label;
        // any other band would count for no group.
        QTest::newRow("band typed in capitals")
            << int(M::Bande_A) << "14 MHZ" << ok << int(M::Ind_A) << "14 Mhz";
        QTest::newRow("band without blank")
            << int(M::Bande_A) << "144mhz" << ok << int(M::Ind_A) << "144 Mhz";
        QTest::newRow("band not in the list")
            << int(M::Bande_A) << "5 Mhz"
            << "n'est pas une bande de la liste" << int(M::Bande_A) << "5 Mhz";
        QTest::newRow("mode in lower case")
            << int(M::Mode_A) << "cw" << ok << int(M::RST_A) << "CW";
        QTest::newRow("mode of blanks") << int(M::Mode_A) << "   "
                                        << "Entrez un Mode" << int(M::Mode_A) << "   ";

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
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, next);
        QFETCH(QString, after);
        const auto c = M::Controle(field);
        m_modele->changeTexte(M::Dpt_A, "77");
        m_modele->changeTexte(c, text);
        m_modele->focusDonne();
        m_modele->frappeTouche(c, '\r');
        if (message.isEmpty()) {
            QVERIFY(m_modele->focusADonner());
            QCOMPARE(int(m_modele->focus()), next);
            QCOMPARE(m_messages.texts(), QStringList());
            QCOMPARE(m_modele->etat(c).couleur,
                     next == field ? M::Couleur::Vert : M::Couleur::Jaune);
            QVERIFY(m_modele->etat(M::Controle(next)).actif);
            QCOMPARE(m_modele->etat(M::Controle(next)).couleur, M::Couleur::Vert);
        } else {
            QCOMPARE(m_messages.shown().size(), 1);
            QVERIFY2(m_messages.dernierTexte().contains(message),
                     qPrintable(m_messages.dernierTexte()));
            QCOMPARE(m_messages.shown().first().buttons, BoiteMessage::Ok);
            QVERIFY(!m_modele->focusADonner()); // the focus stays in the field
        }
        QCOMPARE(m_modele->etat(c).texte, after);
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
        QCOMPARE(m_messages.shown().size(), 2);
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
    }

    void moulinEnDoubleParGroupe_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<bool>("warned");
        QTest::newRow("same band") << 10 << true; // 144 Mhz
        QTest::newRow("432") << 11 << false;
        QTest::newRow("14") << 4 << false;
        QTest::newRow("10 never") << 3 << false;
    }
    void moulinEnDoubleParGroupe()
    {
        QFETCH(int, band);
        QFETCH(bool, warned);
        QString ligne = kAncien;
        ligne.replace("14 Mhz ", "144 Mhz").replace("91005", "77121").replace("91   ", "77   ");
        QVERIFY(ecritOctets(cheminDuLog(), ligne.toLatin1() + "\r\n"));
        m_reglages->ecritIndex(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee, band);
        m_modele->Prepare_Saisie();
        type(M::Ind_A, "F6NEW");
        enter(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        if (warned) {
            QCOMPARE(m_messages.dernierTexte(),
                     QStringLiteral("77121 Chateau deja contacté le 03/04/09 sur 144 Mhz"));
            QCOMPARE(m_modele->focus(), M::Ind_A);
            QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
            QCOMPARE(m_modele->etat(M::Ref_A).texte, QString());
            QVERIFY(!m_modele->etat(M::Ref_A).actif);
            QVERIFY(!m_modele->etat(M::Mode_A).actif);
        } else {
            QCOMPARE(m_messages.texts(), QStringList());
            QCOMPARE(m_modele->focus(), M::Mode_A);
        }
    }

    void cheminAutomatiquePrendLHorloge()
    {
        type(M::Ind_A, "F6NEW");
        enter(M::Prenom_A);
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
        enter(M::Prenom_A);
        type(M::Dpt_A, "77");
        m_horloge.set(utc, decalage);
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
        enter(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        QCOMPARE(m_modele->focus(), M::Date_A);
        QVERIFY(m_modele->etat(M::Date_A).actif);
        QCOMPARE(m_modele->etat(M::Date_A).texte, QString());
    }

    void modeEtBandeRetenus()
    {
        const QString section = Reglages::sectionStation("F1ABC");
        m_modele->changeIndex(M::Mode_A, 1, "CW");
        type(M::Mode_A, "x", false); // index before the key
        QCOMPARE(m_reglages->read(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));
        m_modele->changeIndex(M::Mode_A, 2, "FM");
        m_modele->changeTexte(M::Mode_A, "");
        enter(M::Mode_A); // refused: nothing written
        QCOMPARE(m_reglages->read(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));
        m_modele->changeIndex(M::Bande_A, 10, "144 Mhz");
        enter(M::Bande_A);
        QCOMPARE(m_reglages->read(section, Reglages::bandeUtilisee, "?"), QStringLiteral("10"));

        // While editing nothing is remembered.
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        m_hote.Recharge_Liste();
        m_modele->doubleClic();
        m_modele->changeIndex(M::Mode_A, 0, "SSB");
        type(M::Mode_A, "s", false);
        QCOMPARE(m_reglages->read(section, Reglages::modeUtilise, "?"), QStringLiteral("1"));

        m_modele->Prepare_Saisie();
        QCOMPARE(m_modele->etat(M::Mode_A).texte, QStringLiteral("CW"));
        QCOMPARE(m_modele->etat(M::Bande_A).texte, QStringLiteral("144 Mhz"));
    }

    // The band and mode chosen for one QSO, however chosen, are those of the
    // next QSOs, after the program is started again too.
    void bandeEtModeRetenusPourLesQsoSuivants_data()
    {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("typed"); // otherwise picked in the list
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
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(bool, typed);
        const auto choisit = [&](M::Controle c, const QString& texte) {
            if (typed) {
                m_modele->changeTexte(c, "");
                type(M::Controle(c), texte, c == M::Bande_A);
            } else {
                const QStringList& items = c == M::Bande_A ? listeBandes() : listeModes();
                m_modele->changeIndex(c, int(items.indexOf(texte)), texte);
                m_modele->choixListe(c);
            }
        };
        QFETCH(QString, bandeAttendue);
        const QString modeAttendu = mode.toUpper();

        choisit(M::Bande_A, band);
        type(M::Ind_A, "F6NEW");
        enter(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        choisit(M::Mode_A, mode);
        for (M::Controle c : {M::Mode_A, M::RST_A, M::RSTE_A, M::Rem_A, M::QSL_A})
            enter(c);
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
            QCOMPARE(LogLine::champ(l, LogLine::Bande), Texte::complete(bandeAttendue, 7));
            QCOMPARE(LogLine::champ(l, LogLine::Mode), Texte::complete(modeAttendu, 3));
        }
    }

    // A QSO refused by the button changes no file: log, first-name memory
    // and settings stay byte for byte as they were.
    void qsoRefuseNeChangeAucunFichier_data()
    {
        // -1: the QSO typed with the date below; -2: typed after a band of -1
        // was remembered by an older version.
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
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
    }
    void qsoRefuseNeChangeAucunFichier()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QVERIFY(ecritOctets(cheminDuLog(), kAncien.toLatin1() + "\r\n"));
        QVERIFY(ecritOctets(m_dossierTemporaire->filePath("Liste_Prenom.txt"),
                            "F6OLD        77 PAUL\r\n"));
        m_hote.Recharge_Liste();
        if (field < 0) {
            m_hote.changeDateAuto(field == -2);
            if (field == -2)
                m_reglages->ecritIndex(Reglages::sectionStation("F1ABC"), Reglages::bandeUtilisee,
                                       -1);
            m_modele->Prepare_Saisie();
            typeQso("F6NEW", "77", "77121", text, "10:00");
            QCOMPARE(m_modele->focus(), M::Valide_A);
        } else {
            m_modele->doubleClic(); // the button is reached without the Enter rules
            m_modele->changeTexte(M::Controle(field), text);
        }
        const QString section = Reglages::sectionStation("F1ABC");
        const QStringList reglages = {m_reglages->read(section, Reglages::modeUtilise, "?"),
                                      m_reglages->read(section, Reglages::bandeUtilisee, "?")};
        QMap<QString, QByteArray> avant;
        for (const QString& nom : QDir(m_dossierTemporaire->path()).entryList(QDir::Files))
            avant.insert(nom, litOctets(m_dossierTemporaire->filePath(nom)));
        m_messages.clear();
        m_modele->Valide_A_Click();
        QVERIFY2(m_messages.dernierTexte().contains(message),
                 qPrintable(m_messages.dernierTexte()));
        QMap<QString, QByteArray> apres;
        for (const QString& nom : QDir(m_dossierTemporaire->path()).entryList(QDir::Files))
            apres.insert(nom, litOctets(m_dossierTemporaire->filePath(nom)));
        QCOMPARE(apres, avant);
        QCOMPARE(m_reglages->read(section, Reglages::modeUtilise, "?"), reglages.at(0));
        QCOMPARE(m_reglages->read(section, Reglages::bandeUtilisee, "?"), reglages.at(1));
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
        m_hote.Recharge_Liste();
        m_modele->Prepare_Saisie(); // as at the end of start-up
        if (insertion)
            m_modele->Ajout_QSO_Click();
        typeQso("F6NEW", "77", "77121", "31/12/08", "10:00");
        QCOMPARE(m_modele->focus(), M::Valide_A);
        QVERIFY(m_modele->etat(M::Valide_A).actif);
        m_modele->Valide_A_Click();
        QCOMPARE(m_messages.shown().first().text,
                 QStringLiteral("Voulez vous enregistrer ces données ?"));
        QCOMPARE(m_messages.shown().first().buttons, BoiteMessage::OuiNon);
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
        m_messages.queue(BoiteMessage::ReponseNon);
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
        m_hote.Recharge_Liste();
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
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void suppression()
    {
        QFETCH(bool, yes);
        const QByteArray avant = kAncien.toLatin1() + "\r\n" + kAncien.toLatin1() + "\r\n";
        QVERIFY(ecritOctets(cheminDuLog(), avant));
        m_hote.Recharge_Liste();
        m_messages.queue(yes ? BoiteMessage::ReponseOui : BoiteMessage::ReponseNon);
        m_modele->Annule_Saisie_Click();
        QCOMPARE(m_messages.dernierTexte(), QStringLiteral("Voulez vous Supprimer ce QSO ?"));
        QCOMPARE(octetsLog(), yes ? QByteArray() : avant);
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
        m_hote.Recharge_Liste();
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
};

QTEST_GUILESS_MAIN(TestModeleSaisie)
#include "tst_modelesaisie.moc"
