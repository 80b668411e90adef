// Time to load a log into the list of the main window and select its last
// line, on logs of 1,000, 10,000 and 99,999 QSOs, with the window shown
// (offscreen unless a display platform is asked for). The load is the one
// every save and every change of station runs.
//
//   bench_ui

#include "app/LogList.h"
#include "app/Main.h"
#include "app/SettingsKeys.h"
#include "log/LogLine.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray log(int lignes)
{
    QByteArray contenu;
    contenu.reserve(qsizetype(lignes) * 109);
    for (int n = 1; n <= lignes; ++n) {
        LogLine::Champs c;
        c.indicatif = QStringLiteral("F%1").arg(n, 6, 10, QLatin1Char('0'));
        c.departement = QStringLiteral("77");
        c.prenom = QStringLiteral("JEAN");
        c.reference = QStringLiteral("77%1").arg(n % 1000, 3, 10, QLatin1Char('0'));
        c.date = QStringLiteral("01/02/08");
        c.heure = QStringLiteral("12:00");
        c.mode = QStringLiteral("SSB");
        c.bande = QStringLiteral("14 Mhz");
        c.rstRecu = QStringLiteral("59");
        c.rstEnvoye = QStringLiteral("59");
        c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE");
        c.qsl = n % 3 == 0;
        contenu += LogLine::forme(c).ligne.toLatin1() + "\r\n";
    }
    return contenu;
}

double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dossier;
    SettingsStore reglages(QDir(dossier.path()).filePath(QStringLiteral("KZT.ini")));
    SystemClock horloge;
    ScriptedMessageBox messages;
    const Services services{dossier.path(), reglages, horloge, messages, [] {}};
    reglages.write(Reglages::Section_Globale, Reglages::Indicatif_Station, QStringLiteral("F1ABC"));

    std::printf("%-8s %12s %12s %18s\n", "QSOs", "median ms", "max ms", "with repaint ms");
    for (const int lignes : {1000, 10000, 99999}) {
        QFile f(QDir(dossier.path()).filePath(QStringLiteral("F1ABC_KZT.log")));
        f.open(QIODevice::WriteOnly);
        f.write(log(lignes));
        f.close();

        Main fenetre(services);
        if (!fenetre.Demarre())
            return 1;
        app.processEvents();

        std::vector<double> temps;
        std::vector<double> avecDessin;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer chrono;
            chrono.start();
            fenetre.Charge_Log();
            fenetre.Liste()->Selectionne_Derniere();
            temps.push_back(chrono.nsecsElapsed() / 1e6);
            fenetre.Liste()->Liste_KZT->viewport()->repaint();
            avecDessin.push_back(chrono.nsecsElapsed() / 1e6);
        }
        if (fenetre.Liste()->Index_Selection() != lignes - 1)
            return 1;
        std::printf("%-8d %12.1f %12.1f %18.1f\n", lignes, mediane(temps),
                    *std::max_element(temps.begin(), temps.end()), mediane(avecDessin));
    }
    return 0;
}
