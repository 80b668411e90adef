#pragma once

#include "core/cluster/TableauChasse.h"

class Horloge;

#include <QAbstractTableModel>

#include <vector>

// The spots of the windmill hunt as the window lists them, the newest
// first unless sorted by another column: each status written out and
// coloured, the needed windmills highlighted, the spots without a windmill
// in grey, each spot's age beside its time. The filters keep the windmills
// still to contact, one band, one mode. A row holds its spot by its order of
// arrival, so that it stays the same spot when the oldest leave the list.
class ModeleSpots : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Colonne {
        Heure,
        Age,
        Frequence,
        Indicatif,
        Reference,
        Bande,
        Mode,
        Etat,
        Commentaire,
        Spotteur,
        Date
    };
    static constexpr int nombreColonnes = 11;

    ModeleSpots(const TableauChasse& chasse, const Horloge& horloge, QObject* parent = nullptr);

    // The spots or their marks changed: the rows of the spots that left are
    // removed, those of the spots that came inserted, the others kept.
    void actualise();
    void filtre(bool seulementAContacter);
    bool estFiltre() const { return m_filtre; }
    // The band list's label and the log's mode kept; empty: all of them.
    void filtreBande(const QString& bande);
    void filtreMode(const QString& mode);
    // The ages shown again, as the clock moved.
    void vieillit();
    // The row of the spot of that order of arrival; -1 when it is not listed.
    int rangeeNumero(quint64 numero) const;

    // The spot of a row of the list; nullptr outside it.
    const TableauChasse::Ligne* ligne(int rangee) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int colonne, Qt::SortOrder ordre) override;

private:
    QString texteColonne(const TableauChasse::Ligne& l, int colonne) const;
    bool garde(const TableauChasse::Ligne& l) const;
    // The spots to list, filtered and in the order chosen.
    std::vector<quint64> rangeesVoulues() const;
    void trie(std::vector<quint64>& rangees) const;
    void reordonne(std::vector<quint64> rangees);

    const TableauChasse& m_chasse;
    const Horloge& m_horloge;
    bool m_filtre = false;
    QString m_bande;
    QString m_mode;
    int m_colonneTri = Heure;
    Qt::SortOrder m_ordre = Qt::DescendingOrder;
    std::vector<quint64> m_rangees; // the order of arrival of each row's spot
};
