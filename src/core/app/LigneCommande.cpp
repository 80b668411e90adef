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

} // namespace

Reponse lit(const QStringList& arguments, const QString& dossier, const QString& reglages)
{
    for (const QString& a : arguments) {
        // What follows "--" is not an option.
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--version") || a == QLatin1String("-v"))
            return {true, version()};
        if (a == QLatin1String("--help") || a == QLatin1String("-h") || a == QLatin1String("-?"))
            return {true, aide(dossier, reglages)};
    }
    return {};
}

} // namespace LigneCommande
