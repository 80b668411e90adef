#include "Sites.h"

#include "app/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <cmath>

namespace Web {

namespace {

struct BandeCluster {
    const char* libelle;
    const char* piece;
};

constexpr BandeCluster kBandes[] = {
    {"All HF", "HF"}, {"1.8 Mhz", "1.8"}, {"3.5 Mhz", "3.5"}, {"7.0 Mhz", "7"},   {"10 Mhz", "10"},
    {"14 Mhz", "14"}, {"18 Mhz", "18"},   {"21 Mhz", "21"},   {"24 Mhz", "24"},   {"28 Mhz", "28"},
    {"50 Mhz", "50"}, {"144 Mhz", "144"}, {"432 Mhz", "430"}, {"All VHF", "VHF"},
};
constexpr int kNombre = int(std::size(kBandes));

bool dansLaListe(int index)
{
    return index >= 0 && index < kNombre;
}

} // namespace

const QStringList& Bandes_Cluster()
{
    static const QStringList bandes = [] {
        QStringList l;
        for (const BandeCluster& b : kBandes)
            l.append(QString::fromLatin1(b.libelle));
        return l;
    }();
    return bandes;
}

QString Chemin_Cluster(int index)
{
    const QString piece =
        QString::fromLatin1(kBandes[dansLaListe(index) ? index : Bande_Defaut].piece);
    if (piece == QLatin1String("HF") || piece == QLatin1String("VHF"))
        return QStringLiteral("/dxc/top_250_") + piece + QStringLiteral(".html");
    return QStringLiteral("/dxc/top_50_") + piece + QStringLiteral("_MHz.html");
}

QString Site(const SettingsStore& reglages, const QString& cle, const QString& defaut)
{
    const QString lu = reglages.read(Reglages::Section_Globale, cle, QString()).trimmed();
    return lu.isEmpty() ? defaut : lu;
}

QUrl Adresse(const QString& site, const QString& chemin)
{
    QString base = site.contains(QStringLiteral("://")) ? site : QStringLiteral("http://") + site;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + chemin);
}

int Bande_Lue(const SettingsStore& reglages, const QString& indicatif)
{
    const int index = reglages.readIndex(Reglages::Section_Station(indicatif),
                                         Reglages::Bande_Cluster, Bande_Defaut);
    return dansLaListe(index) ? index : Bande_Defaut;
}

void Bande_Ecrite(SettingsStore& reglages, const QString& indicatif, int index)
{
    reglages.writeIndex(Reglages::Section_Station(indicatif), Reglages::Bande_Cluster, index);
}

QPoint Position_Basse(const QRect& ecran, const QSize& fenetre, qreal pointsParPouce)
{
    const int decalage = int(std::lround(2000.0 * pointsParPouce / 1440.0));
    const int gauche = ecran.left() + (ecran.width() - fenetre.width()) / 2;
    int haut = ecran.top() + (ecran.height() - fenetre.height()) / 2 + decalage;
    haut = qMax(ecran.top(), qMin(haut, ecran.bottom() + 1 - fenetre.height()));
    return {gauche, haut};
}

} // namespace Web
