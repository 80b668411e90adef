// Time of one saved QSO on a log of 10,000 QSOs: from "Valider le QSO"
// confirmed to the list reloaded with its last line selected, in the main
// window (offscreen unless a display platform is asked for). Automatic date
// (append) and manual date (date order) are timed apart.
//
//   bench_entry

#include "LogBanc.h"
#include "core/app/Reglages.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "gui/entry/LiaisonSaisie.h"
#include "gui/entry/ListeLog.h"
#include "support/BoiteMessageScriptee.h"
#include "support/HorlogeReglee.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using LogBanc::ligneQso;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication programme(argc, argv);
    QTemporaryDir dossier;
    StockReglages reglages(dossier.filePath(QStringLiteral("KZT.ini")));
    HorlogeReglee horloge(QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC));
    BoiteMessageScriptee messages; // answers Yes
    reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, QStringLiteral("BENCH"));

    constexpr int kNombreQsos = 10000;
    const QByteArray contenu = LogBanc::fichier(kNombreQsos, 2);
    QFile f(QDir(dossier.path()).filePath(QStringLiteral("BENCH_KZT.log")));
    if (!f.open(QIODevice::WriteOnly) || f.write(contenu) != contenu.size())
        return 1;
    f.close();

    Main fenetre({dossier.path(), reglages, horloge, messages, [] {}});
    if (!fenetre.demarreProgramme())
        return 1;
    LiaisonSaisie& liaison = *fenetre.liaisonSaisie();
    ModeleSaisie& m = liaison.modele();
    QAction* dateAuto = fenetre.findChild<QAction*>(QStringLiteral("Mnu_Date_Auto"));

    std::printf("%-28s %10s %10s\n", "save of one QSO (10,000)", "median", "max");
    for (bool automatique : {true, false}) {
        dateAuto->setChecked(automatique);
        std::vector<double> temps;
        for (int i = 0; i < 21; ++i) {
            // The fields as the Enter rules leave them, then the button.
            const QString ligne = ligneQso(automatique ? 3 * kNombreQsos + i : 2 * i + 1);
            m.changeTexte(ModeleSaisie::Ind_A, ligne.left(12).trimmed());
            m.changeTexte(ModeleSaisie::Dpt_A, QStringLiteral("77"));
            m.changeTexte(ModeleSaisie::Ref_A, ligne.mid(34, 5));
            m.changeTexte(ModeleSaisie::Date_A, ligne.mid(40, 8));
            m.changeTexte(ModeleSaisie::Heure_A, ligne.mid(49, 5));
            m.changeIndex(ModeleSaisie::Mode_A, 0, QStringLiteral("SSB"));
            m.changeIndex(ModeleSaisie::Bande_A, 4, QStringLiteral("14 Mhz"));
            QElapsedTimer t;
            t.start();
            m.Valide_A_Click();
            temps.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf("%-28s %8.2fms %8.2fms\n",
                    automatique ? "automatic date (append)" : "manual date (date order)",
                    LogBanc::mediane(temps), *std::max_element(temps.begin(), temps.end()));
    }
    return messages.affichees().size() == 42 ? 0 : 2;
}
