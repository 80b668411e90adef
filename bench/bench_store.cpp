// Times of the station log store on logs of 1,000, 10,000 and 99,999 QSOs:
// reading the log for the list (and making every display line at once), and
// each rewrite beside a plain copy of the same file with fsync, and the second
// copy of the program folder (every log, read back) into another folder.
//
//   bench_store [folder]     (default: a temporary folder)

#include "LogBanc.h"
#include "core/log/CopieSecurite.h"
#include "core/log/StationLog.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using LogBanc::ligneQso;

namespace {

void copieSynchroniseeFsync(const QString& depuis, const QString& vers)
{
    QFile entree(depuis);
    QFile sortie(vers);
    if (!entree.open(QIODevice::ReadOnly) ||
        !sortie.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("copy failed");
    sortie.write(entree.readAll());
    sortie.flush();
    ::fsync(sortie.handle());
}

void verifieStatut(const Statut& s)
{
    if (!s.estOk())
        qFatal("%s", qPrintable(s.message));
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir temporaire;
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
    QDir().mkpath(dossier);

    std::printf("%-8s %10s %10s %10s %10s %10s %10s %10s %10s  %s\n", "QSOs", "load", "all lines",
                "copy+fsync", "append", "chrono", "replace", "delete", "2nd copy",
                "worst rewrite / copy");
    for (int taille : {1000, 10000, 99999}) {
        const QByteArray contenu = LogBanc::fichier(taille, 2);
        StationLog log(dossier, QStringLiteral("BENCH"));
        QFile fichierOuvert(log.chemin());
        if (!fichierOuvert.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            fichierOuvert.write(contenu) != contenu.size())
            qFatal("cannot write the log");
        fichierOuvert.close();

        const int executions = taille > 50000 ? 5 : 11;
        qsizetype affichees = 0;
        const double charge =
            LogBanc::medianeMs(executions, [&] { affichees = log.Charge_Log().affichage.size(); });
        if (affichees != taille)
            qFatal("load gave %lld lines", static_cast<long long>(affichees));
        // Every display line made, as a search over the whole list does.
        const double tout = LogBanc::medianeMs(
            executions, [&] { affichees = log.Charge_Log().affichage.versListe().size(); });
        const double copie = LogBanc::medianeMs(executions, [&] {
            copieSynchroniseeFsync(log.chemin(),
                                   QDir(dossier).filePath(QStringLiteral("copy.txt")));
        });

        const QString supplement = ligneQso(1); // earliest moment: chrono puts it first
        const QString milieu = ligneQso(taille);
        const QString changed =
            QString(milieu).replace(QStringLiteral("JEAN"), QStringLiteral("PAUL"));
        // Each operation is timed alone; its inverse puts the log back between runs.
        const auto chronometre = [&](const std::function<void()>& op,
                                     const std::function<void()>& annule) {
            std::vector<double> fois;
            for (int i = 0; i < executions; ++i) {
                QElapsedTimer t;
                t.start();
                op();
                fois.push_back(double(t.nsecsElapsed()) / 1e6);
                annule();
            }
            std::sort(fois.begin(), fois.end());
            return fois[fois.size() / 2];
        };
        const double ajout = chronometre([&] { verifieStatut(log.Enregistre_QSO(supplement)); },
                                         [&] { verifieStatut(log.Supprime_QSO(supplement)); });
        const double chrono =
            chronometre([&] { verifieStatut(log.Insere_QSO_Chrono(ligneQso(taille + 1))); },
                        [&] { verifieStatut(log.Supprime_QSO(ligneQso(taille + 1))); });
        const double replace =
            chronometre([&] { verifieStatut(log.Remplace_QSO(changed, milieu)); },
                        [&] { verifieStatut(log.Remplace_QSO(milieu, changed)); });
        verifieStatut(log.Enregistre_QSO(supplement));
        const double retire = chronometre([&] { verifieStatut(log.Supprime_QSO(supplement)); },
                                          [&] { verifieStatut(log.Enregistre_QSO(supplement)); });
        // The second copy: the folder's logs into a dated subfolder, read back.
        QTemporaryDir ailleurs;
        const CopieSecurite securite(dossier, QString());
        int copies = 0;
        const double seconde = LogBanc::medianeMs(executions, [&] {
            verifieStatut(securite.copie(
                ailleurs.path(), QDateTime(QDate(2026, 12, 8), QTime(10, 0)).addSecs(++copies)));
        });
        const double pire = std::max({ajout, chrono, replace, retire});
        std::printf("%-8d %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms  %.2f\n",
                    taille, charge, tout, copie, ajout, chrono, replace, retire, seconde,
                    pire / copie);
        QFile::remove(log.chemin());
        QFile::remove(QDir(dossier).filePath(QStringLiteral("copy.txt")));
    }
    return 0;
}
