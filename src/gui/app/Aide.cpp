#include "Aide.h"

#include "gui/platform/Apparence.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// Sees F1 before any control of any window does.
class ToucheF1 : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::KeyPress || !objet->isWidgetType())
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() != Qt::Key_F1 || touche->modifiers() != Qt::NoModifier)
            return false;
        Aide::ouvreFenetre();
        return true;
    }
};

} // namespace

Aide::Aide(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide de RQN_KZT"));
    setAttribute(Qt::WA_DeleteOnClose);
    Apparence::clavier(this);

    Texte_Aide = Apparence::nomme(new QTextBrowser(this), "Texte_Aide");
    Texte_Aide->setOpenExternalLinks(true);
    Texte_Aide->setSource(QUrl(QStringLiteral("qrc:/kzt/aide.html")));
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addWidget(Texte_Aide);
    resize(680, 620);
}

void Aide::installe()
{
    // Once for the application, which owns the filter.
    static QPointer<QObject> filtre;
    if (filtre)
        return;
    filtre = new ToucheF1(qApp);
    qApp->installEventFilter(filtre);
}

Aide* Aide::ouvreFenetre()
{
    // A window under a modal one gets no input: the help then goes above it,
    // and one that belongs to another window gives way to it.
    QWidget* modale = QApplication::activeModalWidget();
    if (Aide* autre = ouverte(); autre && autre->parentWidget() != modale)
        delete autre;
    return Apparence::ouvreUneFois<Aide>(modale, [modale] {
        auto* aide = new Aide(modale);
        Apparence::centreFenetre(aide);
        return aide;
    });
}

Aide* Aide::ouverte()
{
    // Without a parent, every window counts: the help window of a modal one too.
    return Apparence::fenetreOuverte<Aide>(nullptr);
}

void Aide::ajouteAuMenu(QMenu* menu)
{
    // F1 itself is seen by the filter of installe(): the menu only shows it.
    auto* action = new QAction(QStringLiteral("&Mode d'emploi\tF1"), menu);
    action->setObjectName(QStringLiteral("Mnu_Mode_Emploi"));
    menu->addAction(action);
    QObject::connect(action, &QAction::triggered, menu, &Aide::Mnu_Mode_Emploi_Click);
}

void Aide::Mnu_Mode_Emploi_Click()
{
    ouvreFenetre();
}
