#include "Systeme.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#ifdef __linux__
#include <csignal>
#include <sys/prctl.h>
#endif

namespace Systeme {

QString exemplePortSerie()
{
    return QStringLiteral("/dev/ttyUSB0");
}

bool renommeSurFichierOuvert()
{
    return true;
}

bool pagesDansLeProgramme()
{
    return true;
}

QString dossierHamlib()
{
    return QStringLiteral("/usr/bin");
}

QStringList portsSerie()
{
    // The stable names first (they survive a replug), then the plain ones.
    QStringList ports;
    const QDir parId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& f : parId.entryInfoList(QDir::System | QDir::Files, QDir::Name))
        ports << f.absoluteFilePath();
    const QDir dev(QStringLiteral("/dev"));
    for (const QString& nom : dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                            QDir::System, QDir::Name))
        ports << dev.absoluteFilePath(nom);
    return ports;
}

void prepareAuxiliaire(QProcess& processus)
{
#ifdef __linux__
    // Killed when the thread that started it ends, the program's end
    // included, even one that does not run its clean-up.
    processus.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#else
    Q_UNUSED(processus);
#endif
}

void lieAuxiliaire(QProcess& processus)
{
    Q_UNUSED(processus);
}

void finDuProcessus(int) {}

} // namespace Systeme
