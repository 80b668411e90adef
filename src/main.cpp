#include "gui/app/Main.h"
#include "core/app/DossierProgramme.h"
#include "core/app/Instance.h"
#include "core/app/LigneCommande.h"
#include "core/platform/FilDeTravail.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/platform/BoiteMessageFenetre.h"
#include "gui/platform/TrousseauSysteme.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The folder of the executable, links followed (the packaged program is
// started through a link in /usr/bin), read before Qt is there.
QString dossierExecutable(const char* argv0)
{
#ifdef Q_OS_WIN
    wchar_t nom[32768];
    const DWORD taille = GetModuleFileNameW(nullptr, nom, DWORD(std::size(nom)));
    if (taille > 0 && taille < std::size(nom))
        return QFileInfo(QString::fromWCharArray(nom, int(taille))).absolutePath();
#endif
    const QFileInfo soi(QStringLiteral("/proc/self/exe"));
    const QString chemin = soi.exists() ? soi.canonicalFilePath() : QString::fromLocal8Bit(argv0);
    return QFileInfo(chemin).absolutePath();
}

int lance(int argc, char* argv[])
{
    // --help and --version answer before Qt looks for a display, and so does
    // an option that neither the program nor Qt knows.
    {
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        const QString executable = dossierExecutable(argv[0]);
        const LigneCommande::Reponse reponse = LigneCommande::lit(
            arguments,
            DossierProgramme::chemin(executable, DossierProgramme::dossierDeLUtilisateur()),
            StockReglages().nomDeFichier());
        if (reponse.termine) {
            // A wrong command line is said on the error output, with its code.
            std::FILE* sortie = reponse.code == 0 ? stdout : stderr;
            std::fputs(reponse.texte.toLocal8Bit().constData(), sortie);
            if (std::fflush(sortie) != 0 && reponse.code == 0)
                return 1;
            return reponse.code;
        }
    }

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("rqn-kzt"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kzt/rqn-kzt.png")));

    // The platform's own dialogs (printer choice, text box menus) in French,
    // like the rest of the program.
    QTranslator qtFrancais;
    if (qtFrancais.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtFrancais);

    BoiteMessageFenetre messages;
    const DossierProgramme::Resultat programme = DossierProgramme::prepare(
        QCoreApplication::applicationDirPath(), DossierProgramme::dossierDeLUtilisateur());
    if (!programme.statut) {
        messages.avise(programme.statut.message);
        return 1;
    }
    const QString dossier = programme.dossier;
    Instance instance(dossier);
    if (!instance.prend(messages))
        return 1;

    StockReglages reglages;
    HorlogeSysteme horloge;
    // Start-up may end the program before the event loop runs (a missing or
    // unreadable log): the flag tells, since there is no loop to leave yet.
    bool termine = false;
    TrousseauSysteme trousseau;
    const Services services{dossier,
                            reglages,
                            horloge,
                            messages,
                            [&termine] {
                                termine = true;
                                QCoreApplication::exit(0);
                            },
                            &trousseau};

    Main fenetre(services);
    if (!fenetre.demarreProgramme() || termine)
        return 0;
    return application.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // Everything has ended here, the program's folder released; a worker
    // thread still caught in a radio that never answers ends with the
    // process, now.
    return FilDeTravail::sortie(lance(argc, argv));
}
