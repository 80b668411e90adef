#include "Apparence.h"

#include "core/log/Texte.h"

#include <QApplication>
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
#include <QWidget>

namespace Apparence {

void Fond(QWidget* widget, const QColor& couleur)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, couleur);
    palette.setColor(QPalette::Button, couleur);
    palette.setColor(QPalette::Window, couleur);
    widget->setPalette(palette);
}

QColor Fond(const QWidget* widget)
{
    return widget->palette().color(QPalette::Base);
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

QFont Police_Liste()
{
    // Chosen once: looking fonts up is one of the dearest steps of a start.
    static const QFont police = choisitPoliceListe();
    return police;
}

void Centre(QWidget* fenetre)
{
    QScreen* ecran = fenetre->screen() ? fenetre->screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize taille = fenetre->frameGeometry().size();
    fenetre->move(zone.left() + (zone.width() - taille.width()) / 2,
                  zone.top() + (zone.height() - taille.height()) / 2);
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte)
{
    return Nomme(new QLabel(texte, parent), nom);
}

QFrame* Cadre(QWidget* parent, const char* nom)
{
    auto* f = Nomme(new QFrame(parent), nom);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

bool Entree(const QKeyEvent* touche)
{
    return touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
}

bool Majuscule_Tapee(QLineEdit* boite, const QKeyEvent* touche)
{
    const QString texte = touche->text();
    if (texte.size() != 1 || (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar majuscule = Texte::Majuscule_Tapee(texte.at(0));
    if (majuscule == texte.at(0))
        return false;
    boite->insert(QString(majuscule));
    return true;
}

namespace {

// Sees the keys that the window's controls leave: a button outside a dialog
// takes the space bar only, and nothing closes a plain window on Escape.
class Clavier_Fenetre : public QObject {
public:
    Clavier_Fenetre(QWidget* fenetre, bool echapFerme)
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
        if (Entree(touche)) {
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

QWidget* Fenetre_Ouverte(QWidget* parent, const QMetaObject& type)
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

void Montre(QWidget* fenetre)
{
    if (!fenetre)
        return;
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

void Clavier(QWidget* fenetre, bool echapFerme)
{
    fenetre->installEventFilter(new Clavier_Fenetre(fenetre, echapFerme));
}

} // namespace Apparence
