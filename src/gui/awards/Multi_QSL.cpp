#include "Multi_QSL.h"

#include "core/awards/QslNonRecues.h"
#include "core/log/Texte.h"
#include "core/platform/BoiteMessage.h"
#include "gui/platform/Apparence.h"
#include "gui/platform/Imprimante.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

// The lines of the list, each with its tick box.
class ListeCochee : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void remplit(const QStringList& lignes)
    {
        beginResetModel();
        m_lignes = lignes;
        m_cochees.assign(size_t(lignes.size()), false);
        endResetModel();
    }
    const QStringList& lignes() const { return m_lignes; }
    QStringList cochees() const
    {
        QStringList choisies;
        for (qsizetype i = 0; i < m_lignes.size(); ++i) {
            if (m_cochees[size_t(i)])
                choisies.append(m_lignes.at(i));
        }
        return choisies;
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_lignes.size());
    }
    QVariant data(const QModelIndex& index, int role_) const override
    {
        if (!index.isValid() || index.row() >= m_lignes.size())
            return {};
        if (role_ == Qt::DisplayRole)
            return m_lignes.at(index.row());
        if (role_ == Qt::CheckStateRole)
            return m_cochees[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& valeur, int role_) override
    {
        if (!index.isValid() || role_ != Qt::CheckStateRole || index.row() >= m_lignes.size())
            return false;
        m_cochees[size_t(index.row())] = valeur.toInt() == Qt::Checked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
    }

private:
    QStringList m_lignes;
    std::vector<bool> m_cochees;
};

namespace {

const QString kTitre = QStringLiteral("QSL's non reçues");

} // namespace

Multi_QSL::Multi_QSL(const Services& services, std::function<Affichage::Journal()> journal,
                     std::function<QString()> indicatif, QWidget* parent)
    : QWidget(parent, Qt::Window), m_services(services), m_journal(std::move(journal)),
      m_indicatif(std::move(indicatif)), m_imprimanteSysteme(std::make_unique<ImprimanteSysteme>()),
      m_imprimante(m_imprimanteSysteme.get())
{
    setObjectName(QStringLiteral("Multi_QSL"));
    Apparence::clavier(this);
    setWindowTitle(kTitre);
    setAccessibleName(windowTitle());

    Label2 = Apparence::nomme(new QLabel(kTitre, this), "Label2");
    QFont titre = Label2->font();
    titre.setBold(true);
    titre.setPointSizeF(titre.pointSizeF() * 1.3);
    Label2->setFont(titre);
    Label2->setAlignment(Qt::AlignCenter);

    Label3 = Apparence::nomme(new QLabel(QStringLiteral("QSL's non reçues de"), this), "Label3");
    Indicatif = Apparence::nomme(new QLineEdit(this), "Indicatif");
    Indicatif->setMaximumWidth(
        Indicatif->fontMetrics().horizontalAdvance(QString(16, QLatin1Char('W'))));
    Indicatif->installEventFilter(this);
    Label3->setBuddy(Indicatif);
    Label6 = Apparence::nomme(new QLabel(QStringLiteral("Cliquez"), this), "Label6");
    Recherche = Apparence::nomme(new QPushButton(QStringLiteral("ICI"), this), "Recherche");
    Label1 = Apparence::nomme(new QLabel(QStringLiteral("pour les afficher"), this), "Label1");
    Recherche->setAccessibleDescription(Label6->text() + QStringLiteral(" ") + Recherche->text() +
                                        QStringLiteral(" ") + Label1->text());

    m_modele = new ListeCochee(this);
    Liste_QSO = Apparence::nomme(new QListView(this), "Liste_QSO");
    Liste_QSO->setModel(m_modele);
    Liste_QSO->setUniformItemSizes(true);
    Liste_QSO->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_QSO->setAccessibleName(kTitre);
    QFont police = Apparence::policeListe();
    police.setPointSizeF(9);
    Liste_QSO->setFont(police);
    Liste_QSO->setMinimumSize(QFontMetrics(police).horizontalAdvance(QString(96, QLatin1Char('0'))),
                              360);

    Imprimer = Apparence::nomme(
        new QPushButton(QStringLiteral("Imprimer le dos d'une QSL avec la liste des QSO's cochés"),
                        this),
        "Imprimer");

    auto* recherche = new QHBoxLayout;
    recherche->addWidget(Label3);
    recherche->addWidget(Indicatif);
    recherche->addWidget(Label6);
    recherche->addWidget(Recherche);
    recherche->addWidget(Label1);
    recherche->addStretch(1);

    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(Imprimer);
    bas->addStretch(1);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(Label2);
    colonne->addLayout(recherche);
    colonne->addWidget(Liste_QSO, 1);
    colonne->addLayout(bas);

    connect(Recherche, &QPushButton::clicked, this, &Multi_QSL::Recherche_Click);
    connect(Imprimer, &QPushButton::clicked, this, &Multi_QSL::Imprimer_Click);

    adjustSize();
    Apparence::centreFenetre(this);
    m_modele->remplit({});
    Indicatif->setFocus();
}

Multi_QSL::~Multi_QSL() = default;

void Multi_QSL::changeImprimante(Imprimante* imprimante)
{
    m_imprimante = imprimante ? imprimante : m_imprimanteSysteme.get();
}

QStringList Multi_QSL::lignes() const
{
    return m_modele->lignes();
}

void Multi_QSL::cocheLigne(int index, bool cochee)
{
    m_modele->setData(m_modele->index(index), cochee ? Qt::Checked : Qt::Unchecked,
                      Qt::CheckStateRole);
}

QStringList Multi_QSL::lignesCochees() const
{
    return m_modele->cochees();
}

bool Multi_QSL::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != Indicatif || evenement->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objet, evenement);

    const auto* touche = static_cast<QKeyEvent*>(evenement);
    if (Apparence::toucheEntree(touche)) {
        Recherche_Click();
        Recherche->setFocus();
        return true;
    }
    return Apparence::majusculeTapee(Indicatif, touche);
}

void Multi_QSL::Recherche_Click()
{
    const QString saisie = Indicatif->text();
    if (saisie.isEmpty()) {
        m_services.messages.avise(QStringLiteral("Entrez un indicatif"));
        return;
    }
    // The callsign is printed on the QSL back: one line.
    if (const QString m = Texte::messageControle(QStringLiteral("Indicatif"), saisie);
        !m.isEmpty()) {
        m_services.messages.avise(m);
        return;
    }
    Label2->setText(QStringLiteral("QSL's non reçues de ") + saisie);
    m_modele->remplit({});
    m_modele->remplit(QslNonRecues::recherche(m_journal(), saisie));
}

void Multi_QSL::Imprimer_Click()
{
    if (m_modele->lignes().isEmpty()) {
        m_services.messages.avise(QStringLiteral("Pas de QSO a imprimer"));
        return;
    }
    const QStringList lignes =
        QslNonRecues::lignesCartes(Indicatif->text(), m_indicatif(), lignesCochees());
    const Imprimante::Resultat r = m_imprimante->imprimeLignes(lignes, this);
    if (!r.statut)
        m_services.messages.avise(r.statut.message);
}
