#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <functional>
#include <optional>
#include <vector>

// The reading of an ADI file of ADIF 3.1, as other logging programs write
// it: an optional header (a file whose first character is "<" has none)
// ended by <eoh>, then records of fields <NAME:length> or
// <NAME:length:type> followed by their value, each record ended by <eor>.
// Tags are read in any case; the text between fields is ignored. The file is
// UTF-8 when its bytes are valid UTF-8, Windows-1252 otherwise, and a length
// counts the characters of the value in that encoding. Some programs count
// the bytes of a UTF-8 value instead: a value whose bytes are all read when
// a tag starts ends there, and does not swallow the next field.
namespace Adif {

struct Champ {
    QStringView nom; // as written in the file
    QStringView valeur;
};

struct Enregistrement {
    // The record as the file holds it, from its first tag to just after its
    // <eor>: the fields point into it.
    QString texte;
    std::vector<Champ> champs;
    qsizetype debut = 0; // where its first tag starts in the text of the file
    qsizetype fin = 0;   // just after its <eor>
    // The value of the last field of that name (any case); empty when the
    // record has none.
    QStringView valeur(QLatin1StringView nom) const;
    bool contient(QLatin1StringView nom) const;
};

// Whether bytes given in pieces, in order, are valid UTF-8 as a whole: a
// file is read twice, once for this and once for its records, and never
// stands whole in memory.
class VerificationUtf8 {
public:
    void ajoute(QByteArrayView octets);
    // After the last piece.
    bool valide();

private:
    QByteArray m_reste; // the start of a character cut by the end of a piece
    bool m_valide = true;
};

// Reads the records of a file whose bytes come in pieces, in order, and
// hands each record to the visitor as soon as its <eor> is read: only the
// record being read stands in memory, whatever the size of the file. Every
// character is looked at a bounded number of times: a "<" that opens no tag
// is over at the next "<".
class Lecteur {
public:
    using Visite = std::function<void(const Enregistrement&)>;

    // The encoding of the whole file (see estUtf8).
    explicit Lecteur(bool utf8);

    void ajoute(QByteArrayView octets, const Visite& visite);
    // After the last piece: the records still to give, and whether the file
    // ends inside one.
    void termine(const Visite& visite);

    // The file ends inside a record (a field cut short, or no <eor> after
    // the last fields): that record is not given, and starts here.
    bool tronque() const { return m_tronque; }
    qsizetype debutTronque() const { return m_debutTronque; }
    // Its text, to the end of the file.
    const QString& texteTronque() const { return m_texteTronque; }

private:
    enum class Etat { Chevron, Tag, Valeur, Fini };
    struct Position {
        qsizetype nom;
        qsizetype tailleNom;
        qsizetype valeur;
        qsizetype tailleValeur;
    };

    void analyse(bool fin, const Visite& visite);
    void donne(qsizetype fin, const Visite& visite);
    void coupe();
    void compacte();

    bool m_utf8;
    std::optional<QStringDecoder> m_decodeur;
    // The text not read yet, and what the record being read needs of it:
    // m_texte[0] is character m_base of the text of the file.
    QString m_texte;
    qsizetype m_base = 0;
    bool m_debutVu = false;  // a first character has come: a byte-order mark is left out
    bool m_enteteVu = false; // the character that says whether there is a header has come
    bool m_entete = true;
    Etat m_etat = Etat::Chevron;
    qsizetype m_pos = 0;      // where the next "<" is looked for, or the "<" of the tag
    qsizetype m_balayage = 0; // how far the end of the tag has been looked for
    // The field whose value is being read: its name, where its value
    // starts, how far it is read and how many characters it still lacks.
    qsizetype m_nom = 0;
    qsizetype m_tailleNom = 0;
    qsizetype m_valeur = 0;
    qsizetype m_valeurLue = 0;
    qsizetype m_reste = 0;
    // A UTF-8 file may count the bytes of a value instead: how many bytes
    // are read, and where the value ends when it does (-1: not yet).
    qsizetype m_longueur = 0;
    qsizetype m_octetsLus = 0;
    qsizetype m_finOctets = -1;
    // The record being read: where its first tag starts, and its fields.
    qsizetype m_debutRecord = 0;
    std::vector<Position> m_champs;
    bool m_tronque = false;
    qsizetype m_debutTronque = 0;
    QString m_texteTronque;
};

struct Lecture {
    bool utf8 = false;
    std::vector<Enregistrement> enregistrements;
    // The file ends inside a record: that record is not among the others,
    // and starts here.
    bool tronque = false;
    qsizetype debutTronque = 0;
    QString texteTronque;
};

// Whether the bytes are valid UTF-8.
bool estUtf8(QByteArrayView octets);

// The text of the file's bytes, by the rule above (a byte-order mark is left
// out).
QString texteFichier(const QByteArray& octets, bool* utf8 = nullptr);

// Every record of the file's bytes. The bytes are given to the reader in
// pieces of the given size (the whole at once when 0): the records do not
// depend on it.
Lecture litOctets(const QByteArray& octets, qsizetype morceau = 0);

} // namespace Adif
