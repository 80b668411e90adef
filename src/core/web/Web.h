#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

class StockReglages;

// The outside web pages that the program shows: the DX-cluster spot list of a
// band, and two pages of the award's site.
namespace Web {

// The two sites. A user may point the program elsewhere with these keys of
// the section "Setup " (the program reads them and never writes them): a host
// ("www.example.org") or a scheme, host and port ("http://127.0.0.1:8080").
inline const QString siteCluster = QStringLiteral("http://www.dxcluster.info");
inline const QString siteKzt = QStringLiteral("http://www.diplome-kzt.fr");
inline const QString cleSiteCluster = QStringLiteral("Site Cluster");
inline const QString cleSiteKzt = QStringLiteral("Site KZT");

// Who keeps the list of the activated departments, named in its caption.
inline const QString gestionnaireListe = QStringLiteral("KZT");

inline const QString cheminListeKzt =
    QStringLiteral("/index.php?option=com_wrapper&view=wrapper&Itemid=26");
inline const QString cheminReglement =
    QStringLiteral("/index.php?option=com_content&view=article&id=18&Itemid=9");

// The 14 choices of the band list of the cluster window, "All HF" first.
const QStringList& bandesCluster();
inline constexpr int bandeDefaut = 0;

// The page of the band at that index of the list; an index outside the list
// gives the page of "All HF".
QString cheminCluster(int index);

// The site as the settings give it, or the default. Only a web address is
// taken (http or https, with a host): any other one given in the settings
// (a local file, another scheme) gives the default, and refus, when asked
// for, a French message that says so for the windows to show; it stays empty
// otherwise.
QString siteWeb(const StockReglages& reglages, const QString& cle, const QString& defaut,
                QString* refus = nullptr);
QUrl adressePage(const QString& site, const QString& chemin);

// The band last shown by the station, an index of the list; "All HF" when
// none is stored or the stored one is not in the list.
int bandeLue(const StockReglages& reglages, const QString& indicatif);
void bandeEcrite(StockReglages& reglages, const QString& indicatif, int index);

// Where the award pages open: centred across, and 2000 twips (1/1440 inch)
// lower than centred, yet never below the bottom of the screen.
QPoint positionBasse(const QRect& ecran, const QSize& fenetre, qreal pointsParPouce);
// The wanted size of such a window, made smaller where needed so that the
// whole window stays on the screen at that place, 2000 twips lower than
// centred (never smaller than the room left, even on a tiny screen).
QSize tailleBasse(const QRect& ecran, const QSize& voulue, qreal pointsParPouce);

} // namespace Web
