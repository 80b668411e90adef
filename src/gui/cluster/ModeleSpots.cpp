#include "ModeleSpots.h"

#include "gui/platform/Apparence.h"

#include <QBrush>
#include <QFont>

namespace {

using E = IndexMoulins::Etat;

// The background of a needed windmill: a new department stands out more.
const QColor fondNouveauMoulin(0xC0, 0xFF, 0xC0);
const QColor fondNouveauDepartement(0xFF, 0xD8, 0x90);

} // namespace

ModeleSpots::ModeleSpots(const ChasseMoulins& chasse, QObject* parent)
    : QAbstractTableModel(parent), m_chasse(chasse)
{
}

void ModeleSpots::actualise()
{
    beginResetModel();
    m_rangees.clear();
    const auto& lignes = m_chasse.lignes();
    m_rangees.reserve(lignes.size());
    for (int i = int(lignes.size()) - 1; i >= 0; --i) {
        if (!m_filtre || IndexMoulins::aContacter(lignes[size_t(i)].marque.etat))
            m_rangees.push_back(i);
    }
    endResetModel();
}

void ModeleSpots::filtre(bool seulementAContacter)
{
    m_filtre = seulementAContacter;
    actualise();
}

const ChasseMoulins::Ligne* ModeleSpots::ligne(int rangee) const
{
    if (rangee < 0 || rangee >= int(m_rangees.size()))
        return nullptr;
    const size_t i = size_t(m_rangees[size_t(rangee)]);
    return i < m_chasse.lignes().size() ? &m_chasse.lignes()[i] : nullptr;
}

int ModeleSpots::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rangees.size());
}

int ModeleSpots::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : nombreColonnes;
}

QString ModeleSpots::texte(const ChasseMoulins::Ligne& l, int colonne) const
{
    switch (colonne) {
    case Heure:
        return l.spot.heure;
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
    const ChasseMoulins::Ligne* l = ligne(index.row());
    if (!l || index.column() < 0 || index.column() >= nombreColonnes)
        return {};
    const E etat = l->marque.etat;
    switch (role) {
    case Qt::DisplayRole:
        return texte(*l, index.column());
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
    static const char* const titres[nombreColonnes] = {"Heure", "kHz",  "Indicatif",   "Réf.",
                                                       "Bande", "État", "Commentaire", "Spotteur"};
    return section >= 0 && section < nombreColonnes ? QString::fromUtf8(titres[section])
                                                    : QVariant();
}
