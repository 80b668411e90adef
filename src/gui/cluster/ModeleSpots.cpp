#include "ModeleSpots.h"

#include "core/platform/Horloge.h"
#include "gui/platform/Apparence.h"

#include <algorithm>
#include <unordered_set>

#include <QBrush>
#include <QFont>

namespace {

using E = IndexMoulins::Etat;

// The background of a needed windmill: a new department stands out more.
const QColor fondNouveauMoulin(0xC0, 0xFF, 0xC0);
const QColor fondNouveauDepartement(0xFF, 0xD8, 0x90);

} // namespace

ModeleSpots::ModeleSpots(const TableauChasse& chasse, const Horloge& horloge, QObject* parent)
    : QAbstractTableModel(parent), m_chasse(chasse), m_horloge(horloge)
{
}

bool ModeleSpots::garde(const TableauChasse::Ligne& l) const
{
    if (m_filtre && !IndexMoulins::aContacter(l.marque.etat))
        return false;
    if (!m_bande.isEmpty() &&
        (!l.marque.bande || QString::fromUtf16(l.marque.bande->libelle) != m_bande))
        return false;
    return m_mode.isEmpty() || l.spot.mode == m_mode;
}

std::vector<quint64> ModeleSpots::rangeesVoulues() const
{
    std::vector<quint64> rangees;
    const auto& lignes = m_chasse.lignes();
    rangees.reserve(lignes.size());
    for (auto l = lignes.rbegin(); l != lignes.rend(); ++l) {
        if (garde(*l))
            rangees.push_back(l->numero);
    }
    trie(rangees);
    return rangees;
}

// The list follows the spots row by row: the spots that left are removed,
// those that came inserted, and the others stay the same rows for the view
// (its current row, its selection and the row the operator pressed stay on
// their spots). Only a change of order moves them, as a sort does.
void ModeleSpots::actualise()
{
    const std::vector<quint64> voulues = rangeesVoulues();
    const std::unordered_set<quint64> gardees(voulues.begin(), voulues.end());
    for (int r = int(m_rangees.size()) - 1; r >= 0;) {
        if (gardees.count(m_rangees[size_t(r)])) {
            --r;
            continue;
        }
        int debut = r;
        while (debut > 0 && !gardees.count(m_rangees[size_t(debut - 1)]))
            --debut;
        beginRemoveRows({}, debut, r);
        m_rangees.erase(m_rangees.begin() + debut, m_rangees.begin() + r + 1);
        endRemoveRows();
        r = debut - 1;
    }

    const std::unordered_set<quint64> presentes(m_rangees.begin(), m_rangees.end());
    std::vector<quint64> restantes;
    restantes.reserve(m_rangees.size());
    for (quint64 n : voulues) {
        if (presentes.count(n))
            restantes.push_back(n);
    }
    if (restantes != m_rangees)
        reordonne(std::move(restantes));

    for (size_t j = 0; j < voulues.size();) {
        if (j < m_rangees.size() && m_rangees[j] == voulues[j]) {
            ++j;
            continue;
        }
        size_t k = j;
        while (k < voulues.size() && !presentes.count(voulues[k]))
            ++k;
        beginInsertRows({}, int(j), int(k) - 1);
        m_rangees.insert(m_rangees.begin() + qsizetype(j), voulues.begin() + qsizetype(j),
                         voulues.begin() + qsizetype(k));
        endInsertRows();
        j = k;
    }
    // The marks may have changed with the log.
    if (!m_rangees.empty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, nombreColonnes - 1));
}

// The same rows in another order: the view's rows follow their spots.
void ModeleSpots::reordonne(std::vector<quint64> rangees)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList avant = persistentIndexList();
    std::vector<quint64> numeros;
    numeros.reserve(size_t(avant.size()));
    for (const QModelIndex& i : avant)
        numeros.push_back(i.row() < int(m_rangees.size()) ? m_rangees[size_t(i.row())] : 0);
    m_rangees = std::move(rangees);
    QModelIndexList apres;
    for (size_t k = 0; k < numeros.size(); ++k)
        apres.append(index(rangeeNumero(numeros[k]), avant[qsizetype(k)].column()));
    changePersistentIndexList(avant, apres);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// The rows in the order of the column chosen; the same key, the newest
// first. By time, the spots are in the order they were made, not received:
// a history comes after the live spots, the newest first.
void ModeleSpots::trie(std::vector<quint64>& rangees) const
{
    if (m_colonneTri < 0 || m_colonneTri >= nombreColonnes)
        return;
    const auto cle = [this](const TableauChasse::Ligne& l) -> QVariant {
        switch (m_colonneTri) {
        case Heure:
        case Age:
        case Date:
            return l.moment;
        case Frequence:
            return l.spot.hz;
        default:
            return texteColonne(l, m_colonneTri);
        }
    };
    std::vector<std::pair<QVariant, quint64>> cles;
    cles.reserve(rangees.size());
    for (quint64 n : rangees) {
        const TableauChasse::Ligne* l = m_chasse.ligneNumero(n);
        cles.emplace_back(l ? cle(*l) : QVariant(), n);
    }
    const bool croissant = m_ordre == Qt::AscendingOrder;
    std::stable_sort(cles.begin(), cles.end(), [croissant](const auto& a, const auto& b) {
        const QPartialOrdering o = QVariant::compare(a.first, b.first);
        if (o == QPartialOrdering::Equivalent || o == QPartialOrdering::Unordered)
            return a.second > b.second;
        return croissant ? o == QPartialOrdering::Less : o == QPartialOrdering::Greater;
    });
    for (size_t i = 0; i < cles.size(); ++i)
        rangees[i] = cles[i].second;
}

void ModeleSpots::sort(int colonne, Qt::SortOrder ordre)
{
    m_colonneTri = colonne;
    m_ordre = ordre;
    std::vector<quint64> rangees = m_rangees;
    trie(rangees);
    reordonne(std::move(rangees));
}

void ModeleSpots::filtre(bool seulementAContacter)
{
    m_filtre = seulementAContacter;
    actualise();
}

void ModeleSpots::filtreBande(const QString& bande)
{
    m_bande = bande;
    actualise();
}

void ModeleSpots::filtreMode(const QString& mode)
{
    m_mode = mode;
    actualise();
}

void ModeleSpots::vieillit()
{
    if (!m_rangees.empty())
        Q_EMIT dataChanged(index(0, Age), index(rowCount() - 1, Age), {Qt::DisplayRole});
}

int ModeleSpots::rangeeNumero(quint64 numero) const
{
    for (size_t r = 0; r < m_rangees.size(); ++r) {
        if (m_rangees[r] == numero)
            return int(r);
    }
    return -1;
}

const TableauChasse::Ligne* ModeleSpots::ligne(int rangee) const
{
    if (rangee < 0 || rangee >= int(m_rangees.size()))
        return nullptr;
    return m_chasse.ligneNumero(m_rangees[size_t(rangee)]);
}

int ModeleSpots::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rangees.size());
}

int ModeleSpots::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombreColonnes;
}

QString ModeleSpots::texteColonne(const TableauChasse::Ligne& l, int colonne) const
{
    switch (colonne) {
    case Heure:
        return l.spot.heure;
    case Age:
        return TableauChasse::age(l.moment, m_horloge.utcMaintenant());
    case Mode:
        return l.spot.mode;
    case Date:
        return l.spot.date;
    case Frequence:
        return l.spot.texteKhz();
    case Indicatif:
        return l.spot.indicatif;
    case Reference:
        return l.spot.reference.toUpper();
    case Bande:
        return l.marque.bande ? QString::fromUtf16(l.marque.bande->libelle) : QString();
    case Etat:
        return l.marque.texte;
    case Commentaire:
        return l.spot.commentaire;
    case Spotteur:
        return l.spot.spotteur;
    default:
        return QString();
    }
}

QVariant ModeleSpots::data(const QModelIndex& index, int role) const
{
    const TableauChasse::Ligne* l = ligne(index.row());
    if (!l || index.column() < 0 || index.column() >= nombreColonnes)
        return {};
    const E etat = l->marque.etat;
    switch (role) {
    case Qt::DisplayRole:
        return texteColonne(*l, index.column());
    case Qt::ToolTipRole:
        // A status or a comment too long for its column, whole.
        if (index.column() == Etat || index.column() == Commentaire)
            return texteColonne(*l, index.column());
        return {};
    case Qt::AccessibleTextRole: {
        // The whole spot for a screen reader, its status first.
        QStringList parties;
        if (!l->marque.texte.isEmpty())
            parties << l->marque.texte;
        parties << l->spot.indicatif << l->spot.texteKhz() + QStringLiteral(" kHz");
        if (!l->spot.reference.isEmpty())
            parties << QStringLiteral("moulin ") + l->spot.reference.toUpper();
        if (!l->spot.commentaire.isEmpty())
            parties << l->spot.commentaire;
        return parties.join(QStringLiteral(", "));
    }
    case Qt::ForegroundRole:
        if (etat == E::SansMoulin)
            return QBrush(Apparence::grisDesactive);
        // Dark on the light backgrounds of the needed windmills.
        if (IndexMoulins::aContacter(etat))
            return QBrush(Qt::black);
        return {};
    case Qt::BackgroundRole:
        if (etat == E::NouveauDepartement)
            return QBrush(fondNouveauDepartement);
        if (etat == E::NouveauMoulin)
            return QBrush(fondNouveauMoulin);
        return {};
    case Qt::FontRole:
        if (IndexMoulins::aContacter(etat)) {
            QFont gras;
            gras.setBold(true);
            return gras;
        }
        return {};
    default:
        return {};
    }
}

QVariant ModeleSpots::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titres[nombreColonnes] = {
        "Heure", "Âge",  "kHz",         "Indicatif", "Réf.", "Bande",
        "Mode",  "État", "Commentaire", "Spotteur",  "Date"};
    return section >= 0 && section < nombreColonnes ? QString::fromUtf8(titres[section])
                                                    : QVariant();
}
