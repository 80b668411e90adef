#include "LigneCommande.h"

#include "Version.h"

#include <QDir>

namespace LigneCommande {

namespace {

QString version()
{
    return QStringLiteral("RQN_KZT") + Version::Texte + QLatin1Char('\n');
}

QString aide(const QString& dossier, const QString& reglages)
{
    return QStringLiteral("Utilisation : RQN_KZT [--help | --version]\n"
                          "Carnet de trafic du diplôme KZT : les moulins des départements "
                          "français.\n"
                          "\n"
                          "  -h, --help     affiche cette aide et termine\n"
                          "  -v, --version  affiche la version et termine\n"
                          "\n"
                          "Logs et sauvegardes : %1\n"
                          "Réglages : %2\n"
                          "Dans le programme, F1 ouvre l'aide.\n")
        .arg(QDir::toNativeSeparators(dossier), QDir::toNativeSeparators(reglages));
}

// The options that Qt reads from the command line of a widget program on
// Linux (its core, its GUI part with the X11 and Wayland platforms, its
// widgets), each with whether the next argument is its value. Qt takes them
// with one dash or two.
struct OptionQt {
    const char* nom;
    bool valeur;
};
constexpr OptionQt kOptionsQt[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"geometry", true},
    {"qwindowtitle", true},    {"title", true},
    {"qwindowicon", true},     {"icon", true},
    {"display", true},         {"name", true},
    {"session", true},         {"style", true},
    {"stylesheet", true},      {"visual", true},
    {"reverse", false},        {"nograb", false},
    {"dograb", false},         {"sync", false},
    {"widgetcount", false},    {"testability", false},
    {"qmljsdebugger", false},
};

// The Qt option that the argument is, or none.
const OptionQt* optionQt(const QString& argument)
{
    QString nom = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    // -style=fusion, -qmljsdebugger=port:1234: the value in the argument.
    const qsizetype egal = nom.indexOf(QLatin1Char('='));
    if (egal >= 0)
        nom.truncate(egal);
    for (const OptionQt& o : kOptionsQt) {
        if (nom == QLatin1String(o.nom))
            return &o;
    }
    return nullptr;
}

} // namespace

Reponse lit(const QStringList& arguments, const QString& dossier, const QString& reglages)
{
    QString inconnue;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        // What follows "--" is not an option.
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--version") || a == QLatin1String("-v"))
            return {true, version()};
        if (a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("-?"))
            return {true, aide(dossier, reglages)};
        if (a.size() < 2 || !a.startsWith(QLatin1Char('-')))
            continue;
        if (const OptionQt* o = optionQt(a)) {
            // Its value is not an option, whatever it looks like.
            if (o->valeur && !a.contains(QLatin1Char('=')))
                ++i;
            continue;
        }
        // A later --help or --version still answers.
        if (inconnue.isEmpty())
            inconnue = a;
    }
    if (!inconnue.isEmpty()) {
        return {true,
                QStringLiteral("RQN_KZT : option inconnue « %1 »\n\n").arg(inconnue) +
                    aide(dossier, reglages),
                2};
    }
    return {};
}

} // namespace LigneCommande
