#pragma once

#include "core/log/Affichage.h"

#include <QLabel>

#include <span>

class QAbstractItemView;

// The column titles over a list of fixed-pitch lines, in the list's font. The
// label holds the titles as one text (the header as the program gives it),
// but the blanks of that text need not fall on the columns of the lines; each
// title is drawn over its column instead, starting where the text of the
// list's lines starts.
class TitresColonnes : public QLabel {
public:
    TitresColonnes(const QString& texte, std::span<const Affichage::Titre> titres,
                   QAbstractItemView* liste, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::span<const Affichage::Titre> m_titres;
};
