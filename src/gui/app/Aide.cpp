#include "Aide.h"

#include "gui/platform/Apparence.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
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
        Aide::ouvreFenetre(static_cast<QWidget*>(objet)->window());
        return true;
    }
};

// The anchors of the page: each window has its section, named after it.
QStringList ancres(const QTextDocument* page)
{
    QStringList noms;
    for (QTextBlock bloc = page->begin(); bloc.isValid(); bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it)
            noms += it.fragment().charFormat().anchorNames();
    }
    return noms;
}

// The section of the window; a window without one (a message box, a file
// dialog) leads to the section of the window it belongs to.
QString section(const QWidget* fenetre, const QStringList& noms)
{
    for (const QWidget* w = fenetre; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        if (noms.contains(w->objectName()))
            return w->objectName();
    }
    return {};
}

} // namespace

Aide::Aide(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Aide de RQN_KZT"));
    setAttribute(Qt::WA_DeleteOnClose);
    Apparence::clavier(this);

    Texte_Aide = Apparence::nomme(new QTextBrowser(this), "Texte_Aide");
    Texte_Aide->setAccessibleName(windowTitle());
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

Aide* Aide::ouvreFenetre(QWidget* depuis)
{
    // A window under a modal one gets no input: the help then goes above it,
    // and one that belongs to another window gives way to it.
    QWidget* modale = QApplication::activeModalWidget();
    if (Aide* autre = ouverte(); autre && autre->parentWidget() != modale)
        delete autre;
    Aide* aide = Apparence::ouvreUneFois<Aide>(modale, [modale, depuis] {
        auto* nouvelle = new Aide(modale);
        // On the screen of the window it was asked from, within its free area.
        QWidget* origine = depuis ? depuis : (modale ? modale : QApplication::activeWindow());
        if (origine && !modale)
            nouvelle->setScreen(Apparence::ecranDe(origine));
        nouvelle->resize(nouvelle->size().boundedTo(Apparence::placeLibre(nouvelle)));
        Apparence::centreFenetre(nouvelle);
        return nouvelle;
    });
    if (depuis && depuis != aide) {
        const QString nom = section(depuis, ancres(aide->Texte_Aide->document()));
        QUrl page = aide->Texte_Aide->source();
        page.setFragment(nom.isEmpty() ? QString() : nom);
        aide->Texte_Aide->setSource(page);
        if (nom.isEmpty())
            aide->Texte_Aide->verticalScrollBar()->setValue(0);
    }
    return aide;
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
