// Changes a file of the given folder, one change after the other, until it is
// killed or has made the number of changes asked for. After each change it
// writes the change's number on its output, so that the test knows which
// changes were reported done. The kinds of writer are described in
// LignesPlantage::state.
//
//   crash_writer <folder> <kind> <changes already made> [<last change>]
//   crash_writer <folder> stress <writer letter> <changes>
//
// The stress writer saves QSO n with callsign <letter> + n and remembers the
// first name of that callsign, alternately by leading number and in date
// order, both through the program folder's files that another writer uses at
// the same moment.
#include "LignesPlantage.h"
#include "core/log/FirstNameMemory.h"
#include "core/log/StationLog.h"

#include <QByteArray>
#include <cstdlib>

#include <cstdio>
#include <unistd.h>

namespace {

void rapport(int n)
{
    const QByteArray texte = QByteArray::number(n) + '\n';
    if (::write(1, texte.constData(), size_t(texte.size())) != texte.size())
        std::_Exit(5);
}

int echoue(const Statut& s)
{
    std::fprintf(stderr, "%s\n", s.message.toUtf8().constData());
    return 4;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        return 2;
    const QString dossier = QString::fromLocal8Bit(argv[1]);
    const QString mode = QString::fromLatin1(argv[2]);
    StationLog log(dossier, QStringLiteral("CRASH"));
    FirstNameMemory noms(dossier);

    if (mode == QLatin1String("stress")) {
        const QString lettre = QString::fromLatin1(argv[3]);
        const int changes = argc > 4 ? atoi(argv[4]) : 0;
        for (int n = 1; n <= changes; ++n) {
            const QString ligneQso = LignesPlantage::lignePlantage(n, lettre);
            Statut s = noms.Memorise_Prenom(FirstNameMemory::formeLigne(
                ligneQso.left(12).trimmed(), QStringLiteral("77"), QStringLiteral("JEAN")));
            if (s)
                s = n % 2 ? log.Enregistre_QSO(ligneQso) : log.Insere_QSO_Chrono(ligneQso);
            if (!s)
                return echoue(s);
            rapport(n);
        }
        return 0;
    }

    const int fait = atoi(argv[3]);
    const int dernier = argc > 4 ? atoi(argv[4]) : 1 << 30;
    // Ready: the test times its kill from here, whatever the start-up cost
    // (a sanitizer build starts much more slowly).
    rapport(fait);
    for (int s = fait + 1; s <= dernier; ++s) {
        Statut st;
        if (mode == QLatin1String("log")) {
            st = s % 2 ? log.Enregistre_QSO(LignesPlantage::lignePlantage(s))
                       : log.Insere_QSO_Chrono(LignesPlantage::lignePlantage(s));
        } else if (mode == QLatin1String("remplace")) {
            const int i = (s - 1) % LignesPlantage::kBase;
            const int version = (s - 1 - i + LignesPlantage::kBase - 1) / LignesPlantage::kBase;
            st = log.Remplace_QSO(LignesPlantage::ligneDeBase(i, version + 1),
                                  LignesPlantage::ligneDeBase(i, version));
        } else if (mode == QLatin1String("supprime")) {
            st = s % 2 ? log.Enregistre_QSO(LignesPlantage::lignePlantage(s))
                       : log.Supprime_QSO(LignesPlantage::lignePlantage(s - 1));
        } else if (mode == QLatin1String("prenoms")) {
            st = noms.Memorise_Prenom(
                LignesPlantage::ligneDeNom((s - 1) % LignesPlantage::kBase, s));
        } else {
            return 2;
        }
        if (!st)
            return echoue(st);
        rapport(s);
    }
    return 0;
}
