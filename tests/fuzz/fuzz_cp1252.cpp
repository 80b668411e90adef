// Windows-1252 coding: any bytes read and written back are the same bytes;
// any text is either written whole, reading back as itself, or refused at its
// first character without a byte, with nothing written.

#include "Aleatoire.h"

#include <QList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QByteArray octets(reinterpret_cast<const char*>(donnees), qsizetype(taille));

    const QString texte = Cp1252::decode1252(octets);
    FUZZ_CHECK(texte.size() == octets.size());
    FUZZ_CHECK(texte == Cp1252::decode1252(octets.constData(), octets.size()));
    QString dans(octets.size(), Qt::Uninitialized);
    Cp1252::decodeDans(octets.constData(), octets.size(), dans.data());
    FUZZ_CHECK(dans == texte);
    FUZZ_CHECK(Cp1252::estCodable(texte));
    QByteArray retour;
    FUZZ_CHECK(Cp1252::encode1252(texte, &retour));
    FUZZ_CHECK(retour == octets);

    // Upper case keeps the length and stays writable.
    const QString majuscules = Cp1252::majusculesCp1252(texte);
    FUZZ_CHECK(majuscules.size() == texte.size());
    FUZZ_CHECK(Cp1252::estCodable(majuscules));
    FUZZ_CHECK(Cp1252::majusculesCp1252(majuscules) == majuscules);

    // The same bytes as UTF-16: any text, surrogates alone included.
    const QString libre(reinterpret_cast<const QChar*>(octets.constData()), octets.size() / 2);
    QByteArray sortie = "inchange";
    qsizetype mauvais = -2;
    const bool ecrit = Cp1252::encode1252(libre, &sortie, &mauvais);
    qsizetype indexEncodable = -2;
    FUZZ_CHECK(ecrit == Cp1252::estCodable(libre, &indexEncodable));
    if (ecrit) {
        FUZZ_CHECK(sortie.size() == libre.size());
        FUZZ_CHECK(Cp1252::decode1252(sortie) == libre);
    } else {
        FUZZ_CHECK(sortie == "inchange");
        FUZZ_CHECK(mauvais >= 0 && mauvais < libre.size());
        FUZZ_CHECK(mauvais == indexEncodable);
        FUZZ_CHECK(!Cp1252::estCodable(libre.at(mauvais)));
        for (qsizetype i = 0; i < mauvais; ++i)
            FUZZ_CHECK(Cp1252::estCodable(libre.at(i)));
        FUZZ_CHECK(!Cp1252::decrit(libre, mauvais).isEmpty());
    }
    const QString haut = Cp1252::majusculesCp1252(libre);
    FUZZ_CHECK(haut.size() == libre.size());
    if (ecrit)
        FUZZ_CHECK(Cp1252::estCodable(haut));
    return 0;
}
