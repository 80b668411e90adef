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

void report(int n)
{
    const QByteArray text = QByteArray::number(n) + '\n';
    if (::write(1, text.constData(), size_t(text.size())) != text.size())
        std::_Exit(5);
}

int fail(const Statut& s)
{
    std::fprintf(stderr, "%s\n", s.message.toUtf8().constData());
    return 4;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString mode = QString::fromLatin1(argv[2]);
    StationLog log(folder, QStringLiteral("CRASH"));
    FirstNameMemory names(folder);

    if (mode == QLatin1String("stress")) {
        const QString letter = QString::fromLatin1(argv[3]);
        const int changes = argc > 4 ? atoi(argv[4]) : 0;
        for (int n = 1; n <= changes; ++n) {
            const QString ligneQso = LignesPlantage::line(n, letter);
            Statut s = names.Memorise_Prenom(FirstNameMemory::formeLigne(
                ligneQso.left(12).trimmed(), QStringLiteral("77"), QStringLiteral("JEAN")));
            if (s)
                s = n % 2 ? log.Enregistre_QSO(ligneQso) : log.Insere_QSO_Chrono(ligneQso);
            if (!s)
                return fail(s);
            report(n);
        }
        return 0;
    }

    const int done = atoi(argv[3]);
    const int last = argc > 4 ? atoi(argv[4]) : 1 << 30;
    // Ready: the test times its kill from here, whatever the start-up cost
    // (a sanitizer build starts much more slowly).
    report(done);
    for (int s = done + 1; s <= last; ++s) {
        Statut st;
        if (mode == QLatin1String("log")) {
            st = s % 2 ? log.Enregistre_QSO(LignesPlantage::line(s))
                       : log.Insere_QSO_Chrono(LignesPlantage::line(s));
        } else if (mode == QLatin1String("remplace")) {
            const int i = (s - 1) % LignesPlantage::kBase;
            const int version = (s - 1 - i + LignesPlantage::kBase - 1) / LignesPlantage::kBase;
            st = log.Remplace_QSO(LignesPlantage::ligneDeBase(i, version + 1),
                                  LignesPlantage::ligneDeBase(i, version));
        } else if (mode == QLatin1String("supprime")) {
            st = s % 2 ? log.Enregistre_QSO(LignesPlantage::line(s))
                       : log.Supprime_QSO(LignesPlantage::line(s - 1));
        } else if (mode == QLatin1String("prenoms")) {
            st = names.Memorise_Prenom(
                LignesPlantage::ligneDeNom((s - 1) % LignesPlantage::kBase, s));
        } else {
            return 2;
        }
        if (!st)
            return fail(st);
        report(s);
    }
    return 0;
}
