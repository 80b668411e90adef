// A stand-in for hamlib's rigctld, for computers where the tests have no
// hamlib (the Windows suite under Wine): the same command line, the same list
// of models, the same protocol through the test support's stand-in, serving a
// dummy radio at 145 MHz FM as "rigctld -m 1" does.
//   rigctld -l                                    the list of models
//   rigctld -m <model> [-r <port>] [-s <speed>] -T <host> -t <port> [-vv]
// With KZT_RIGCTLD_ERREUR set, it writes that line on its error output and
// exits with 1, as rigctld does when it cannot open the radio.
#include "support/Rigctld.h"

#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

namespace {

// As "rigctld -l" writes it: a heading, then one model a line in columns.
const char* const kListe =
    " Rig #  Mfg                    Model                   Version         Status      Macro\n"
    "     1  Hamlib                 Dummy                   20221128.0      Stable      "
    "RIG_MODEL_DUMMY\n"
    "     2  Hamlib                 NET rigctl              20221110.0      Stable      "
    "RIG_MODEL_NETRIGCTL\n"
    "  3073  Icom                   IC-7300                 20221207.0      Stable      "
    "RIG_MODEL_IC7300\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication programme(argc, argv);
    const QStringList arguments = programme.arguments().mid(1);
    if (arguments.contains(QStringLiteral("-l"))) {
        std::fputs(kListe, stdout);
        return 0;
    }
    const QByteArray erreur = qgetenv("KZT_RIGCTLD_ERREUR");
    if (!erreur.isEmpty()) {
        std::fprintf(stderr, "%s\n", erreur.constData());
        return 1;
    }
    const auto valeur = [&arguments](const char* option) {
        const qsizetype i = arguments.indexOf(QLatin1String(option));
        return i >= 0 ? arguments.value(i + 1) : QString();
    };
    const int modele = valeur("-m").toInt();
    if (modele != 1 && modele != 3073) {
        std::fprintf(stderr,
                     "rigctld: Unknown rig num %d, or initialization error.\n"
                     "Please check with --list option.\n",
                     modele);
        return 2;
    }
    RigctldRefusant radio({}, 0, QHostAddress(valeur("-T")), valeur("-t").toUShort());
    if (!radio.ecoute()) {
        std::fprintf(stderr, "rigctld: bind: Address already in use\n");
        return 1;
    }
    radio.hz = 145000000;
    radio.mode = "FM";
    return programme.exec();
}
