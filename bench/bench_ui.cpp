// Time to load a log into the list of the main window and select its last
// line, on logs of 1,000, 10,000 and 99,999 QSOs, with the window shown
// (offscreen unless a display platform is asked for). The load is the one
// every save and every change of station runs.
//
//   bench_ui

#include "LogBanc.h"
#include "core/app/Reglages.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "gui/entry/ListeLog.h"
#include "support/BoiteMessageScriptee.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <vector>

using LogBanc::mediane;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication programme(argc, argv);

    QTemporaryDir dossier;
    StockReglages reglages(QDir(dossier.path()).filePath(QStringLiteral("KZT.ini")));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    const Services services{dossier.path(), reglages, horloge, messages, [] {}};
    reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, QStringLiteral("F1ABC"));

    std::printf("%-8s %12s %12s %18s\n", "QSOs", "median ms", "max ms", "with repaint ms");
    for (const int lignes : {1000, 10000, 99999}) {
        QFile f(QDir(dossier.path()).filePath(QStringLiteral("F1ABC_KZT.log")));
        f.open(QIODevice::WriteOnly);
        f.write(LogBanc::fichier(lignes));
        f.close();

        Main fenetre(services);
        if (!fenetre.demarreProgramme())
            return 1;
        programme.processEvents();

        std::vector<double> temps;
        std::vector<double> avecDessin;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer chrono;
            chrono.start();
            fenetre.Charge_Log();
            fenetre.listeLog()->selectionneDerniere();
            temps.push_back(chrono.nsecsElapsed() / 1e6);
            fenetre.listeLog()->Liste_KZT->viewport()->repaint();
            avecDessin.push_back(chrono.nsecsElapsed() / 1e6);
        }
        if (fenetre.listeLog()->indexSelection() != lignes - 1)
            return 1;
        std::printf("%-8d %12.1f %12.1f %18.1f\n", lignes, mediane(temps),
                    *std::max_element(temps.begin(), temps.end()), mediane(avecDessin));
    }
    return 0;
}
