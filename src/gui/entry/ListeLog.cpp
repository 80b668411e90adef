#include "ListeLog.h"

#include "gui/platform/Apparence.h"
#include "gui/platform/TitresColonnes.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QTreeView>
#include <QVBoxLayout>

#include <QtMath>

namespace {

// Draws a line of the list as the style draws an item, but lays its text out
// once: the style measures the text again for each rectangle it places, and
// the text of the lines is most of the drawing of the window.
class DessinLigne : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* w = opt.widget;
        const QStyle* style = w ? w->style() : QApplication::style();
        QTextLayout mise(opt.text, opt.font);
        QPointF position;
        // Anything but one line of text that fits its place (a check box,
        // an icon, a line being edited, a text that must be cut) is left to
        // the style.
        if (opt.text.isEmpty() || opt.features != QStyleOptionViewItem::HasDisplay ||
            (opt.state & QStyle::State_Editing) || opt.direction != Qt::LeftToRight ||
            !place(opt, style, &mise, &position)) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        p->save();
        p->setClipRegion(p->hasClipping() ? (p->clipRegion() & opt.rect) : QRegion(opt.rect));
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, p, w);
        QPalette::ColorGroup groupe =
            (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (groupe == QPalette::Normal && !(opt.state & QStyle::State_Active))
            groupe = QPalette::Inactive;
        p->setPen(opt.palette.color(groupe, (opt.state & QStyle::State_Selected)
                                                ? QPalette::HighlightedText
                                                : QPalette::Text));
        mise.draw(p, position);
        if (opt.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(opt);
            focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &opt, w);
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            const QPalette::ColorGroup fond =
                (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
            focus.backgroundColor =
                opt.palette.color(fond, (opt.state & QStyle::State_Selected) ? QPalette::Highlight
                                                                             : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, w);
        }
        p->restore();
    }

private:
    // Lays the text out where the style puts it: in the rectangle of its
    // measured size (the whole line when the style shows the selection over
    // it), within the margins of a text, centred in height. False when the
    // text does not stand on one line within that place.
    static bool place(const QStyleOptionViewItem& opt, const QStyle* style, QTextLayout* mise,
                      QPointF* position)
    {
        constexpr int kSansLimite = 1 << 24;
        const int marge = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        QTextOption options;
        options.setWrapMode(QTextOption::ManualWrap);
        options.setTextDirection(opt.direction);
        options.setAlignment(QStyle::visualAlignment(opt.direction, opt.displayAlignment));
        mise->setTextOption(options);
        mise->beginLayout();
        QTextLine ligne = mise->createLine();
        ligne.setLineWidth(kSansLimite);
        const qreal largeur = ligne.naturalTextWidth();
        const qreal hauteur = ligne.height();
        QRect zone = opt.rect;
        if (!opt.showDecorationSelected) {
            const QSize taille(qCeil(largeur) + 2 * marge, qCeil(hauteur));
            zone = QStyle::alignedRect(opt.direction, opt.displayAlignment,
                                       taille.boundedTo(opt.rect.size()), opt.rect);
        }
        zone.adjust(marge, 0, -marge, 0);
        const bool uneLigne = !mise->createLine().isValid();
        ligne.setLineWidth(zone.width());
        mise->endLayout();
        if (!uneLigne || largeur > zone.width())
            return false;
        const QRect rangee = QStyle::alignedRect(Qt::LayoutDirectionAuto, opt.displayAlignment,
                                                 QSizeF(zone.width(), hauteur).toSize(), zone);
        *position = QPointF(zone.x(), rangee.top());
        return true;
    }
};

} // namespace

// The display lines of the log, made only for the rows the view shows.
class ListeLog::Modele : public QAbstractListModel {
    struct Relache : QEvent {
        explicit Relache(Affichage::Journal j) : QEvent(QEvent::User), journal(std::move(j)) {}
        Affichage::Journal journal;
    };

public:
    using QAbstractListModel::QAbstractListModel;

    void remplit(Affichage::Journal journal)
    {
        Affichage::Journal ancien = std::move(m_journal);
        beginResetModel();
        m_journal = std::move(journal);
        m_nombre = int(m_journal.size());
        endResetModel();
        // The journal replaced lets go of its file once the list is drawn:
        // closing the last hold on a log replaced by a save frees its disk
        // blocks, a few milliseconds on a long log. The event that carries it
        // comes after the drawing, which Qt posts at low priority, and the
        // journal goes with the event.
        if (ancien.size() > 0)
            QCoreApplication::postEvent(this, new Relache(std::move(ancien)),
                                        Qt::LowEventPriority - 1);
    }
    const Affichage::Journal& journal() const { return m_journal; }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_nombre;
    }
    // What the list model gives, without asking the counts again: the view
    // asks for every line when it lays the list out.
    QModelIndex index(int rangee, int colonne = 0, const QModelIndex& parent = {}) const override
    {
        return !parent.isValid() && colonne == 0 && rangee >= 0 && rangee < m_nombre
                   ? createIndex(rangee, 0)
                   : QModelIndex();
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }
    QVariant data(const QModelIndex& index, int role_) const override
    {
        if ((role_ != Qt::DisplayRole && role_ != Qt::AccessibleTextRole) || !index.isValid())
            return {};
        const int rangee = index.row();
        if (rangee >= m_journal.size())
            return {};
        // A screen reader says the fields, not the blanks between them.
        if (role_ == Qt::AccessibleTextRole)
            return Affichage::texteLisible(m_journal.at(rangee));
        return m_journal.at(rangee);
    }

private:
    Affichage::Journal m_journal;
    int m_nombre = 0;
};

ListeLog::ListeLog(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("L_Communes"));
    const QString aide = QStringLiteral(
        "Un clique sur un QSO pour l'afficher ou le supprimer, un double clique pour l'editer");
    setToolTip(aide);

    const QFont police = Apparence::policeListe();

    m_modele = new Modele(this);
    // One column of lines of one height: the view places a line by its
    // number, without laying out the tens of thousands of lines before it
    // at each load and each selection.
    Liste_KZT = new QTreeView(this);
    Liste_KZT->setObjectName(QStringLiteral("Liste_KZT"));
    Liste_KZT->setToolTip(aide);
    Liste_KZT->setAccessibleName(QStringLiteral("Liste des QSO"));
    Liste_KZT->setModel(m_modele);
    Liste_KZT->setItemDelegate(new DessinLigne(Liste_KZT));
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
    Apparence::couleurFond(Liste_KZT, Apparence::jauneClair);

    // The titles start where the text of the list lines starts.
    Label_Liste = new TitresColonnes(titresListe, Affichage::titresListe, Liste_KZT);
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
                    Q_EMIT aChoisiLigne(actuel.row());
            });
    // A click on the line that is already selected changes nothing in the
    // view, but is a choice all the same.
    Liste_KZT->viewport()->installEventFilter(this);
    Liste_KZT->installEventFilter(this);
    connect(Liste_KZT, &QTreeView::pressed, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() == m_ligneAvantClic)
            Q_EMIT aChoisiLigne(index.row());
    });
    connect(Liste_KZT, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT ligneDoubleCliquee(index.row()); });
}

bool ListeLog::eventFilter(QObject* objet, QEvent* evenement)
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
            m_ligneAvantClic = indexSelection();
        // The view reports a double-click on a line only; one beside the
        // lines (an empty list) is a double-click on the list all the same.
        if (evenement->type() == QEvent::MouseButtonDblClick &&
            !Liste_KZT->indexAt(static_cast<QMouseEvent*>(evenement)->position().toPoint())
                 .isValid())
            Q_EMIT ligneDoubleCliquee(-1);
    }
    // Enter on the selected line opens it as a double-click does.
    if (objet == Liste_KZT && evenement->type() == QEvent::KeyPress &&
        Apparence::toucheEntree(static_cast<QKeyEvent*>(evenement))) {
        Q_EMIT ligneDoubleCliquee(indexSelection());
        return true;
    }
    return QWidget::eventFilter(objet, evenement);
}

void ListeLog::remplitListe(Affichage::Journal lignes)
{
    m_modele->remplit(std::move(lignes));
}

void ListeLog::videListe()
{
    m_modele->remplit({});
}

int ListeLog::nombreLignes() const
{
    return m_modele->rowCount();
}

QString ListeLog::texteLigne(int index) const
{
    return m_modele->journal().at(index);
}

const Affichage::Journal& ListeLog::journalAffiche() const
{
    return m_modele->journal();
}

int ListeLog::indexSelection() const
{
    const QModelIndex actuel = Liste_KZT->selectionModel()->currentIndex();
    return actuel.isValid() && Liste_KZT->selectionModel()->isSelected(actuel) ? actuel.row() : -1;
}

void ListeLog::selectionne(int index)
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
    Q_EMIT aChoisiLigne(index);
}

void ListeLog::selectionneDerniere()
{
    selectionne(nombreLignes() - 1);
}
