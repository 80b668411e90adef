#include "Fenetres.h"

#include "core/app/Services.h"
#include "core/platform/BoiteMessage.h"
#include "core/web/Web.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/VueWeb.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Sees every key of the application before its control does.
class EchapFenetre : public QObject {
public:
    explicit EchapFenetre(QWidget* fenetre) : QObject(fenetre), m_fenetre(fenetre) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::KeyPress || !objet->isWidgetType())
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() != Qt::Key_Escape || touche->modifiers() != Qt::NoModifier)
            return false;
        // Only the keys of this window: a list opened from it, a message
        // box over it are windows of their own, and Escape closes them.
        if (static_cast<QWidget*>(objet)->window() != m_fenetre)
            return false;
        m_fenetre->close();
        return true;
    }

private:
    QWidget* m_fenetre;
};

} // namespace

namespace Fenetres {

VueWeb* vuePage(QWidget* fenetre)
{
    auto* web = new VueWeb(fenetre);
    web->setObjectName(QStringLiteral("WebBrowser1"));
    web->setAccessibleName(fenetre->windowTitle());
    auto* colonne = new QVBoxLayout(fenetre);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(web);
    return web;
}

QUrl adresseKzt(const Services& services, const QString& chemin)
{
    QString refus;
    const QString site = Web::siteWeb(services.reglages, Web::cleSiteKzt, Web::siteKzt, &refus);
    if (!refus.isEmpty())
        services.messages.avise(refus);
    return Web::adressePage(site, chemin);
}

void echapFerme(QWidget* fenetre)
{
    // The filter goes with the window.
    qApp->installEventFilter(new EchapFenetre(fenetre));
}

QSize taillePage(const QWidget* fenetre, const VueWeb* vue)
{
    // The page opened in the browser: the window holds its short note only.
    if (!vue->integree())
        return fenetre->sizeHint();
    const QSize zone = Apparence::placeLibre(fenetre);
    return {qMin(1100, zone.width() * 85 / 100), qMin(780, zone.height() * 75 / 100)};
}

void fermeALaFin(QWidget* fenetre)
{
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, fenetre,
                     [fenetre] { delete fenetre; });
}

void placeBasse(QWidget* fenetre)
{
    QScreen* ecran = Apparence::ecranDe(fenetre);
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const qreal ppp = ecran->logicalDotsPerInchY();
    const QSize bord = Apparence::bordFenetre(fenetre);
    const QSize taille = Web::tailleBasse(zone, fenetre->size() + bord, ppp) - bord;
    fenetre->resize(taille.expandedTo(fenetre->minimumSizeHint()));
    if (fenetre->isWindow() && !fenetre->isVisible())
        fenetre->setScreen(ecran);
    fenetre->move(Web::positionBasse(zone, fenetre->size() + bord, ppp));
}

} // namespace Fenetres
