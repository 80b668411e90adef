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

QChar majusculeTapee(QChar c)
{
    return c >= QLatin1Char('a') && c <= QLatin1Char('z') ? QChar(c.unicode() - u'a' + u'A') : c;
}

QString majusculesTapees(QString texte)
{
    for (QChar& c : texte)
        c = majusculeTapee(c);
    return texte;
}

bool chiffre(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool chiffres(QStringView texte)
{
    for (const QChar c : texte) {
        if (!chiffre(c))
            return false;
    }
    return true;
}

bool debutDeMot(QStringView texte, qsizetype i)
{
    return i == 0 || !texte.at(i - 1).isLetterOrNumber();
}

qsizetype finDeMot(QStringView texte, qsizetype i)
{
    while (i < texte.size() && texte.at(i).isLetterOrNumber())
        ++i;
    return i;
}

QString completeABlancs(const QString& texte, qsizetype largeur)
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

qsizetype premierControle(QStringView texte)
{
    for (qsizetype i = 0; i < texte.size(); ++i) {
        switch (texte.at(i).category()) {
        case QChar::Other_Control:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return i;
        default:
            break;
        }
    }
    return -1;
}

QString messageControle(const QString& champ, QStringView texte)
{
    const qsizetype i = premierControle(texte);
    if (i < 0)
        return QString();
    const char16_t c = texte.at(i).unicode();
    QString quoi;
    if (c == u'\n' || c == u'\r' || c == 0x85 || c == 0x2028 || c == 0x2029)
        quoi = QStringLiteral("un saut de ligne");
    else if (c == u'\t')
        quoi = QStringLiteral("une tabulation");
    else
        quoi = QStringLiteral("un caractère de contrôle (U+%1)")
                   .arg(QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    return QStringLiteral("Le champ « %1 » contient %2, qui ne peut pas être enregistré : "
                          "retirez-le.")
        .arg(champ, quoi);
}

} // namespace Texte
