#include "LogLine.h"

#include "Texte.h"
#include "core/platform/Cp1252.h"

namespace LogLine {

namespace {

struct Controle {
    const QString* texte;
    Colonne colonne;
    const char* nom;
};

} // namespace

Formee forme(const Champs& c)
{
    const QString prenom = Cp1252::majusculesCp1252(c.prenom);
    const QString nom =
        Cp1252::majusculesCp1252(Texte::sansBlancs(c.nomMoulin).left(Nom_Moulin.largeur));

    const Controle controles[] = {
        {&c.indicatif, Indicatif, "l'indicatif"},
        {&c.departement, Departement, "le département"},
        {&prenom, Prenom, "le prénom"},
        {&c.reference, Reference, "la référence du moulin"},
        {&c.date, Date, "la date"},
        {&c.heure, Heure, "l'heure"},
        {&c.mode, Mode, "le mode"},
        {&c.bande, Bande, "la bande"},
        {&c.rstRecu, RST_Recu, "le report reçu"},
        {&c.rstEnvoye, RST_Envoye, "le report envoyé"},
        {&nom, Nom_Moulin, "le nom du moulin"},
    };

    Formee f;
    QString ligne;
    ligne.reserve(Longueur);
    for (const Controle& ctl : controles) {
        const QString& texte = *ctl.texte;
        if (texte.size() > ctl.colonne.largeur) {
            f.erreur =
                QStringLiteral("Le QSO n'est pas enregistré : %1 « %2 » dépasse %3 caractères.")
                    .arg(QString::fromUtf8(ctl.nom), texte)
                    .arg(ctl.colonne.largeur);
            return f;
        }
        qsizetype mauvais = 0;
        if (!Cp1252::estCodable(texte, &mauvais)) {
            f.erreur =
                QStringLiteral("Le QSO n'est pas enregistré : le caractère %1 de %2 ne peut pas "
                               "être enregistré dans le log.")
                    .arg(Cp1252::decrit(texte, mauvais), QString::fromUtf8(ctl.nom));
            return f;
        }
        ligne += Texte::completeABlancs(texte, ctl.colonne.largeur);
        ligne += QLatin1Char(' ');
    }
    ligne += c.qsl ? QLatin1Char('*') : QLatin1Char(' ');
    f.ligne = ligne;
    return f;
}

QString champ(const QString& ligne, Colonne colonne)
{
    return Texte::colonnes(ligne, colonne.debut, colonne.largeur);
}

} // namespace LogLine

const QStringList& listeModes()
{
    static const QStringList modes = {QStringLiteral("SSB"), QStringLiteral("CW"),
                                      QStringLiteral("FM")};
    return modes;
}
