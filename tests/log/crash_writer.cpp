// Saves QSOs into the log of station CRASH in the given folder, one after
// the other, until it is killed. QSO n is always the same line, and every
// save appends it (alternately by leading number and in date order), so the
// log after n saves is always the first n lines.
#include "CrashLines.h"
#include "log/StationLog.h"

#include <QByteArray>
#include <QFile>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    StationLog log(QString::fromLocal8Bit(argv[1]), QStringLiteral("CRASH"));
    QFile file(log.chemin());
    if (!file.open(QIODevice::ReadOnly))
        return 3;
    int n = int(file.readAll().count('\n'));
    file.close();
    for (;;) {
        ++n;
        const Status s = n % 2 ? log.Enregistre_QSO(CrashLines::line(n))
                               : log.Insere_QSO_Chrono(CrashLines::line(n));
        if (!s.isOk())
            return 4;
    }
}
