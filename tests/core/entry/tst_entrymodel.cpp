#include "TestSupport.h"
#include "core/app/SettingsKeys.h"
#include "core/entry/EntryModel.h"
#include "core/log/BandGroups.h"
#include "core/log/DisplayLine.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/log/Texte.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"
#include "support/ScriptedMessageBox.h"
#include "support/SetClock.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;
using M = EntryModel;

namespace {

// The main window as the entry area sees it: a log list over the log file,
// connected to the model's signals, telling it the station and date mode.
class Hote {
public:
    QString indicatif = "F1ABC";
    bool dateAuto = true;
    QString dossier;
    EntryModel* modele = nullptr;
    QStringList liste;

    void attache(EntryModel* m)
    {
        modele = m;
        QObject::connect(m, &EntryModel::listeARecharger, m, [this] { Recharge_Liste(); });
        QObject::connect(m, &EntryModel::derniereASelectionner, m,
                         [this] { Selectionne_Derniere(); });
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
        liste = StationLog(dossier, indicatif).Charge_Log().affichage.toStringList();
        Selectionne_Derniere();
    }
    void Selectionne_Derniere()
    {
        if (!liste.isEmpty())
            modele->Selection(liste.last());
    }
};

const QString kAncien = "F5XYZ        91   MARC            91005 03/04/09 10:00 CW  14 Mhz  599 "
                        "599 MOULIN DE JEAN                 *";

} // namespace

class TestEntryModel : public QObject {
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;
    SettingsStore* m_reglages = nullptr;
    ScriptedMessageBox m_messages;
    SetClock m_horloge;
    Hote m_hote;
    EntryModel* m_modele = nullptr;

    QString logPath() const { return m_dir->filePath("F1ABC_KZT.log"); }
    QByteArray logBytes() const { return readBytes(logPath()); }
    void type(M::Controle c, const QString& texte, bool entree = true)
    {
        for (QChar ch : texte) {
            const M::Touche t = m_modele->Frappe(c, ch);
            if (t.sort == M::Touche::Prise)
                m_modele->Change_Texte(c, m_modele->etat(c).texte + t.caractere);
        }
        if (entree)
            m_modele->Frappe(c, '\r');
    }
    void enter(M::Controle c) { m_modele->Frappe(c, '\r'); }
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
        m_dir = new QTemporaryDir;
        QVERIFY(writeBytes(logPath(), ""));
        m_horloge.set(QDateTime(QDate(2026, 12, 7), QTime(21, 42, 30), Qt::UTC), 3600);
        m_reglages = new SettingsStore(m_dir->filePath("kzt.ini"));
        m_messages.clear();
        m_hote = Hote();
        m_hote.dossier = m_dir->path();
        m_modele = new EntryModel(m_dir->path(), *m_reglages, m_messages, m_horloge);
        m_hote.attache(m_modele);
        m_modele->Prepare_Saisie();
    }
    void cleanup()
    {
        delete m_modele;
        delete m_reglages;
        delete m_dir;
    }

    void enterRules_data()
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
    void enterRules()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, next);
        QFETCH(QString, after);
        const auto c = M::Controle(field);
        m_modele->Change_Texte(M::Dpt_A, "77");
        m_modele->Change_Texte(c, text);
        m_modele->Focus_Donne();
        m_modele->Frappe(c, '\r');
        if (message.isEmpty()) {
            QVERIFY(m_modele->Focus_A_Donner());
            QCOMPARE(int(m_modele->focus()), next);
            QCOMPARE(m_messages.texts(), QStringList());
            QCOMPARE(m_modele->etat(c).couleur,
                     next == field ? M::Couleur::Vert : M::Couleur::Jaune);
            QVERIFY(m_modele->etat(M::Controle(next)).actif);
            QCOMPARE(m_modele->etat(M::Controle(next)).couleur, M::Couleur::Vert);
        } else {
            QCOMPARE(m_messages.shown().size(), 1);
            QVERIFY2(m_messages.lastText().contains(message), qPrintable(m_messages.lastText()));
            QCOMPARE(m_messages.shown().first().buttons, MessageBox::Ok);
            QVERIFY(!m_modele->Focus_A_Donner()); // the focus stays in the field
        }
        QCOMPARE(m_modele->etat(c).texte, after);
    }

    void keysAreUpperCasedExceptDepartmentAndReference()
    {
        type(M::Ind_A, "fxxxx", false);
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("FXXXX"));
        type(M::Dpt_A, "2a", false);
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("2a"));
        m_modele->Change_Texte(M::Rem_A, "");
        type(M::Rem_A, "moulin é", false);
        QCOMPARE(m_modele->etat(M::Rem_A).texte, QStringLiteral("MOULIN é"));
    }

    void firstInstallationMessageOnEveryKey()
    {
        m_hote.changeIndicatif("FXXXX");
        type(M::Ind_A, "a");
        QCOMPARE(m_messages.shown().size(), 2);
        QCOMPARE(
            m_messages.lastText(),
            QStringLiteral(
                "\r\n         Premiere installation, vous devez entrer votre Indicatif\r\n\r\n"
                "Pour cela dans la barre des menus allez dans Station puis Nouvel Indicatif."));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("a"));
        QCOMPARE(m_modele->focus(), M::Ind_A);
    }

    void callsignFillsDepartmentAndFirstName()
    {
        QVERIFY(writeBytes(m_dir->filePath("Liste_Prenom.txt"), "F5XYZ        77 jean\r\n"));
        type(M::Ind_A, "f5xyz");
        QCOMPARE(m_modele->etat(M::Dpt_A).texte, QStringLiteral("77"));
        QCOMPARE(m_modele->etat(M::Prenom_A).texte, QStringLiteral("JEAN"));
        QCOMPARE(m_modele->focus(), M::Prenom_A);
    }

    void duplicateWindmillPerGroup_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<bool>("warned");
        QTest::newRow("same band") << 10 << true; // 144 Mhz
        QTest::newRow("432") << 11 << false;
        QTest::newRow("14") << 4 << false;
        QTest::newRow("10 never") << 3 << false;
    }
    void duplicateWindmillPerGroup()
    {
        QFETCH(int, band);
        QFETCH(bool, warned);
        QString ligne = kAncien;
        ligne.replace("14 Mhz ", "144 Mhz").replace("91005", "77121").replace("91   ", "77   ");
        QVERIFY(writeBytes(logPath(), ligne.toLatin1() + "\r\n"));
        m_reglages->writeIndex(Reglages::Section_Station("F1ABC"), Reglages::Bande_Utilisee, band);
        m_modele->Prepare_Saisie();
        type(M::Ind_A, "F6NEW");
        enter(M::Prenom_A);
        type(M::Dpt_A, "77");
        type(M::Ref_A, "77121");
        if (warned) {
            QCOMPARE(m_messages.lastText(),
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

    void automaticPathTakesTheClock()
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
    void automaticPathReadsTheClockThen_data()
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
    void automaticPathReadsTheClockThen()
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

    void manualPathWhenInsertingOrEditing_data()
    {
        QTest::addColumn<bool>("dateAuto");
        QTest::addColumn<bool>("insertion");
        QTest::newRow("manual mode") << false << false;
        QTest::newRow("insertion in automatic mode") << true << true;
    }
    void manualPathWhenInsertingOrEditing()
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

    void rememberedModeAndBand()
    {
        const QString section = Reglages::Section_Station("F1ABC");
        m_modele->Change_Index(M::Mode_A, 1, "CW");
        type(M::Mode_A, "x", false); // index before the key
        QCOMPARE(m_reglages->read(section, Reglages::Mode_Utilise, "?"), QStringLiteral("1"));
        m_modele->Change_Index(M::Mode_A, 2, "FM");
        m_modele->Change_Texte(M::Mode_A, "");
        enter(M::Mode_A); // refused: nothing written
        QCOMPARE(m_reglages->read(section, Reglages::Mode_Utilise, "?"), QStringLiteral("1"));
        m_modele->Change_Index(M::Bande_A, 10, "144 Mhz");
        enter(M::Bande_A);
        QCOMPARE(m_reglages->read(section, Reglages::Bande_Utilisee, "?"), QStringLiteral("10"));

        // While editing nothing is remembered.
        QVERIFY(writeBytes(logPath(), kAncien.toLatin1() + "\r\n"));
        m_hote.Recharge_Liste();
        m_modele->Double_Clic();
        m_modele->Change_Index(M::Mode_A, 0, "SSB");
        type(M::Mode_A, "s", false);
        QCOMPARE(m_reglages->read(section, Reglages::Mode_Utilise, "?"), QStringLiteral("1"));

        m_modele->Prepare_Saisie();
        QCOMPARE(m_modele->etat(M::Mode_A).texte, QStringLiteral("CW"));
        QCOMPARE(m_modele->etat(M::Bande_A).texte, QStringLiteral("144 Mhz"));
    }

    // The band and mode chosen for one QSO, however chosen, are those of the
    // next QSOs, after the program is started again too.
    void rememberedBandAndModeForTheNextQsos_data()
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
    void rememberedBandAndModeForTheNextQsos()
    {
        QFETCH(QString, band);
        QFETCH(QString, mode);
        QFETCH(bool, typed);
        const auto choisit = [&](M::Controle c, const QString& texte) {
            if (typed) {
                m_modele->Change_Texte(c, "");
                type(M::Controle(c), texte, c == M::Bande_A);
            } else {
                const QStringList& items = c == M::Bande_A ? Bandes() : Modes();
                m_modele->Change_Index(c, int(items.indexOf(texte)), texte);
                m_modele->Choix_Liste(c);
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
        for (int qso = 2; qso <= 3; ++qso) {
            if (qso == 3) { // the program started again
                delete m_modele;
                delete m_reglages;
                m_reglages = new SettingsStore(m_dir->filePath("kzt.ini"));
                m_modele = new EntryModel(m_dir->path(), *m_reglages, m_messages, m_horloge);
                m_hote.attache(m_modele);
                m_modele->Prepare_Saisie();
            }
            QCOMPARE(m_modele->etat(M::Bande_A).texte, bandeAttendue);
            QCOMPARE(m_modele->etat(M::Mode_A).texte, modeAttendu);
            typeQso(QString("F6NE%1").arg(qso), "78", QString("7812%1").arg(qso));
            m_modele->Valide_A_Click();
        }
        const QStringList lignes =
            QString::fromLatin1(logBytes()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 3);
        for (const QString& l : lignes) {
            QCOMPARE(LogLine::champ(l, LogLine::Bande), Texte::complete(bandeAttendue, 7));
            QCOMPARE(LogLine::champ(l, LogLine::Mode), Texte::complete(modeAttendu, 3));
        }
    }

    // A QSO refused by the button changes no file: log, first-name memory
    // and settings stay byte for byte as they were.
    void refusedQsoChangesNoFile_data()
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
    void refusedQsoChangesNoFile()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QVERIFY(writeBytes(logPath(), kAncien.toLatin1() + "\r\n"));
        QVERIFY(writeBytes(m_dir->filePath("Liste_Prenom.txt"), "F6OLD        77 PAUL\r\n"));
        m_hote.Recharge_Liste();
        if (field < 0) {
            m_hote.changeDateAuto(field == -2);
            if (field == -2)
                m_reglages->writeIndex(Reglages::Section_Station("F1ABC"), Reglages::Bande_Utilisee,
                                       -1);
            m_modele->Prepare_Saisie();
            typeQso("F6NEW", "77", "77121", text, "10:00");
            QCOMPARE(m_modele->focus(), M::Valide_A);
        } else {
            m_modele->Double_Clic(); // the button is reached without the Enter rules
            m_modele->Change_Texte(M::Controle(field), text);
        }
        const QString section = Reglages::Section_Station("F1ABC");
        const QStringList reglages = {m_reglages->read(section, Reglages::Mode_Utilise, "?"),
                                      m_reglages->read(section, Reglages::Bande_Utilisee, "?")};
        QMap<QString, QByteArray> avant;
        for (const QString& nom : QDir(m_dir->path()).entryList(QDir::Files))
            avant.insert(nom, readBytes(m_dir->filePath(nom)));
        m_messages.clear();
        m_modele->Valide_A_Click();
        QVERIFY2(m_messages.lastText().contains(message), qPrintable(m_messages.lastText()));
        QMap<QString, QByteArray> apres;
        for (const QString& nom : QDir(m_dir->path()).entryList(QDir::Files))
            apres.insert(nom, readBytes(m_dir->filePath(nom)));
        QCOMPARE(apres, avant);
        QCOMPARE(m_reglages->read(section, Reglages::Mode_Utilise, "?"), reglages.at(0));
        QCOMPARE(m_reglages->read(section, Reglages::Bande_Utilisee, "?"), reglages.at(1));
        QVERIFY(m_modele->etat(M::Valide_A).actif); // kept for a correction
    }

    void savesInTheOrderTheModeAsks_data()
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
    void savesInTheOrderTheModeAsks()
    {
        QFETCH(bool, dateAuto);
        QFETCH(bool, insertion);
        QFETCH(int, place);
        QVERIFY(writeBytes(logPath(), kAncien.toLatin1() + "\r\n"));
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
        QCOMPARE(m_messages.shown().first().buttons, MessageBox::YesNo);
        const QStringList lignes =
            QString::fromLatin1(logBytes()).split("\r\n", Qt::SkipEmptyParts);
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
                 dateAuto ? QString()
                          : Affichage::Champs_Depuis_Affichage(m_hote.liste.last()).date);
        QCOMPARE(readBytes(m_dir->filePath("Liste_Prenom.txt")),
                 QByteArray("F6NEW        77 \r\n"));
    }

    void answeringNoStoresNothing()
    {
        typeQso("F6NEW", "77", "77121");
        m_messages.queue(MessageBox::AnswerNo);
        m_modele->Valide_A_Click();
        QCOMPARE(logBytes(), QByteArray());
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
        QVERIFY(!m_modele->etat(M::Valide_A).actif);
    }

    void fieldTooLongForItsColumnIsRefusedAndKept()
    {
        typeQso("F6NEW", "77", "77121");
        m_modele->Change_Texte(M::Mode_A, "OLIVIA");
        m_modele->Change_Texte(M::Prenom_A, "paul");
        m_modele->Change_Texte(M::Rem_A, "  moulin de la galette et de ses environs ");
        m_modele->Valide_A_Click();
        QVERIFY2(m_messages.lastText().contains("mode"), qPrintable(m_messages.lastText()));
        QCOMPARE(logBytes(), QByteArray());
        QVERIFY(!QFile::exists(m_dir->filePath("Liste_Prenom.txt")));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F6NEW"));
        QCOMPARE(m_modele->etat(M::Mode_A).texte, QStringLiteral("OLIVIA"));
        QCOMPARE(m_modele->etat(M::Prenom_A).texte, QStringLiteral("paul"));
        QCOMPARE(m_modele->etat(M::Rem_A).texte,
                 QStringLiteral("  moulin de la galette et de ses environs "));
        QVERIFY(m_modele->etat(M::Valide_A).actif);
    }

    void failedStoreKeepsTheQso()
    {
        typeQso("F6NEW", "77", "77121");
        QVERIFY(QFile::remove(logPath()));
        QVERIFY(QDir(m_dir->path()).mkdir("F1ABC_KZT.log")); // the log cannot be read
        m_modele->Valide_A_Click();
        QVERIFY(!m_messages.lastText().isEmpty());
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F6NEW"));
        QCOMPARE(m_modele->etat(M::Ref_A).texte, QStringLiteral("77121"));
        QVERIFY(m_modele->etat(M::Valide_A).actif);
    }

    void editReplacesTheQso()
    {
        QVERIFY(writeBytes(logPath(), kAncien.toLatin1() + "\r\n"));
        m_hote.Recharge_Liste();
        QVERIFY(m_modele->etat(M::QSL_A).coche);
        m_modele->Double_Clic();
        QCOMPARE(m_modele->Mode_Aff(), QStringLiteral("Modification QSO"));
        for (M::Controle c : {M::Ind_A, M::Date_A, M::Mode_A, M::QSL_A, M::Valide_A})
            QVERIFY(m_modele->etat(c).actif);
        // The list is locked: another selection changes nothing.
        m_modele->Selection(Affichage::Ligne_Affichage(9, kAncien).replace("F5XYZ", "F9ZZZ"));
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QStringLiteral("F5XYZ"));
        m_modele->Change_Texte(M::Prenom_A, "paul");
        m_modele->Change_Texte(M::Rem_A, "  moulin neuf  ");
        m_modele->Ajout_QSO_Click(); // still a replacement
        m_modele->Valide_A_Click();
        QString attendu = kAncien;
        attendu.replace("MARC", "PAUL").replace("MOULIN DE JEAN", "MOULIN NEUF   ");
        QCOMPARE(logBytes(), attendu.toLatin1() + "\r\n");
        QVERIFY(!m_modele->Liste_Verrouillee());
    }

    void deletion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deletion()
    {
        QFETCH(bool, yes);
        const QByteArray avant = kAncien.toLatin1() + "\r\n" + kAncien.toLatin1() + "\r\n";
        QVERIFY(writeBytes(logPath(), avant));
        m_hote.Recharge_Liste();
        m_messages.queue(yes ? MessageBox::AnswerYes : MessageBox::AnswerNo);
        m_modele->Annule_Saisie_Click();
        QCOMPARE(m_messages.lastText(), QStringLiteral("Voulez vous Supprimer ce QSO ?"));
        QCOMPARE(logBytes(), yes ? QByteArray() : avant);
        QVERIFY(!m_modele->etat(M::Annule_Saisie).actif);
        QCOMPARE(m_modele->etat(M::Ind_A).texte, QString());
    }

    void nothingSelected()
    {
        m_modele->Double_Clic();
        QCOMPARE(m_messages.lastText(), QStringLiteral("Cliquez sur une ligne pour l'editer"));
        m_modele->Annule_Saisie_Click();
        QCOMPARE(m_messages.lastText(), QStringLiteral("Cliquez sur une ligne pour l'effacerer"));
    }

    void clearingAnEditUnlocksTheList()
    {
        QVERIFY(writeBytes(logPath(), kAncien.toLatin1() + "\r\n"));
        m_hote.Recharge_Liste();
        m_modele->Double_Clic();
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
        QCOMPARE(logBytes(), kAncien.toLatin1() + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestEntryModel)
#include "tst_entrymodel.moc"
