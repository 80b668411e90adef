#include "Systeme.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include <algorithm>

#include <windows.h>

#include <cstdio>

namespace Systeme {

QString exemplePortSerie()
{
    return QStringLiteral("COM3");
}

bool renommeSurFichierOuvert()
{
    return false;
}

bool pagesDansLeProgramme()
{
    return false;
}

QString dossierHamlib()
{
    // hamlib's installer puts it in a folder named after its version
    // (hamlib-w64-4.5.5): the most recent one that holds rigctld.
    const QString programmes = qEnvironmentVariable("ProgramFiles");
    if (programmes.isEmpty())
        return QString();
    const QDir dossier(programmes);
    const QStringList hamlibs =
        dossier.entryList({QStringLiteral("hamlib*")}, QDir::Dirs, QDir::Name | QDir::Reversed);
    for (const QString& nom : hamlibs) {
        const QString bin = dossier.absoluteFilePath(nom + QStringLiteral("/bin"));
        if (QFileInfo::exists(bin + QStringLiteral("/rigctld.exe")))
            return QDir::toNativeSeparators(bin);
    }
    return QString();
}

QStringList portsSerie()
{
    // The serial ports in use by the system's drivers, as the device
    // manager lists them: one value for each, named COMn.
    const QSettings registre(QStringLiteral("HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM"),
                             QSettings::NativeFormat);
    QStringList ports;
    for (const QString& cle : registre.childKeys()) {
        const QString port = registre.value(cle).toString().trimmed();
        if (!port.isEmpty() && !ports.contains(port))
            ports << port;
    }
    // COM10 after COM9.
    std::sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return ports;
}

namespace {

// Every helper is in this job: when the program ends, however it ends, the
// system closes the job's handle and ends them.
HANDLE travailAuxiliaires()
{
    static const HANDLE travail = [] {
        HANDLE h = ::CreateJobObjectW(nullptr, nullptr);
        if (h) {
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limites = {};
            limites.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            ::SetInformationJobObject(h, JobObjectExtendedLimitInformation, &limites,
                                      sizeof(limites));
        }
        return h;
    }();
    return travail;
}

} // namespace

void prepareAuxiliaire(QProcess& processus)
{
    processus.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* arguments) { arguments->flags |= CREATE_NO_WINDOW; });
}

void lieAuxiliaire(QProcess& processus)
{
    const HANDLE travail = travailAuxiliaires();
    if (!travail || processus.processId() == 0)
        return;
    const HANDLE h =
        ::OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(processus.processId()));
    if (h) {
        ::AssignProcessToJobObject(travail, h);
        ::CloseHandle(h);
    }
}

void finDuProcessus(int code)
{
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), UINT(code));
}

} // namespace Systeme
