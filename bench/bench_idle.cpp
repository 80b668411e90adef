// The processor time of the program left alone, with the system's clock and
// its real timers, in four states: no hunt; the hunt's window open and
// connected to a quiet node on loopback; "Se connecter au démarrage" ticked
// and the hunt running without its window; a radio (hamlib's rigctld -m 1)
// read every 500 ms. Each state runs in a process of its own, started, left
// 2 s to settle, then measured over the given time; the figure is the share
// of one core the process used (user and system time over elapsed time).
// The node runs in the measured process: its cost, nearly nothing while
// quiet, is counted; rigctld's own is not.
//
//   bench_idle [seconds]      (default 30)
//   bench_idle --state <1-4> <seconds>     one state, printed as a percentage

#include "Depart.h"
#include "core/app/Reglages.h"
#include "core/app/Services.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/app/Main.h"
#include "support/BoiteMessageScriptee.h"
#include "support/NoeudCluster.h"
#include "support/Rigctld.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/resource.h>

namespace {

const char* const kEtats[] = {"sans chasse", "chasse connectée, calme",
                              "connexion au démarrage, sans fenêtre",
                              "radio lue toutes les 500 ms"};

double tempsProcesseurS()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

void attends(int ms)
{
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// One state in this process: the share of a core used, in percent.
int mesure(int etat, int secondes)
{
    QTemporaryDir dossier;
    QTemporaryDir reglagesDir;
    StockReglages reglages(reglagesDir.filePath(QStringLiteral("KZT.ini")));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    QFile(QDir(dossier.path()).filePath(QStringLiteral("FXXXX.txt"))).open(QIODevice::WriteOnly);
    const QString station = QStringLiteral("F1ABC");
    reglages.ecrit(Reglages::sectionGlobale, Reglages::indicatifStation, station);
    QFile log(QDir(dossier.path()).filePath(station + QStringLiteral("_KZT.log")));
    if (!log.open(QIODevice::WriteOnly))
        return 1;
    log.close();

    NoeudCluster noeud;
    Rigctld rigctld;
    if (etat == 2 || etat == 3) {
        if (!noeud.demarre())
            return 1;
        reglages.ecrit(QStringLiteral("Cluster"), QStringLiteral("Hote"),
                       QStringLiteral("127.0.0.1"));
        reglages.ecrit(QStringLiteral("Cluster"), QStringLiteral("Port"),
                       QString::number(noeud.port()));
        if (etat == 3)
            reglages.ecrit(QStringLiteral("Cluster"), QStringLiteral("AuDemarrage"),
                           QStringLiteral("Oui"));
    }
    if (etat == 4) {
        if (!rigctld.demarre())
            return 1;
        reglages.ecrit(QStringLiteral("Radio"), QStringLiteral("Modele"), QStringLiteral("2"));
        reglages.ecrit(QStringLiteral("Radio"), QStringLiteral("Port"), rigctld.adresse());
        reglages.ecrit(QStringLiteral("Radio"), QStringLiteral("Intervalle"),
                       QStringLiteral("500"));
    }
    Services services{dossier.path(), reglages, horloge, messages, [] {}};
    Main fenetre(services);
    if (!fenetre.demarreProgramme())
        return 1;
    fenetre.show();
    if (etat == 2)
        fenetre.findChild<QAction*>(QStringLiteral("Mnu_Chasse"))->trigger();
    attends(2000);
    const double debut = tempsProcesseurS();
    const qint64 debutNs = maintenantNs();
    attends(secondes * 1000);
    const double cpu = tempsProcesseurS() - debut;
    const double ecoule = double(maintenantNs() - debutNs) / 1e9;
    std::printf("%d\n", int(cpu / ecoule * 10000.0 + 0.5));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--state") == 0)
        return mesure(std::atoi(argv[2]), std::atoi(argv[3]));
    const int secondes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    std::printf("Idle processor time over %d s, share of one core:\n", secondes);
    for (int etat = 1; etat <= 4; ++etat) {
        const QList<QByteArray> lus =
            relance({"--state", QByteArray::number(etat), QByteArray::number(secondes)}, 1,
                    kEtats[etat - 1]);
        std::printf("  %-40s %6.2f %%\n", kEtats[etat - 1], lus.at(0).toDouble() / 100.0);
        std::fflush(stdout);
    }
    return 0;
}
