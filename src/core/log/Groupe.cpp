#include "Groupe.h"

#include "LogLine.h"
#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/FichierTexte.h"

#include <cstring>

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

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Statut* statut)
{
    return Moulin_Deja_Contacte(cheminLog, reference, groupeNomme(groupe), statut);
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    Groupe groupe, Statut* statut)
{
    MoulinContacte resultat;
    QByteArray contenu;
    const Statut lu = FichierTexte::litTout(cheminLog, &contenu);
    if (statut)
        *statut = lu;
    if (!lu || groupe == Groupe::Aucun)
        return resultat;

    QByteArray referenceDonnee;
    if (!Cp1252::encode1252(reference, &referenceDonnee) ||
        referenceDonnee.size() != LogLine::Reference.largeur)
        return resultat;

    const qsizetype debutRef = LogLine::Reference.debut - 1;
    FichierTexte::pourChaqueLigne(contenu, [&](const char* donnees, qsizetype taille) {
        if (resultat.trouve || taille < debutRef + referenceDonnee.size())
            return;
        if (std::memcmp(donnees + debutRef, referenceDonnee.constData(),
                        size_t(referenceDonnee.size())) != 0)
            return;
        const QString ligne = Cp1252::decode1252(donnees, taille);
        const QString bande = Texte::sansBlancs(LogLine::champ(ligne, LogLine::Bande));
        if (groupeDe(bande) != groupe)
            return;
        resultat.trouve = true;
        resultat.date = LogLine::champ(ligne, LogLine::Date);
        resultat.bande = bande;
    });
    return resultat;
}
