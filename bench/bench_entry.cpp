// Time of one saved QSO on a log of 10,000 QSOs: from "Valider le QSO"
// confirmed to the list reloaded with its last line selected, in the main
// window (offscreen unless a display platform is asked for). Automatic date
// (append) and manual date (date order) are timed apart.
//
//   bench_entry

#include "BenchLog.h"
#include "core/app/SettingsKeys.h"
#include "core/platform/Clock.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"
#include "gui/app/Main.h"
#include "gui/entry/EntryBinding.h"
#include "gui/entry/LogList.h"
#include "support/ScriptedMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using BenchLog::qso;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dossier;
    SettingsStore reglages(dossier.filePath(QStringLiteral("KZT.ini")));
    SetClock horloge(QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC));
    ScriptedMessageBox messages; // answers Yes
    reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, QStringLiteral("BENCH"));

    constexpr int kQsos = 10000;
    const QByteArray contenu = BenchLog::fichier(kQsos, 2);
    QFile f(QDir(dossier.path()).filePath(QStringLiteral("BENCH_KZT.log")));
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        return 1;
    f.close();

    Main fenetre({dossier.path(), reglages, horloge, messages, [] {}});
    if (!fenetre.Demarre())
        return 1;
    EntryBinding& liaison = *fenetre.Liaison_Saisie();
    EntryModel& m = liaison.modele();
    QAction* dateAuto = fenetre.findChild<QAction*>(QStringLiteral("Mnu_Date_Auto"));

    std::printf("%-28s %10s %10s\n", "save of one QSO (10,000)", "median", "max");
    for (bool automatique : {true, false}) {
        dateAuto->setChecked(automatique);
        std::vector<double> temps;
        for (int i = 0; i < 21; ++i) {
            // The fields as the Enter rules leave them, then the button.
            const QString ligne = qso(automatique ? 3 * kQsos + i : 2 * i + 1);
            m.Change_Texte(EntryModel::Ind_A, ligne.left(12).trimmed());
            m.Change_Texte(EntryModel::Dpt_A, QStringLiteral("77"));
            m.Change_Texte(EntryModel::Ref_A, ligne.mid(34, 5));
            m.Change_Texte(EntryModel::Date_A, ligne.mid(40, 8));
            m.Change_Texte(EntryModel::Heure_A, ligne.mid(49, 5));
            m.Change_Index(EntryModel::Mode_A, 0, QStringLiteral("SSB"));
            m.Change_Index(EntryModel::Bande_A, 4, QStringLiteral("14 Mhz"));
            QElapsedTimer t;
            t.start();
            m.Valide_A_Click();
            temps.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf("%-28s %8.2fms %8.2fms\n",
                    automatique ? "automatic date (append)" : "manual date (date order)",
                    BenchLog::mediane(temps), *std::max_element(temps.begin(), temps.end()));
    }
    return messages.shown().size() == 42 ? 0 : 2;
}
