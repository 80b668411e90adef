#pragma once

#include <QString>
#include <QStringList>

// The options the program answers before any window, so that they work
// without a display: --version and --help (-v, -h). Every other argument is
// left to Qt (-platform, -style...).
namespace LigneCommande {

struct Reponse {
    bool termine = false; // the program prints `texte` and ends
    QString texte;
};

// `arguments` without the program's name; `dossier` and `reglages` are the
// program folder and the settings file, named in the help.
Reponse lit(const QStringList& arguments, const QString& dossier, const QString& reglages);

} // namespace LigneCommande
