#pragma once

#include "core/cluster/ChasseMoulins.h"

#include <QAbstractTableModel>

#include <vector>

// The spots of the windmill hunt as the window lists them, the newest
// first: each status written out and coloured, the needed windmills
// highlighted, the spots without a windmill in grey. With the filter on,
// only the windmills still to contact are listed.
class ModeleSpots : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Colonne { Heure, Frequence, Indicatif, Reference, Bande, Etat, Commentaire, Spotteur };
    static constexpr int nombreColonnes = 8;

    explicit ModeleSpots(const ChasseMoulins& chasse, QObject* parent = nullptr);

    // The spots or their marks changed: the list is made again.
    void actualise();
    void filtre(bool seulementAContacter);
    bool estFiltre() const { return m_filtre; }

    // The spot of a row of the list; nullptr outside it.
    const ChasseMoulins::Ligne* ligne(int rangee) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString texte(const ChasseMoulins::Ligne& l, int colonne) const;

    const ChasseMoulins& m_chasse;
    bool m_filtre = false;
    std::vector<int> m_rangees; // the place in the hunt's list of each row
};
