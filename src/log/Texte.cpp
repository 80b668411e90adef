#include "Texte.h"

namespace Texte {

QStringView sansBlancs(QStringView texte)
{
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte.at(debut) == QLatin1Char(' '))
        ++debut;
    while (fin > debut && texte.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return texte.mid(debut, fin - debut);
}

QString sansBlancs(const QString& texte)
{
    return sansBlancs(QStringView(texte)).toString();
}

QString sansBlancsDroite(const QString& texte)
{
    qsizetype fin = texte.size();
    while (fin > 0 && texte.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return texte.left(fin);
}

QString complete(const QString& texte, qsizetype largeur)
{
    return texte.size() >= largeur ? texte
                                   : texte + QString(largeur - texte.size(), QLatin1Char(' '));
}

QString colonnes(const QString& texte, int debut, int largeur)
{
    if (debut - 1 >= texte.size())
        return QString();
    return texte.mid(debut - 1, largeur);
}

} // namespace Texte
