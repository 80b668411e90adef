#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// One spot of a DX cluster node, read from one line of the node's text in
// either of its two forms:
//
//   live:     DX de F5ABC:     14250.0  F4XYZ        KZT 77121         1359Z JN18
//   history:  14250.0  F4XYZ       7-Dec-2026 1359Z KZT 77121          <F5ABC>
//
// The line is read by its fields, never by columns: a long spotter
// ("DL1ABC-12:") or an eight-digit frequency shifts everything after it.
struct Spot {
    enum class Forme { Direct, Historique };

    Forme forme = Forme::Direct;
    QString spotteur;    // "F5ABC", "DL1ABC-12"
    qint64 hz = 0;       // the frequency, from the kHz the node gives
    QString indicatif;   // the station spotted, as the node wrote it
    QString commentaire; // blanks at both ends removed; the node may have cut it
    QString heure;       // "1359Z"; empty when the line had none
    QString date;        // "7-Dec-2026", history lines only
    QString lieu;        // a grid or zone after the time ("JN18"), if any
    QString reference;   // the windmill of the comment as the log stores it ("77121", "2a003")
    // The mode to work it in: the comment's mode word, otherwise the band
    // plan's segment of the frequency (modePlan). The log's mode ("CW",
    // "SSB", "FM", "FT8", "RTY"...; a data mode that the log cannot hold as
    // the comment names it, "JT65") and the radio's ("CW", "USB", "LSB",
    // "FM", "PKTUSB").
    QString mode;
    QString modeRadio;

    QString departement() const { return reference.left(2); }
    // The frequency in kHz with one decimal, as nodes write it: "14250.0".
    QString texteKhz() const { return texteKhz(hz); }
    static QString texteKhz(qint64 hz);

    // The frequencies a spot may give, in Hz: from 100 kHz to 300 GHz.
    static constexpr qint64 hzMin = 100'000;
    static constexpr qint64 hzMax = 300'000'000'000;

    // The text of a line as received, made readable: bell bytes, colour and
    // cursor codes (ANSI escapes), telnet commands and every other control
    // character removed, tabs turned into blanks.
    static QByteArray nettoie(QByteArrayView brut);
    // The text of a cleaned line: UTF-8 when it is valid UTF-8, otherwise
    // Latin-1, so that no byte is lost.
    static QString texte(QByteArrayView ligne);

    // The pieces of a cleaned line that are read one by one: a node's prompt
    // left without a line end and the history spot that follows it, two
    // spots of either form glued on one line (some nodes answer "sh/dx" so;
    // a live spot may follow another without a line end), or the tail of
    // some garbage and the whole live spot after it. Most lines are one
    // piece.
    static QList<QByteArrayView> morceaux(QByteArrayView ligne);

    // The spot of a cleaned line, in either form; none for any other line
    // (announcements, WWV, prompts, talk, garbage). A live spot is read at
    // the start of the line, after a prompt, or after any other text when it
    // is whole: a spotter, a frequency in a band of the log, a callsign and
    // its time at the end.
    static std::optional<Spot> lit(QByteArrayView ligne);

    // The windmill reference a comment gives, as the log stores it (the
    // department in lower case), or the empty text:
    // - after "KZT" in any case, with or without one blank or hyphen between
    //   ("KZT 77121", "KZT-77121", "KZT77121", "kzt 2a003");
    // - as "77-121" or "77121" in a comment that also holds the word KZT or
    //   a word starting with "moulin" (any case).
    // A reference is a department of the award (01 to 95 but 20, 2A, 2B)
    // and three digits, standing apart from other letters and digits.
    static QString referenceDans(QStringView commentaire);
    // The mode of the first mode word of the comment: the log's short form
    // (ModesLog::court: "CW", "SSB" for USB, "FT8", "RTY" for RTTY, "PSK" for
    // PSK31...), or the word in upper case for a data mode that has none
    // ("JT65"); empty when the comment names none.
    static QString modeDans(QStringView commentaire);
    // The radio's mode for a spot at that frequency (ModesLog::modeRadio):
    // "CW", "USB", "LSB", "FM" or "PKTUSB", from the comment's mode word,
    // otherwise from the band plan (SSB on LSB below 10 MHz, on USB above).
    static QString modeRadioDans(QStringView commentaire, qint64 hz);

    // A callsign as nodes spot it: letters, digits and "/", at most 20
    // characters, with at least one letter and one digit.
    static bool indicatifValide(QByteArrayView indicatif);
    static bool indicatifValide(const QString& indicatif);

    // Frequency text in kHz ("14250", "14250.0", "14 250,5") to Hz; false
    // for anything else, or a frequency outside hzMin..hzMax.
    static bool frequenceKhz(QStringView texte, qint64* hz);
};
