#pragma once

#include <QString>
#include <QStringView>

// The modes as the log holds them, in three characters at most, and how the
// longer words of other programs, of spots and of the operator are shortened:
// the entry, the import and the windmill hunt all ask here.
namespace ModesLog {

// The log's form of a mode, any case, blanks around removed:
// - "SSB" for SSB, USB and LSB; "RTY" for RTTY; "PSK" for PSK31, PSK63,
//   PSK125, BPSK31, BPSK63 and QPSK31;
// - any other mode of at most three characters as it is, in upper case
//   ("CW", "FT8", "AM");
// - the empty text for a mode with no short form ("OLIVIA", "JT65") and for
//   no mode at all.
QString court(QStringView mode);

// The kind of a mode word that spots and other programs write.
enum class Genre {
    Inconnu, // no mode word ("KZT", "TNX")
    Phonie,  // SSB, USB, LSB
    CW,
    FM,
    Donnees, // the data modes worked on a sideband: FT8, RTTY, PSK31, OLIVIA...
};
// The kind of a mode word, any case; also of the log's short forms ("RTY",
// "PSK").
Genre genre(QStringView mot);

// The sideband of SSB at that frequency in Hz: LSB below 10 MHz, USB above.
QString bandeLaterale(qint64 hz);

// The radio's mode, as hamlib names it, for a mode at that frequency in Hz:
// "CW", "FM", the sideband for SSB, "PKTUSB" (the radio's data mode, USB
// when it has none) for a data mode; a sideband given ("USB", "LSB",
// "PKTUSB") as it is; empty for any other text (the radio's mode stays).
QString modeRadio(QStringView mode, qint64 hz);

// hamlib's data modes on a sideband start with this; the radio that lacks
// them is put on the sideband itself.
inline constexpr QLatin1StringView prefixeDonnees("PKT");

} // namespace ModesLog
