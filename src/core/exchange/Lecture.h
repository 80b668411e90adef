#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// The reading of an ADI file of ADIF 3.1, as other logging programs write
// it: an optional header (a file whose first character is "<" has none)
// ended by <eoh>, then records of fields <NAME:length> or
// <NAME:length:type> followed by their value, each record ended by <eor>.
// Tags are read in any case; the text between fields is ignored. The file is
// UTF-8 when its bytes are valid UTF-8, Windows-1252 otherwise, and a length
// counts the characters of the value in that encoding.
namespace Adif {

struct Champ {
    QStringView nom; // as written in the file
    QStringView valeur;
};

struct Enregistrement {
    std::vector<Champ> champs;
    qsizetype debut = 0; // where its first tag starts in the text
    qsizetype fin = 0;   // just after its <eor>
    // The value of the last field of that name (any case); empty when the
    // record has none.
    QStringView valeur(QLatin1StringView nom) const;
    bool contient(QLatin1StringView nom) const;
};

struct Lecture {
    // The text of the file; the fields and records point into it.
    QString texte;
    bool utf8 = false;
    std::vector<Enregistrement> enregistrements;
    // The file ends inside a record (a field cut short, or no <eor> after
    // the last fields): that record is not among the others, and starts here.
    bool tronque = false;
    qsizetype debutTronque = 0;
};

// The text of the file's bytes, by the rule above (a byte-order mark is left
// out).
QString texteFichier(const QByteArray& octets, bool* utf8 = nullptr);

Lecture litOctets(const QByteArray& octets);

} // namespace Adif
