#include "Web.h"

#include "core/app/Reglages.h"
#include "core/log/Groupe.h"
#include "core/platform/StockReglages.h"

#include <QDir>

#include <cmath>

namespace Web {

namespace {

// The list offers every band of the program between the two pages of all
// bands of a kind.
constexpr int kNombre = int(tableBandes.size()) + 2;
constexpr int kToutesVHF = kNombre - 1;

bool dansLaListe(int index)
{
    return index >= 0 && index < kNombre;
}

} // namespace

const QStringList& bandesCluster()
{
    static const QStringList bandes = [] {
        QStringList l{QStringLiteral("All HF")};
        for (const DefinitionBande& b : tableBandes)
            l.append(QString::fromUtf16(b.libelle));
        l.append(QStringLiteral("All VHF"));
        return l;
    }();
    return bandes;
}

QString cheminCluster(int index)
{
    if (!dansLaListe(index))
        index = bandeDefaut;
    if (index == 0)
        return QStringLiteral("/dxc/top_250_HF.html");
    if (index == kToutesVHF)
        return QStringLiteral("/dxc/top_250_VHF.html");
    return QStringLiteral("/dxc/top_50_") +
           QString::fromLatin1(tableBandes[size_t(index - 1)].cluster) +
           QStringLiteral("_MHz.html");
}

namespace {

// The site with its scheme (http when it has none) and without a last "/".
QString baseDuSite(const QString& site)
{
    QString base = site.contains(QStringLiteral("://")) ? site : QStringLiteral("http://") + site;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

bool adresseWeb(const QString& site)
{
    const QUrl adresse(baseDuSite(site));
    const QString schema = adresse.scheme();
    return adresse.isValid() && !adresse.host().isEmpty() &&
           (schema == QLatin1String("http") || schema == QLatin1String("https"));
}

} // namespace

QString siteWeb(const StockReglages& reglages, const QString& cle, const QString& defaut,
                QString* refus)
{
    if (refus)
        refus->clear();
    const QString lu = reglages.lit(Reglages::sectionGlobale, cle, QString()).trimmed();
    if (lu.isEmpty())
        return defaut;
    if (adresseWeb(lu))
        return lu;
    if (refus) {
        *refus = QStringLiteral("L'adresse « %1 » du réglage « %2 » (fichier « %3 ») n'est pas une "
                                "adresse web en http:// ou https:// : la page est ouverte sur le "
                                "site habituel, %4.")
                     .arg(lu, cle, QDir::toNativeSeparators(reglages.nomDeFichier()), defaut);
    }
    return defaut;
}

QUrl adressePage(const QString& site, const QString& chemin)
{
    return QUrl(baseDuSite(site) + chemin);
}

int bandeLue(const StockReglages& reglages, const QString& indicatif)
{
    const int index =
        reglages.litIndex(Reglages::sectionStation(indicatif), Reglages::bandeCluster, bandeDefaut);
    return dansLaListe(index) ? index : bandeDefaut;
}

void bandeEcrite(StockReglages& reglages, const QString& indicatif, int index)
{
    reglages.ecritIndex(Reglages::sectionStation(indicatif), Reglages::bandeCluster, index);
}

namespace {

int decalageBas(qreal pointsParPouce)
{
    return int(std::lround(2000.0 * pointsParPouce / 1440.0));
}

} // namespace

QSize tailleBasse(const QRect& ecran, const QSize& voulue, qreal pointsParPouce)
{
    // Centred, then lowered: the room below the window is the room above it
    // less twice the lowering.
    const int hauteur = qMax(ecran.height() - 2 * decalageBas(pointsParPouce), ecran.height() / 2);
    return voulue.boundedTo(QSize(ecran.width(), hauteur));
}

QPoint positionBasse(const QRect& ecran, const QSize& fenetre, qreal pointsParPouce)
{
    const int decalage = decalageBas(pointsParPouce);
    const int gauche = ecran.left() + (ecran.width() - fenetre.width()) / 2;
    int haut = ecran.top() + (ecran.height() - fenetre.height()) / 2 + decalage;
    haut = qMax(ecran.top(), qMin(haut, ecran.bottom() + 1 - fenetre.height()));
    return {gauche, haut};
}

} // namespace Web
