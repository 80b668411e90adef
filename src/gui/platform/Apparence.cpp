#include "Apparence.h"

#include "core/log/Texte.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace Apparence {

void couleurFond(QWidget* composant, const QColor& couleur)
{
    QPalette palette = composant->palette();
    palette.setColor(QPalette::Base, couleur);
    palette.setColor(QPalette::Button, couleur);
    palette.setColor(QPalette::Window, couleur);
    composant->setPalette(palette);
}

void texteDesactiveLisible(QWidget* fenetre)
{
    // The controls that have a palette of their own (the coloured fields)
    // take the roles they do not set from the window's.
    QPalette palette = fenetre->palette();
    for (const QPalette::ColorRole role_ :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::PlaceholderText})
        palette.setColor(QPalette::Disabled, role_, grisDesactive);
    fenetre->setPalette(palette);
}

double rapportContraste(const QColor& a, const QColor& b)
{
    // Relative luminance of sRGB colours, as the accessibility guidelines
    // define it.
    const auto luminance = [](const QColor& c) {
        const auto lineaire = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lineaire(c.redF()) + 0.7152 * lineaire(c.greenF()) +
               0.0722 * lineaire(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor couleurFond(const QWidget* composant)
{
    return composant->palette().color(QPalette::Base);
}

namespace {

bool fixe(const QFont& police)
{
    return QFontInfo(police).fixedPitch();
}

} // namespace

namespace {

QFont choisitPoliceListe()
{
    const QString terminal = QStringLiteral("Terminal");
    if (QFontDatabase::hasFamily(terminal)) {
        QFont police(terminal);
        if (fixe(police))
            return police;
    }
    QFont police = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (fixe(police))
        return police;
    police.setStyleHint(QFont::Monospace);
    police.setFixedPitch(true);
    if (fixe(police))
        return police;
    for (const QString& famille : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(famille))
            continue;
        QFont autre(famille, police.pointSize());
        if (fixe(autre))
            return autre;
    }
    return police;
}

} // namespace

QFont policeListe()
{
    // Chosen once: looking fonts up is one of the dearest steps of a start.
    static const QFont police = choisitPoliceListe();
    return police;
}

QScreen* ecranDe(const QWidget* fenetre)
{
    const QWidget* w = fenetre->window();
    // Not shown yet: Qt takes the screen under the window's place, which for
    // a new window is not yet where it will be.
    if (!w->windowHandle() || !w->isVisible()) {
        if (const QWidget* parent = w->parentWidget())
            return ecranDe(parent);
    }
    if (QScreen* ecran = w->screen())
        return ecran;
    return QGuiApplication::primaryScreen();
}

QSize bordFenetre(const QWidget* fenetre)
{
    const QSize cadre = fenetre->frameGeometry().size() - fenetre->geometry().size();
    if (cadre.height() > 0)
        return cadre;
    return {0, fenetre->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, fenetre)};
}

QSize placeLibre(const QWidget* fenetre)
{
    const QScreen* ecran = ecranDe(fenetre);
    if (!ecran)
        return {1024, 768};
    return ecran->availableGeometry().size() - bordFenetre(fenetre);
}

namespace {

// The free area of the window's screen, where it goes when it is not shown
// yet; empty without a screen.
QRect zoneDe(QWidget* fenetre)
{
    QScreen* ecran = ecranDe(fenetre);
    if (!ecran)
        return {};
    if (fenetre->isWindow() && !fenetre->isVisible())
        fenetre->setScreen(ecran);
    return ecran->availableGeometry();
}

} // namespace

void centreFenetre(QWidget* fenetre)
{
    const QRect zone = zoneDe(fenetre);
    if (zone.isEmpty())
        return;
    const QSize taille =
        fenetre->frameGeometry().size().expandedTo(fenetre->size() + bordFenetre(fenetre));
    // A window larger than the free area starts at its top left corner, so
    // that its title bar stays within reach.
    fenetre->move(zone.left() + qMax(0, (zone.width() - taille.width()) / 2),
                  zone.top() + qMax(0, (zone.height() - taille.height()) / 2));
}

void placeHorsDe(QWidget* fenetre, const QRect& aGarder)
{
    const QRect zone = zoneDe(fenetre);
    if (zone.isEmpty())
        return;
    QSize bord = bordFenetre(fenetre);
    // Until the window is shown its frame is known by its title bar alone:
    // the sides are counted too.
    if (!fenetre->isVisible())
        bord += QSize(8, 8);
    const QRect garde = aGarder.intersected(zone);
    // The four bands of the free area around what stays in sight.
    const QRect bandes[] = {
        QRect(zone.topLeft(), QPoint(zone.right(), garde.top() - 1)),
        QRect(QPoint(zone.left(), garde.bottom() + 1), zone.bottomRight()),
        QRect(zone.topLeft(), QPoint(garde.left() - 1, zone.bottom())),
        QRect(QPoint(garde.right() + 1, zone.top()), zone.bottomRight()),
    };
    const QSize minimum = fenetre->minimumSizeHint().expandedTo(fenetre->minimumSize()) + bord;
    QRect choisie;
    for (const QRect& b : bandes) {
        if (b.width() < minimum.width() || b.height() < minimum.height())
            continue;
        if (choisie.isNull() || b.width() * b.height() > choisie.width() * choisie.height())
            choisie = b;
    }
    if (choisie.isNull()) {
        centreFenetre(fenetre);
        return;
    }
    // The whole band: the more room, the more of each spot in sight.
    fenetre->resize((choisie.size() - bord).boundedTo(fenetre->maximumSize()));
    fenetre->move(choisie.left(), choisie.top());
}

bool reprendPlace(QWidget* fenetre, const QRect& place)
{
    if (!place.isValid() || place.width() < fenetre->minimumSizeHint().width() ||
        place.height() < fenetre->minimumSizeHint().height())
        return false;
    // On a screen still there, whole within its free area (a screen taken
    // away since would leave the window out of reach).
    for (QScreen* ecran : QGuiApplication::screens()) {
        const QRect zone = ecran->availableGeometry();
        if (!zone.contains(QRect(place.topLeft(), place.size() + bordFenetre(fenetre))))
            continue;
        if (fenetre->isWindow() && !fenetre->isVisible())
            fenetre->setScreen(ecran);
        fenetre->resize(place.size());
        fenetre->move(place.topLeft());
        return true;
    }
    return false;
}

namespace {

// A list as a screen reader sees it: named by what it holds, its value the
// text chosen. The interface Qt gives a list on Linux names it by its value
// and leaves the name to the label next to it, which a list without a label
// of its own, or with a caption that is not its label, does not have.
class ListeNommee : public QAccessibleWidget {
public:
    explicit ListeNommee(QComboBox* liste) : QAccessibleWidget(liste, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* liste = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name)
            return liste->accessibleName();
        if (t == QAccessible::Value)
            return liste->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.editable = static_cast<const QComboBox*>(widget())->isEditable();
        etat.expandable = true;
        return etat;
    }
};

QAccessibleInterface* fabriqueListes(const QString&, QObject* objet)
{
    auto* liste = qobject_cast<QComboBox*>(objet);
    if (liste && liste->property("kzt_liste_nommee").toBool())
        return new ListeNommee(liste);
    return nullptr;
}

} // namespace

void nommeListe(QComboBox* liste, const QString& nom)
{
    static const bool installee = [] {
        QAccessible::installFactory(fabriqueListes);
        return true;
    }();
    Q_UNUSED(installee);
    // Before the name: naming a control makes Qt build its interface.
    liste->setProperty("kzt_liste_nommee", true);
    liste->setAccessibleName(nom);
    if (QLineEdit* edition = liste->lineEdit())
        edition->setAccessibleName(nom);
}

QLabel* etiquette(QWidget* parent, const char* nom, const QString& texte)
{
    return nomme(new QLabel(texte, parent), nom);
}

QFrame* cadreNomme(QWidget* parent, const char* nom)
{
    auto* f = nomme(new QFrame(parent), nom);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

bool toucheEntree(const QKeyEvent* touche)
{
    return touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
}

bool majusculeTapee(QLineEdit* boite, const QKeyEvent* touche, QChar (*prise)(QChar))
{
    const QString texte = touche->text();
    if (texte.size() != 1 || (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar mise = prise(texte.at(0));
    if (mise == texte.at(0))
        return false;
    boite->insert(QString(mise));
    return true;
}

namespace {

// Sees the keys that the window's controls leave: a button outside a dialog
// takes the space bar only, and nothing closes a plain window on Escape.
class ClavierFenetre : public QObject {
public:
    ClavierFenetre(QWidget* fenetre, bool echapFerme)
        : QObject(fenetre), m_fenetre(fenetre), m_echapFerme(echapFerme)
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet != m_fenetre || evenement->type() != QEvent::KeyPress)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (toucheEntree(touche)) {
            auto* bouton = qobject_cast<QPushButton*>(m_fenetre->focusWidget());
            if (!bouton || bouton->window() != m_fenetre || !bouton->isEnabled())
                return false;
            bouton->click();
            return true;
        }
        if (m_echapFerme && touche->key() == Qt::Key_Escape) {
            m_fenetre->close();
            return true;
        }
        return false;
    }

private:
    QWidget* m_fenetre;
    bool m_echapFerme;
};

} // namespace

QWidget* fenetreOuverte(QWidget* parent, const QMetaObject& type)
{
    const QWidgetList fenetres =
        parent ? parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)
               : QApplication::topLevelWidgets();
    for (QWidget* w : fenetres) {
        if (!w->metaObject()->inherits(&type))
            continue;
        // Closed: it is deleted when the events of the moment are done.
        if (!w->isVisible())
            continue;
        return w;
    }
    return nullptr;
}

void montreFenetre(QWidget* fenetre)
{
    if (!fenetre)
        return;
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

void clavier(QWidget* fenetre, bool echapFerme)
{
    fenetre->installEventFilter(new ClavierFenetre(fenetre, echapFerme));
}

} // namespace Apparence
