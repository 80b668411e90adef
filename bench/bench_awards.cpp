// Times of the award computations on a log of 99,999 QSOs spread over the
// bands, departments and QSL flags: the windmill list of a group with its
// saved and printed lines, the department map, the scores, the unreceived-QSL
// search over the display lines and the QSL-back lines; then the same work
// through the windows (offscreen).
//
//   bench_awards [folder]     (default: a temporary folder)

#include "LogBanc.h"
#include "core/app/Services.h"
#include "core/awards/CarteDepartements.h"
#include "core/awards/MoulinsContactes.h"
#include "core/awards/QslNonRecues.h"
#include "core/awards/Scores.h"
#include "core/log/Affichage.h"
#include "core/log/Groupe.h"
#include "core/log/LogLine.h"
#include "core/log/StationLog.h"
#include "core/platform/BoiteMessage.h"
#include "core/platform/Horloge.h"
#include "core/platform/StockReglages.h"
#include "gui/awards/Aff_Contacte.h"
#include "gui/awards/Carte_Acti_KZT.h"
#include "gui/awards/Multi_QSL.h"
#include "support/BoiteMessageScriptee.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kQso = 99999;
const QString kStation = QStringLiteral("F1XYZ");

QString ligneQso(int n)
{
    LogLine::Champs c;
    c.indicatif = QStringLiteral("F%1AB").arg(n % 5000);
    const int dep = n % 97 + 1;
    c.departement = dep == 96   ? QStringLiteral("2A")
                    : dep == 97 ? QStringLiteral("2B")
                                : QString::number(dep);
    c.prenom = QStringLiteral("JEAN");
    c.reference = QStringLiteral("%1%2")
                      .arg(dep % 96, 2, 10, QLatin1Char('0'))
                      .arg(n % 997, 3, 10, QLatin1Char('0'));
    const QDateTime t =
        QDateTime(QDate(2005, 1, 1), QTime(0, 0), Qt::UTC).addSecs(qint64(n) * 1800);
    c.date = t.toString(QStringLiteral("dd/MM/yy"));
    c.heure = t.toString(QStringLiteral("HH:mm"));
    c.mode = QStringLiteral("SSB");
    c.bande = listeBandes().at(n % listeBandes().size());
    c.rstRecu = QStringLiteral("59");
    c.rstEnvoye = QStringLiteral("59");
    c.nomMoulin = QStringLiteral("MOULIN DE LA GALETTE %1").arg(n % 100);
    c.qsl = n % 3 == 0;
    return LogLine::forme(c).ligne;
}

void imprime(const char* what, double ms)
{
    std::printf("%-58s %8.1f ms%s\n", what, ms, ms < 100 ? "" : "   (over 100 ms)");
}

constexpr int executions = 7;

// The award computations on the log file, without a window.
void calculs(const QString& dossier, const StationLog& log, const QStringList& lignes)
{

    MoulinsContactes::Liste liste;
    imprime("windmill list, HF (read, pick, sort, count)", LogBanc::medianeMs(executions, [&] {
                MoulinsContactes::construit(log.chemin(), QStringLiteral("HF"), &liste);
            }));
    std::printf("  %lld lines listed, %d confirmed\n", static_cast<long long>(liste.lignes.size()),
                liste.confirmes);
    QString nom;
    imprime("windmill list saved (work file, sync, rename)", LogBanc::medianeMs(executions, [&] {
                MoulinsContactes::enregistre(dossier, kStation, QStringLiteral("HF"),
                                             QDate(2026, 12, 6), liste.lignes, &nom);
            }));
    imprime("windmill list printed lines", LogBanc::medianeMs(executions, [&] {
                MoulinsContactes::lignesImpression(kStation, QStringLiteral("HF"),
                                                   QDate(2026, 12, 6), liste.lignes);
            }));

    CarteDepartements::Carte carte;
    imprime("department map, HF", LogBanc::medianeMs(executions, [&] {
                CarteDepartements::Colorie_Carte(log.chemin(), QStringLiteral("HF"), &carte);
            }));
    Scores::Tableau scoresCalcules;
    imprime("scores", LogBanc::medianeMs(executions,
                                         [&] { Scores::calcule(log.chemin(), &scoresCalcules); }));

    QStringList trouvees;
    imprime("unreceived QSLs of F12AB (display lines)", LogBanc::medianeMs(executions, [&] {
                trouvees = QslNonRecues::recherche(lignes, QStringLiteral("f12ab"));
            }));
    std::printf("  %lld found\n", static_cast<long long>(trouvees.size()));
    imprime("unreceived QSLs of \"F\" (every callsign)", LogBanc::medianeMs(executions, [&] {
                trouvees = QslNonRecues::recherche(lignes, QStringLiteral("F"));
            }));
    std::printf("  %lld found\n", static_cast<long long>(trouvees.size()));
    imprime("QSL-back lines of all of them", LogBanc::medianeMs(executions, [&] {
                QslNonRecues::lignesCartes(QStringLiteral("F"), kStation, trouvees);
            }));
}

// The same through the windows; false when one of them showed a message.
bool fenetres(const QString& dossier, const StationLog::Lignes& affichage)
{
    std::printf("\nthrough the windows (offscreen)\n");
    StockReglages reglages(QDir(dossier).filePath(QStringLiteral("KZT.ini")));
    HorlogeSysteme horloge;
    BoiteMessageScriptee messages;
    const Services services{dossier, reglages, horloge, messages, [] {}};
    const auto indicatif = [] { return kStation; };

    imprime("windmill list window: open", LogBanc::medianeMs(3, [&] {
                Aff_Contacte w(services, indicatif);
                w.show();
                QCoreApplication::processEvents();
            }));
    Aff_Contacte liste_w(services, indicatif);
    liste_w.show();
    imprime("windmill list window: Afficher, HF", LogBanc::medianeMs(executions, [&] {
                liste_w.Afficher->click();
                QCoreApplication::processEvents();
            }));
    imprime("map window: open (shows HF)", LogBanc::medianeMs(3, [&] {
                Carte_Acti_KZT w(services, indicatif);
                w.show();
                QCoreApplication::processEvents();
            }));
    Carte_Acti_KZT carte_w(services, indicatif);
    carte_w.show();
    imprime("map window: Afficher", LogBanc::medianeMs(executions, [&] {
                carte_w.Afficher->click();
                QCoreApplication::processEvents();
            }));
    Multi_QSL qsl_w(
        services, [&] { return affichage.affichage; }, indicatif);
    qsl_w.show();
    qsl_w.Indicatif->setText(QStringLiteral("F"));
    imprime("unreceived-QSL window: search \"F\"", LogBanc::medianeMs(executions, [&] {
                qsl_w.Recherche->click();
                QCoreApplication::processEvents();
            }));
    return messages.affichees().isEmpty();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication programme(argc, argv);
    QTemporaryDir temporaire;
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
    QDir().mkpath(dossier);

    const StationLog log(dossier, kStation);
    {
        QFile f(log.chemin());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the log");
        for (int n = 1; n <= kQso; ++n)
            f.write(ligneQso(n).toLatin1() + "\r\n");
    }
    const StationLog::Lignes affichage = log.Charge_Log();
    const QStringList lignes = affichage.affichage.versListe();
    std::printf("log of %d QSOs, %lld display lines\n\n", kQso,
                static_cast<long long>(affichage.affichage.size()));
    calculs(dossier, log, lignes);
    return fenetres(dossier, affichage) ? 0 : 1;
}
