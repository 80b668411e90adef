#include "LogList.h"

#include "gui/platform/Apparence.h"
#include "gui/platform/TitresColonnes.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>
#include <memory>
#include <vector>

// The display lines of the log, made only for the rows the view shows.
class LogList::Modele : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void remplit(Affichage::Journal journal)
    {
        beginResetModel();
        m_journal = std::move(journal);
        m_faites.clear();
        endResetModel();
    }
    // The searches read every line, again at each search: a line asked for
    // is made once and kept, by blocks of lines, until the list is filled
    // again. The view, which asks only for the rows it shows, does not fill
    // that store.
    QString ligne(int row) const
    {
        if (row < 0 || row >= m_journal.size())
            return {};
        if (m_faites.empty())
            m_faites.resize(size_t((m_journal.size() + kBloc - 1) / kBloc));
        std::unique_ptr<Bloc>& bloc = m_faites[size_t(row / kBloc)];
        if (!bloc)
            bloc = std::make_unique<Bloc>();
        QString& faite = (*bloc)[size_t(row % kBloc)];
        if (faite.isNull())
            faite = m_journal.at(row);
        return faite;
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_journal.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) || !index.isValid())
            return {};
        const int row = index.row();
        if (row >= m_journal.size())
            return {};
        // A screen reader says the fields, not the blanks between them.
        if (role == Qt::AccessibleTextRole)
            return Affichage::Texte_Lisible(m_journal.at(row));
        if (!m_faites.empty()) {
            if (const Bloc* bloc = m_faites[size_t(row / kBloc)].get();
                bloc && !(*bloc)[size_t(row % kBloc)].isNull())
                return (*bloc)[size_t(row % kBloc)];
        }
        return m_journal.at(row);
    }

private:
    static constexpr int kBloc = 1024;
    using Bloc = std::array<QString, kBloc>;

    Affichage::Journal m_journal;
    mutable std::vector<std::unique_ptr<Bloc>> m_faites;
};

LogList::LogList(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("L_Communes"));
    const QString aide = QStringLiteral(
        "Un clique sur un QSO pour l'afficher ou le supprimer, un double clique pour l'editer");
    setToolTip(aide);

    const QFont police = Apparence::Police_Liste();

    m_modele = new Modele(this);
    // One column of lines of one height: the view places a line by its
    // number, without laying out the tens of thousands of lines before it
    // at each load and each selection.
    Liste_KZT = new QTreeView(this);
    Liste_KZT->setObjectName(QStringLiteral("Liste_KZT"));
    Liste_KZT->setToolTip(aide);
    Liste_KZT->setAccessibleName(QStringLiteral("Liste des QSO"));
    Liste_KZT->setModel(m_modele);
    Liste_KZT->setUniformRowHeights(true);
    Liste_KZT->setHeaderHidden(true);
    Liste_KZT->setRootIsDecorated(false);
    Liste_KZT->setItemsExpandable(false);
    Liste_KZT->setIndentation(0);
    Liste_KZT->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_KZT->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_KZT->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Liste_KZT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Liste_KZT->setFont(police);
    Apparence::Fond(Liste_KZT, Apparence::Jaune_Clair);

    // The titles start where the text of the list lines starts.
    Label_Liste = new Titres_Colonnes(Titres, Affichage::Titres, Liste_KZT);
    Label_Liste->setObjectName(QStringLiteral("Label_Liste"));
    const int marge = Label_Liste->contentsMargins().left();

    // The titles scroll sideways with the list when the window is narrower
    // than a line.
    m_titres = new QScrollArea(this);
    m_titres->setWidget(Label_Liste);
    m_titres->setFrameShape(QFrame::NoFrame);
    m_titres->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_titres->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_titres->setFixedHeight(Label_Liste->sizeHint().height());
    m_titres->setWidgetResizable(false);
    // The titles follow the list: never a Tab stop of their own.
    m_titres->setFocusPolicy(Qt::NoFocus);
    connect(Liste_KZT->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_titres->horizontalScrollBar(), &QScrollBar::setValue);

    const int largeurLigne =
        QFontMetrics(police).horizontalAdvance(QString(Affichage::Longueur, QLatin1Char('0')));
    Liste_KZT->setMinimumWidth(qMin(largeurLigne, 640));
    Label_Liste->setMinimumWidth(largeurLigne + marge);
    // The lines are as wide as the list, and never narrower than their
    // text with the margins the style leaves on both sides of it.
    const int margeTexte =
        Liste_KZT->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Liste_KZT) + 1;
    Liste_KZT->header()->setMinimumSectionSize(largeurLigne + 2 * margeTexte);
    Liste_KZT->header()->setStretchLastSection(true);

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(m_titres);
    colonne->addWidget(Liste_KZT, 1);

    connect(Liste_KZT->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& actuel) {
                if (actuel.isValid() && !m_selectionEnCours)
                    Q_EMIT Ligne_Choisie(actuel.row());
            });
    // A click on the line that is already selected changes nothing in the
    // view, but is a choice all the same.
    Liste_KZT->viewport()->installEventFilter(this);
    Liste_KZT->installEventFilter(this);
    connect(Liste_KZT, &QTreeView::pressed, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() == m_ligneAvantClic)
            Q_EMIT Ligne_Choisie(index.row());
    });
    connect(Liste_KZT, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT Ligne_Double_Cliquee(index.row()); });
}

bool LogList::eventFilter(QObject* objet, QEvent* evenement)
{
    // A list made shorter (the entry fields going onto two rows) keeps in
    // sight the selected line that was in sight.
    if (objet == Liste_KZT->viewport() && evenement->type() == QEvent::Resize) {
        const auto* taille = static_cast<QResizeEvent*>(evenement);
        const QModelIndex choisi = Liste_KZT->currentIndex();
        const QRect place = Liste_KZT->visualRect(choisi);
        if (choisi.isValid() && place.top() >= 0 && place.bottom() < taille->oldSize().height() &&
            place.bottom() >= taille->size().height()) {
            QMetaObject::invokeMethod(
                this,
                [this, ligne = QPersistentModelIndex(choisi)] {
                    if (ligne.isValid())
                        Liste_KZT->scrollTo(ligne);
                },
                Qt::QueuedConnection);
        }
    }
    if (m_verrouillee && (objet == Liste_KZT->viewport() || objet == Liste_KZT)) {
        switch (evenement->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        case QEvent::KeyPress: {
            // Tab still leaves the list.
            const int touche = static_cast<QKeyEvent*>(evenement)->key();
            return touche != Qt::Key_Tab && touche != Qt::Key_Backtab;
        }
        default:
            break;
        }
    }
    if (objet == Liste_KZT->viewport()) {
        if (evenement->type() == QEvent::MouseButtonPress)
            m_ligneAvantClic = Index_Selection();
        // The view reports a double-click on a line only; one beside the
        // lines (an empty list) is a double-click on the list all the same.
        if (evenement->type() == QEvent::MouseButtonDblClick &&
            !Liste_KZT->indexAt(static_cast<QMouseEvent*>(evenement)->position().toPoint())
                 .isValid())
            Q_EMIT Ligne_Double_Cliquee(-1);
    }
    // Enter on the selected line opens it as a double-click does.
    if (objet == Liste_KZT && evenement->type() == QEvent::KeyPress &&
        Apparence::Entree(static_cast<QKeyEvent*>(evenement))) {
        Q_EMIT Ligne_Double_Cliquee(Index_Selection());
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void LogList::Remplit(Affichage::Journal lignes)
{
    m_modele->remplit(std::move(lignes));
}

void LogList::Vide()
{
    m_modele->remplit({});
}

int LogList::Nombre() const
{
    return m_modele->rowCount();
}

QString LogList::Ligne(int index) const
{
    return m_modele->ligne(index);
}

int LogList::Index_Selection() const
{
    const QModelIndex actuel = Liste_KZT->selectionModel()->currentIndex();
    return actuel.isValid() && Liste_KZT->selectionModel()->isSelected(actuel) ? actuel.row() : -1;
}

void LogList::Selectionne(int index)
{
    const QModelIndex cible = m_modele->index(index);
    if (!cible.isValid()) {
        Liste_KZT->selectionModel()->clear();
        return;
    }
    // The view tells only when the current line changes; the choice is
    // told here instead, once, whether it changed or not.
    m_selectionEnCours = true;
    Liste_KZT->selectionModel()->setCurrentIndex(cible, QItemSelectionModel::ClearAndSelect);
    m_selectionEnCours = false;
    Liste_KZT->scrollTo(cible);
    Q_EMIT Ligne_Choisie(index);
}

void LogList::Selectionne_Derniere()
{
    Selectionne(Nombre() - 1);
}
