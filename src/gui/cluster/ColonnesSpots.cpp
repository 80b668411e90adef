#include "ColonnesSpots.h"

#include "ModeleSpots.h"

#include <QEvent>
#include <QHeaderView>
#include <QTreeView>

#include <numeric>

ColonnesSpots::ColonnesSpots(QTreeView* liste)
    : QObject(liste), m_liste(liste), m_vue(liste->viewport())
{
    static_assert(std::tuple_size_v<decltype(m_largeurs)> == ModeleSpots::nombreColonnes);
    const QFontMetrics m = liste->fontMetrics();
    const int marge = m.averageCharWidth() * 2;
    const auto largeur = [&](const char* texte) {
        return m.horizontalAdvance(QString::fromUtf8(texte)) + marge;
    };
    m_largeurs = {largeur("00000Z"),
                  largeur("il y a 00 h 00"),
                  largeur("10368000.0"),
                  largeur("F4ABC/MM00"),
                  largeur("Réf.000"),
                  largeur("432 Mhz0"),
                  largeur("Mode0"),
                  largeur("Déjà contacté le 00/00/00 sur 432 Mhz"),
                  largeur("KZT 77121 Moulin de la Galette"),
                  largeur("DL1ABC-12"),
                  largeur("30-Dec-2026")};
    m_etatMin = largeur("Nouveau département");
    m_commentaireMin = largeur("KZT 77121");
    QHeaderView* titres = liste->header();
    titres->setStretchLastSection(false);
    titres->setSectionResizeMode(ModeleSpots::Commentaire, QHeaderView::Stretch);
    titres->setMinimumSectionSize(qMin(titres->minimumSectionSize(), m_commentaireMin));
    for (int c = 0; c < ModeleSpots::nombreColonnes; ++c)
        titres->resizeSection(c, m_largeurs[size_t(c)]);
    m_vue->installEventFilter(this);
}

void ColonnesSpots::ajuste()
{
    const int place = m_liste->viewport()->width();
    const int autres = std::accumulate(m_largeurs.begin(), m_largeurs.end(), 0) -
                       m_largeurs[ModeleSpots::Etat] - m_largeurs[ModeleSpots::Commentaire];
    // The status as wide as it can be beside the narrowest comment.
    const int etat =
        qBound(m_etatMin, place - autres - m_commentaireMin, int(m_largeurs[ModeleSpots::Etat]));
    m_liste->header()->resizeSection(ModeleSpots::Etat, etat);
}

bool ColonnesSpots::eventFilter(QObject* objet, QEvent* evenement)
{
    // The list is not asked for anything else: the filter also sees the
    // events of its end, when it is half gone.
    if (evenement->type() == QEvent::Resize && objet == m_vue)
        ajuste();
    return QObject::eventFilter(objet, evenement);
}
