#include "BandGroups.h"

#include "LogLine.h"
#include "Texte.h"
#include "core/platform/Cp1252.h"
#include "core/platform/TextFile.h"

#include <cstring>

const QStringList& Bandes()
{
    static const QStringList bandes = [] {
        QStringList l;
        for (const Definition_Bande& b : Table_Bandes)
            l.append(QString::fromUtf16(b.libelle));
        return l;
    }();
    return bandes;
}

const Definition_Bande* Definition_De(QStringView libelle)
{
    for (const Definition_Bande& b : Table_Bandes) {
        if (QStringView(b.libelle) == libelle)
            return &b;
    }
    return nullptr;
}

const Definition_Bande* Definition_Adif(QStringView bande)
{
    for (const Definition_Bande& b : Table_Bandes) {
        if (bande.compare(QLatin1StringView(b.adif), Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

const Definition_Bande* Definition_Frequence(double mhz)
{
    for (const Definition_Bande& b : Table_Bandes) {
        if (mhz >= b.mhzBas && mhz <= b.mhzHaut)
            return &b;
    }
    return nullptr;
}

Groupe Groupe_De(QStringView bande)
{
    const Definition_Bande* b = Definition_De(Texte::sansBlancs(bande));
    return b ? b->groupe : Groupe::Aucun;
}

QString Nom_Groupe(Groupe groupe)
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

Groupe Groupe_Nomme(QStringView nom)
{
    for (Groupe g : {Groupe::HF, Groupe::VHF, Groupe::UHF}) {
        if (nom == Nom_Groupe(g))
            return g;
    }
    return Groupe::Aucun;
}

QString Groupe_Bande(const QString& bande)
{
    return Nom_Groupe(Groupe_De(bande));
}

const QStringList& Groupes_Bande()
{
    static const QStringList groupes = {Nom_Groupe(Groupe::HF), Nom_Groupe(Groupe::VHF),
                                        Nom_Groupe(Groupe::UHF)};
    return groupes;
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    const QString& groupe, Status* status)
{
    return Moulin_Deja_Contacte(cheminLog, reference, Groupe_Nomme(groupe), status);
}

MoulinContacte Moulin_Deja_Contacte(const QString& cheminLog, const QString& reference,
                                    Groupe groupe, Status* status)
{
    MoulinContacte resultat;
    QByteArray contenu;
    const Status lu = TextFile::readAll(cheminLog, &contenu);
    if (status)
        *status = lu;
    if (!lu || groupe == Groupe::Aucun)
        return resultat;

    QByteArray ref;
    if (!Cp1252::encode(reference, &ref) || ref.size() != LogLine::Reference.largeur)
        return resultat;

    const qsizetype debutRef = LogLine::Reference.debut - 1;
    TextFile::forEachLine(contenu, [&](const char* data, qsizetype taille) {
        if (resultat.trouve || taille < debutRef + ref.size())
            return;
        if (std::memcmp(data + debutRef, ref.constData(), size_t(ref.size())) != 0)
            return;
        const QString ligne = Cp1252::decode(data, taille);
        const QString bande = Texte::sansBlancs(LogLine::champ(ligne, LogLine::Bande));
        if (Groupe_De(bande) != groupe)
            return;
        resultat.trouve = true;
        resultat.date = LogLine::champ(ligne, LogLine::Date);
        resultat.bande = bande;
    });
    return resultat;
}
