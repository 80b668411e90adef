// Times of the station log store on logs of 1,000, 10,000 and 99,999 QSOs:
// reading the log for the list (and making every display line at once), and
// each rewrite beside a plain copy of the same file with fsync.
//
//   bench_store [folder]     (default: a temporary folder)

#include "LogBanc.h"
#include "core/log/StationLog.h"

#include <QByteArray>
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

void copieSynchroniseeFsync(const QString& from, const QString& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("copy failed");
    out.write(in.readAll());
    out.flush();
    ::fsync(out.handle());
}

void check(const Statut& s)
{
    if (!s.isOk())
        qFatal("%s", qPrintable(s.message));
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    QDir().mkpath(folder);

    std::printf("%-8s %10s %10s %10s %10s %10s %10s %10s  %s\n", "QSOs", "load", "all lines",
                "copy+fsync", "append", "chrono", "replace", "delete", "worst rewrite / copy");
    for (int size : {1000, 10000, 99999}) {
        const QByteArray content = LogBanc::fichier(size, 2);
        StationLog log(folder, QStringLiteral("BENCH"));
        QFile file(log.chemin());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(content) != content.size())
            qFatal("cannot write the log");
        file.close();

        const int runs = size > 50000 ? 5 : 11;
        qsizetype shown = 0;
        const double load =
            LogBanc::medianeMs(runs, [&] { shown = log.Charge_Log().affichage.size(); });
        if (shown != size)
            qFatal("load gave %lld lines", static_cast<long long>(shown));
        // Every display line made, as a search over the whole list does.
        const double tout = LogBanc::medianeMs(
            runs, [&] { shown = log.Charge_Log().affichage.versListe().size(); });
        const double copy = LogBanc::medianeMs(runs, [&] {
            copieSynchroniseeFsync(log.chemin(), QDir(folder).filePath(QStringLiteral("copy.txt")));
        });

        const QString extra = ligneQso(1); // earliest moment: chrono puts it first
        const QString middle = ligneQso(size);
        const QString changed =
            QString(middle).replace(QStringLiteral("JEAN"), QStringLiteral("PAUL"));
        // Each operation is timed alone; its inverse puts the log back between runs.
        const auto timed = [&](const std::function<void()>& op, const std::function<void()>& undo) {
            std::vector<double> times;
            for (int i = 0; i < runs; ++i) {
                QElapsedTimer t;
                t.start();
                op();
                times.push_back(double(t.nsecsElapsed()) / 1e6);
                undo();
            }
            std::sort(times.begin(), times.end());
            return times[times.size() / 2];
        };
        const double append = timed([&] { check(log.Enregistre_QSO(extra)); },
                                    [&] { check(log.Supprime_QSO(extra)); });
        const double chrono = timed([&] { check(log.Insere_QSO_Chrono(ligneQso(size + 1))); },
                                    [&] { check(log.Supprime_QSO(ligneQso(size + 1))); });
        const double replace = timed([&] { check(log.Remplace_QSO(changed, middle)); },
                                     [&] { check(log.Remplace_QSO(middle, changed)); });
        check(log.Enregistre_QSO(extra));
        const double remove = timed([&] { check(log.Supprime_QSO(extra)); },
                                    [&] { check(log.Enregistre_QSO(extra)); });
        const double worst = std::max({append, chrono, replace, remove});
        std::printf("%-8d %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms %8.2fms  %.2f\n", size,
                    load, tout, copy, append, chrono, replace, remove, worst / copy);
        QFile::remove(log.chemin());
        QFile::remove(QDir(folder).filePath(QStringLiteral("copy.txt")));
    }
    return 0;
}
