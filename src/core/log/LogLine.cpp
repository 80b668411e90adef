#include "LogLine.h"

#include "Texte.h"
#include "core/platform/Cp1252.h"

namespace LogLine {

namespace {

// A field checked, named as the messages say it: "le prénom" as the
// subject, "du prénom" after "le caractère".
struct Controle {
    const QString* texte;
    Colonne colonne;
    const char* nom;
    const char* duNom;
};

} // namespace

Formee forme(const Champs& c)
{
    const QString prenom = Cp1252::majusculesCp1252(c.prenom);
    const QString nom =
        Cp1252::majusculesCp1252(Texte::sansBlancs(c.nomMoulin).left(Nom_Moulin.largeur));

    const Controle controles[] = {
        {&c.indicatif, Indicatif, "l'indicatif", "de l'indicatif"},
        {&c.departement, Departement, "le département", "du département"},
        {&prenom, Prenom, "le prénom", "du prénom"},
        {&c.reference, Reference, "la référence du moulin", "de la référence du moulin"},
        {&c.date, Date, "la date", "de la date"},
        {&c.heure, Heure, "l'heure", "de l'heure"},
        {&c.mode, Mode, "le mode", "du mode"},
        {&c.bande, Bande, "la bande", "de la bande"},
        {&c.rstRecu, RST_Recu, "le report reçu", "du report reçu"},
        {&c.rstEnvoye, RST_Envoye, "le report envoyé", "du report envoyé"},
        {&nom, Nom_Moulin, "le nom du moulin", "du nom du moulin"},
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
                QStringLiteral("Le QSO n'est pas enregistré : le caractère %1 %2 ne peut pas "
                               "être enregistré dans le log.")
                    .arg(Cp1252::decrit(texte, mauvais), QString::fromUtf8(ctl.duNom));
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
