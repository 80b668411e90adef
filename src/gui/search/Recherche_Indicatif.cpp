#include "Recherche_Indicatif.h"

#include "gui/entry/ListeLog.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/TitresColonnes.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

QLineEdit* boiteJaune(QWidget* parent, const char* nom)
{
    auto* b = Apparence::nomme(new QLineEdit(parent), nom);
    Apparence::couleurFond(b, Apparence::jauneClair);
    return b;
}

} // namespace

Recherche_Indicatif::Recherche_Indicatif(const Services& services, ListeLog& liste, QWidget* parent)
    : QWidget(parent, Qt::Window), m_liste(&liste),
      m_modele(
          services.messages, [this] { return journalDeLaListe(); }, [this] { montre(); })
{
    setObjectName(QStringLiteral("Recherche_Indicatif"));
    Apparence::clavier(this);
    setAttribute(Qt::WA_DeleteOnClose);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::StyledPanel);
    const char* noms[] = {nullptr, "Option1(1)", "Option1(2)", "Option1(3)"};
    for (int i = 1; i <= 3; ++i) {
        Option1[i] = new QRadioButton(ModeleRecherche::nomCle(Recherche::Cle(i - 1)), Frame2);
        Option1[i]->setObjectName(QLatin1String(noms[i]));
    }
    Indica = boiteJaune(Frame2, "Indica");
    Data = boiteJaune(Frame2, "Data");
    Depa = boiteJaune(Frame2, "Depa");
    auto* choix = new QGridLayout(Frame2);
    QLineEdit* boites[] = {nullptr, Indica, Data, Depa};
    for (int i = 1; i <= 3; ++i) {
        choix->addWidget(Option1[i], 0, i - 1);
        choix->addWidget(boites[i], 1, i - 1);
        boites[i]->installEventFilter(this);
        QLineEdit* b = boites[i];
        b->setAccessibleName(Option1[i]->text());
        connect(Option1[i], &QRadioButton::clicked, b, [b] { b->setFocus(); });
    }
    Option1[1]->setChecked(true);

    m_resultats = new QStringListModel(this);
    QSO_Effectues = new QListView(this);
    QSO_Effectues->setObjectName(QStringLiteral("QSO_Effectues"));
    QSO_Effectues->setModel(m_resultats);
    QSO_Effectues->setFont(Apparence::policeListe());
    QSO_Effectues->setUniformItemSizes(true);
    QSO_Effectues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QSO_Effectues->setSelectionMode(QAbstractItemView::SingleSelection);
    QSO_Effectues->setToolTip(QStringLiteral("Double clique sur le QSO pour retour au log"));
    QSO_Effectues->setAccessibleName(QStringLiteral("QSO trouvés"));
    QSO_Effectues->viewport()->installEventFilter(this);
    QSO_Effectues->installEventFilter(this);
    // Each title over its column of the result lines, as over the main list.
    Label13 =
        new TitresColonnes(Recherche::enteteListe, Recherche::titresResultats, QSO_Effectues, this);
    Label13->setObjectName(QStringLiteral("Label13"));
    const int marge = Label13->contentsMargins().left();
    const int largeur =
        QFontMetrics(Apparence::policeListe())
            .horizontalAdvance(QString(Recherche::enteteListe.size() + 2, QLatin1Char('0')));
    QSO_Effectues->setMinimumWidth(largeur + 2 * marge + 20);

    Command1 = new QPushButton(QStringLiteral("Quitter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    auto* haut = new QHBoxLayout;
    haut->addWidget(Label3);
    haut->addWidget(Frame2, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(Command1);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addWidget(Label13);
    colonne->addWidget(QSO_Effectues, 1);
    colonne->addLayout(bas);
    resize(sizeHint().expandedTo(QSize(0, 460)));

    // Load.
    Apparence::centreFenetre(this);
    Indica->clear();
    setWindowTitle(QStringLiteral("Rechercher un QSO"));
    setAccessibleName(windowTitle());
    Label3->setText(QStringLiteral("Rechercher un QSO par ..."));
    Label13->setText(Recherche::enteteListe);
}

Recherche_Indicatif* Recherche_Indicatif::ouvreFenetre(const Services& services, ListeLog& liste,
                                                       QWidget* parent)
{
    auto* fenetre = Apparence::ouvreUneFois<Recherche_Indicatif>(
        parent, [&] { return new Recherche_Indicatif(services, liste, parent); });
    fenetre->Indica->setFocus();
    return fenetre;
}

QStringList Recherche_Indicatif::listeResultats() const
{
    return m_resultats->stringList();
}

QLineEdit* Recherche_Indicatif::boite(Recherche::Cle cle) const
{
    switch (cle) {
    case Recherche::Cle::Reference:
        return Data;
    case Recherche::Cle::Departement:
        return Depa;
    case Recherche::Cle::Indicatif:
        break;
    }
    return Indica;
}

Recherche::Cle Recherche_Indicatif::cleDe(const QLineEdit* b) const
{
    return b == Data   ? Recherche::Cle::Reference
           : b == Depa ? Recherche::Cle::Departement
                       : Recherche::Cle::Indicatif;
}

Affichage::Journal Recherche_Indicatif::journalDeLaListe() const
{
    return m_liste ? m_liste->journalAffiche() : Affichage::Journal();
}

void Recherche_Indicatif::agit(const std::function<void()>& action)
{
    lit();
    action();
    montre();
}

void Recherche_Indicatif::lit()
{
    for (int i = 1; i <= 3; ++i) {
        const auto cle = Recherche::Cle(i - 1);
        if (Option1[i]->isChecked())
            m_modele.choisitCle(cle);
        m_modele.changeTexte(cle, boite(cle)->text());
    }
}

void Recherche_Indicatif::montre()
{
    for (int i = 1; i <= 3; ++i) {
        const auto cle = Recherche::Cle(i - 1);
        if (m_modele.option() == cle)
            Option1[i]->setChecked(true);
        QLineEdit* b = boite(cle);
        if (b->text() != m_modele.texte(cle))
            b->setText(m_modele.texte(cle));
    }
    if (m_recherchesMontrees != m_modele.recherches()) {
        m_recherchesMontrees = m_modele.recherches();
        m_resultats->setStringList(m_modele.resultats());
    }
}

bool Recherche_Indicatif::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type type = evenement->type();
    if (objet == QSO_Effectues->viewport()) {
        if (type == QEvent::MouseButtonDblClick) {
            // The view takes the click first; then back to the log.
            QMetaObject::invokeMethod(this, &Recherche_Indicatif::QSO_Effectues_DblClick,
                                      Qt::QueuedConnection);
        }
        return QWidget::eventFilter(objet, evenement);
    }
    // Enter on a result goes back to it as a double-click does.
    if (objet == QSO_Effectues) {
        if (type == QEvent::KeyPress &&
            Apparence::toucheEntree(static_cast<QKeyEvent*>(evenement))) {
            QSO_Effectues_DblClick();
            return true;
        }
        return QWidget::eventFilter(objet, evenement);
    }

    auto* b = qobject_cast<QLineEdit*>(objet);
    if (!b)
        return QWidget::eventFilter(objet, evenement);

    const Recherche::Cle cle = cleDe(b);
    if (type == QEvent::MouseButtonPress) {
        agit([this, cle] { m_modele.choisitCle(cle); });
    } else if (type == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (Apparence::toucheEntree(touche)) {
            agit([this, cle] { m_modele.toucheEntree(cle); });
            return true;
        }
        if (ModeleRecherche::metEnMajuscules(cle) && Apparence::majusculeTapee(b, touche))
            return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void Recherche_Indicatif::Recherche_SP()
{
    agit([this] { m_modele.Recherche_SP(); });
}

void Recherche_Indicatif::QSO_Effectues_DblClick()
{
    const QModelIndex choisi = QSO_Effectues->selectionModel()->currentIndex();
    if (m_liste && choisi.isValid() && QSO_Effectues->selectionModel()->isSelected(choisi)) {
        const QString resultat = m_resultats->data(choisi, Qt::DisplayRole).toString();
        const int index = Recherche::ligneDuResultat(resultat, journalDeLaListe());
        // Selecting the line runs the main window's selection handler, even
        // when that line was already the selected one.
        if (index >= 0)
            m_liste->selectionne(index);
    }
    close();
}
