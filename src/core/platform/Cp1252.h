#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of every data file of the program.
// Bytes 0x00-0x7F and 0xA0-0xFF are Latin-1; 0x80-0x9F carry the Windows
// letters and signs (€, Œ, “, …). The five bytes that Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control character of the same
// value and are written back as that byte, so a file always reads and writes
// back byte for byte.
namespace Cp1252 {

QString decode1252(const QByteArray& octets);
QString decode1252(const char* donnees, qsizetype taille);
// Decodes taille bytes into sortie, which has room for them.
void decodeDans(const char* donnees, qsizetype taille, QChar* sortie);

// Encodes the text; returns false and writes nothing to *sortie when a character
// has no Windows-1252 byte. *mauvaisIndex then receives the index of the first such
// character.
bool encode1252(const QString& texte, QByteArray* sortie, qsizetype* mauvaisIndex = nullptr);

bool estCodable(const QString& texte, qsizetype* mauvaisIndex = nullptr);
bool estCodable(QChar c);

// Upper case letter by letter, the way the program has always stored names:
// a letter is changed only when its upper case is a single character that
// exists in Windows-1252 (so "é" gives "É", while "ß" and "µ" stay as typed).
// The length of the text never changes.
QString majusculesCp1252(const QString& texte);

// The letters that Windows-1252 lacks as their base letter, the accent
// dropped ("Łukasz" gives "Lukasz", "Đorđe" gives "Dorde", "Ăsa" gives "Asa");
// the letters it has, and every other character, stay as they are.
QString lettresDeBase(const QString& texte);

// Describes the character at index for a message: « Ж » (U+0416).
QString decrit(const QString& texte, qsizetype index);

} // namespace Cp1252
