#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// The award counts HF, VHF and UHF separately; a band in no group ("10 Mhz")
// counts for none.
enum class Groupe { Aucun, HF, VHF, UHF };

// What the program knows of each band: the label of the band list and of the
// log, its group, its ADIF band with the ADIF edges of that band in MHz, the
// piece of its DX-cluster page, and the edges in kHz of the amateur band that
// a radio's frequency is taken in (edges included).
struct DefinitionBande {
    const char16_t* libelle;
    Groupe groupe;
    const char* adif;
    double mhzBas;
    double mhzHaut;
    const char* cluster;
    qint64 khzRadioBas;
    qint64 khzRadioHaut;
};

// The twelve bands, in the order of the band list.
inline constexpr std::array<DefinitionBande, 12> tableBandes = {{
    {u"1.8 Mhz", Groupe::HF, "160m", 1.8, 2.0, "1.8", 1810, 2000},
    {u"3.5 Mhz", Groupe::HF, "80m", 3.5, 4.0, "3.5", 3500, 3800},
    {u"7.0 Mhz", Groupe::HF, "40m", 7.0, 7.3, "7", 7000, 7200},
    {u"10 Mhz", Groupe::Aucun, "30m", 10.1, 10.15, "10", 10100, 10150},
    {u"14 Mhz", Groupe::HF, "20m", 14.0, 14.35, "14", 14000, 14350},
    {u"18 Mhz", Groupe::HF, "17m", 18.068, 18.168, "18", 18068, 18168},
    {u"21 Mhz", Groupe::HF, "15m", 21.0, 21.45, "21", 21000, 21450},
    {u"24 Mhz", Groupe::HF, "12m", 24.890, 24.99, "24", 24890, 24990},
    {u"28 Mhz", Groupe::HF, "10m", 28.0, 29.7, "28", 28000, 29700},
    {u"50 Mhz", Groupe::HF, "6m", 50.0, 54.0, "50", 50000, 52000},
    {u"144 Mhz", Groupe::VHF, "2m", 144.0, 148.0, "144", 144000, 146000},
    {u"432 Mhz", Groupe::UHF, "70cm", 420.0, 450.0, "430", 430000, 440000},
}};

// The band plan's segments in kHz (edges included) that are not worked in
// SSB: the CW part at the bottom of each band, and the FM parts of 2 m and
// 70 cm. Anywhere else in a band, SSB: LSB below 10 MHz, USB above.
struct SegmentMode {
    qint64 khzBas;
    qint64 khzHaut;
    const char* mode; // the log's mode: "CW" or "FM"
};

inline constexpr std::array<SegmentMode, 15> planBandes = {{
    {1810, 1838, "CW"},
    {3500, 3570, "CW"},
    {7000, 7040, "CW"},
    {10100, 10130, "CW"},
    {14000, 14070, "CW"},
    {18068, 18095, "CW"},
    {21000, 21070, "CW"},
    {24890, 24915, "CW"},
    {28000, 28070, "CW"},
    {50000, 50100, "CW"},
    {144000, 144150, "CW"},
    {145000, 145800, "FM"},
    {430000, 432000, "FM"},
    {432000, 432100, "CW"},
    {433000, 435000, "FM"},
}};

// The log's mode that the band plan gives a frequency in Hz: "CW" or "FM"
// in their segments, "SSB" anywhere else.
QString modePlan(qint64 hz);

// The twelve band labels, in the order of the band list ("1.8 Mhz" ... "432 Mhz").
const QStringList& listeBandes();
// The band of that label exactly as it stands (case counts); nullptr for a
// label that is no band of the list.
const DefinitionBande* definitionDe(QStringView libelle);

// The band of that ADIF band name, whatever its case ("20M", "70cm");
// nullptr for a band the program does not know.
const DefinitionBande* definitionAdif(QStringView bande);
// The band whose ADIF edges hold the frequency in MHz (edges included);
// nullptr outside the twelve bands.
const DefinitionBande* definitionFrequence(double mhz);
// The band of a radio tuned to that frequency in Hz, by the amateur bands'
// edges (edges included); nullptr outside every band of the log.
const DefinitionBande* definitionRadio(qint64 hz);

// The group of a band label taken without its blanks around it, otherwise as
// it stands (case counts); Aucun for a typed text.
Groupe groupeDe(QStringView bande);

// The name of a group as the windows and files show it: "HF", "VHF", "UHF",
// and the empty text for Aucun.
QString nomGroupe(Groupe groupe);
// The group of that name; Aucun for any other text.
Groupe groupeNomme(QStringView nom);

// "HF", "VHF", "UHF", or the empty text for a band in no group ("10 Mhz", a
// typed text).
QString Groupe_Bande(const QString& bande);

// The three group names, in the order the windows offer them.
const QStringList& groupesBande();
