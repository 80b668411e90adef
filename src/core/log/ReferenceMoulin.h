#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// What a windmill reference and a department of the award are, and how a
// reference written elsewhere (a spot's comment, an ADIF field) becomes the
// reference as the log stores it: the department in lower case ("2a003"),
// then three digits.
namespace ReferenceMoulin {

// The number of a department field (blanks around it removed): a number
// from 0 to 99 written in digits its value ("07" and "7" give 7), "2a"/"2A"
// 100 and "2b"/"2B" 101, so that no department typed in digits ("96") is
// taken for Corsica. -1 for an empty field, a field that does not start
// with a digit, and any other text ("7b", "100").
// Corsica after the hundred numbers written in digits.
inline constexpr int numero2A = 100;
inline constexpr int numero2B = 101;
inline constexpr int numeros = 102;
int numeroDepartement(QByteArrayView departement);

// A department of the award as stored: "01" to "95" but "20", "2a", "2b".
bool departementValide(QStringView departement);
// A windmill reference as stored: a department, then three digits.
bool referenceValide(QStringView reference);

// The reference a text written elsewhere gives, as the log stores it, or the
// empty text:
// - after "KZT" in any case, with or without one blank or hyphen between
//   ("KZT 77121", "KZT-77121", "KZT77121", "kzt 2a003");
// - as "77-121" or "77121" when the text also holds the word KZT or a word
//   starting with "moulin" (any case), or when the text is known to hold a
//   KZT reference (`kzt`: the SIG_INFO of a record whose SIG is KZT).
// A reference stands apart from other letters and digits.
QString lue(QStringView texte, bool kzt = false);

} // namespace ReferenceMoulin
