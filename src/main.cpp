#include "gui/app/Main.h"
#include "core/app/Instance.h"
#include "core/platform/Clock.h"
#include "core/platform/SettingsStore.h"
#include "gui/platform/WidgetMessageBox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    // The platform's own dialogs (printer choice, text box menus) in French,
    // like the rest of the program.
    QTranslator qtFrancais;
    if (qtFrancais.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrancais);

    WidgetMessageBox messages;
    const QString dossier = QCoreApplication::applicationDirPath();
    Instance instance(dossier);
    if (!instance.Prend(messages))
        return 1;

    SettingsStore reglages;
    SystemClock horloge;
    // Start-up may end the program before the event loop runs (a missing or
    // unreadable log): the flag tells, since there is no loop to leave yet.
    bool termine = false;
    const Services services{dossier, reglages, horloge, messages, [&termine] {
                                termine = true;
                                QCoreApplication::exit(0);
                            }};

    Main fenetre(services);
    if (!fenetre.Demarre() || termine)
        return 0;
    return app.exec();
}
