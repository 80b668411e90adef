#pragma once

#include <QString>
#include <QStringList>

// The options the program answers before any window, so that they work
// without a display: --version and --help (-v, -h). The options of Qt
// (-platform, -style...) are left to Qt; any other option is refused with the
// usage, before a display is looked for. Arguments that are no options are
// left as they are.
namespace LigneCommande {

struct Reponse {
    bool termine = false; // the program prints `texte` and ends with `code`
    QString texte;
    int code = 0; // 2: a wrong command line, `texte` goes to the error output
};

// `arguments` without the program's name; `dossier` and `reglages` are the
// program folder and the settings file, named in the help.
Reponse lit(const QStringList& arguments, const QString& dossier, const QString& reglages);

} // namespace LigneCommande
