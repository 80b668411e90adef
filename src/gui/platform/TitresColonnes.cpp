#include "TitresColonnes.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>

TitresColonnes::TitresColonnes(const QString& texte, std::span<const Affichage::Titre> titres,
                               QAbstractItemView* liste, QWidget* parent)
    : QLabel(texte, parent), m_titres(titres)
{
    setTextFormat(Qt::PlainText);
    setFont(liste->font());
    // The lines' text starts after the frame of the list and the margin the
    // style leaves before an item's text.
    const int marge = liste->frameWidth() +
                      liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, liste) + 1;
    setContentsMargins(marge, 2, 0, 2);
}

QSize TitresColonnes::sizeHint() const
{
    // As wide as the titles drawn, whatever the text held.
    const QFontMetricsF mesure(font());
    qreal droite = 0;
    for (const Affichage::Titre& t : m_titres) {
        droite = qMax(droite, mesure.horizontalAdvance(QString(t.colonne - 1, QLatin1Char(' ')) +
                                                       QString::fromUtf8(t.texte)));
    }
    const QMargins m = contentsMargins();
    return {int(std::ceil(droite)) + m.left() + m.right(),
            QFontMetrics(font()).height() + m.top() + m.bottom()};
}

QSize TitresColonnes::minimumSizeHint() const
{
    return sizeHint();
}

void TitresColonnes::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    peintre.setFont(font());
    peintre.setPen(palette().color(QPalette::WindowText));
    // Measured as the lines are laid out: a run of characters, whose advance
    // need not be a whole number of pixels per character.
    const QRectF zone = contentsRect();
    const QFontMetricsF mesure(font());
    for (const Affichage::Titre& t : m_titres) {
        const qreal x = mesure.horizontalAdvance(QString(t.colonne - 1, QLatin1Char(' ')));
        peintre.drawText(QRectF(zone.left() + x, zone.top(), zone.width(), zone.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(t.texte));
    }
}
