// The reading of a spot's comment: its windmill reference and its mode.

#include "Spot.h"

#include "core/log/Groupe.h"
#include "core/log/ModesLog.h"
#include "core/log/ReferenceMoulin.h"
#include "core/log/Texte.h"

QString Spot::referenceDans(QStringView t)
{
    return ReferenceMoulin::lue(t);
}

namespace {

// The first mode word of the comment, as written; empty for none.
QStringView premierMode(QStringView t)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!Texte::debutDeMot(t, i))
            continue;
        const qsizetype fin = Texte::finDeMot(t, i);
        const QStringView mot = t.sliced(i, fin - i);
        if (ModesLog::genre(mot) != ModesLog::Genre::Inconnu)
            return mot;
        i = fin;
    }
    return QStringView();
}

} // namespace

QString Spot::modeDans(QStringView t)
{
    const QStringView mot = premierMode(t);
    if (mot.isEmpty())
        return QString();
    const QString court = ModesLog::court(mot);
    return court.isEmpty() ? mot.toString().toUpper() : court;
}

QString Spot::modeRadioDans(QStringView commentaire, qint64 hz)
{
    const QStringView mot = premierMode(commentaire);
    if (mot.isEmpty())
        return ModesLog::modeRadio(modePlan(hz), hz);
    return ModesLog::modeRadio(mot, hz);
}
