#include "Groupe.h"

#include "Texte.h"

const QStringList& listeBandes()
{
    static const QStringList bandes = [] {
        QStringList l;
        for (const DefinitionBande& b : tableBandes)
            l.append(QString::fromUtf16(b.libelle));
        return l;
    }();
    return bandes;
}

const DefinitionBande* definitionDe(QStringView libelle)
{
    for (const DefinitionBande& b : tableBandes) {
        if (QStringView(b.libelle) == libelle)
            return &b;
    }
    return nullptr;
}

const DefinitionBande* definitionAdif(QStringView bande)
{
    for (const DefinitionBande& b : tableBandes) {
        if (bande.compare(QLatin1StringView(b.adif), Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

const DefinitionBande* definitionFrequence(double mhz)
{
    for (const DefinitionBande& b : tableBandes) {
        if (mhz >= b.mhzBas && mhz <= b.mhzHaut)
            return &b;
    }
    return nullptr;
}

const DefinitionBande* definitionRadio(qint64 hz)
{
    // Compared in Hz: 14 350 000 Hz is in the band, 14 350 001 Hz is not.
    for (const DefinitionBande& b : tableBandes) {
        if (hz >= b.khzRadioBas * 1000 && hz <= b.khzRadioHaut * 1000)
            return &b;
    }
    return nullptr;
}

QString modePlan(qint64 hz)
{
    // On the edge of two segments, the later one: 432 000 kHz starts the
    // CW part of 70 cm.
    const SegmentMode* trouve = nullptr;
    for (const SegmentMode& s : planBandes) {
        if (hz >= s.khzBas * 1000 && hz <= s.khzHaut * 1000)
            trouve = &s;
    }
    return trouve ? QString::fromLatin1(trouve->mode) : QStringLiteral("SSB");
}

Groupe groupeDe(QStringView bande)
{
    const DefinitionBande* b = definitionDe(Texte::sansBlancs(bande));
    return b ? b->groupe : Groupe::Aucun;
}

QString nomGroupe(Groupe groupe)
{
    switch (groupe) {
    case Groupe::HF:
        return QStringLiteral("HF");
    case Groupe::VHF:
        return QStringLiteral("VHF");
    case Groupe::UHF:
        return QStringLiteral("UHF");
    case Groupe::Aucun:
        break;
    }
    return QString();
}

Groupe groupeNomme(QStringView nom)
{
    for (Groupe g : {Groupe::HF, Groupe::VHF, Groupe::UHF}) {
        if (nom == nomGroupe(g))
            return g;
    }
    return Groupe::Aucun;
}

QString Groupe_Bande(const QString& bande)
{
    return nomGroupe(groupeDe(bande));
}

const QStringList& groupesBande()
{
    static const QStringList groupes = {nomGroupe(Groupe::HF), nomGroupe(Groupe::VHF),
                                        nomGroupe(Groupe::UHF)};
    return groupes;
}
