#pragma once

#include <QString>

// The errors of a radio, numbered as hamlib numbers them: rigctld's answers
// give the same numbers ("RPRT -9" for a command the radio rejected).
namespace ErreurRadio {

enum Code {
    Aucune = 0,
    Invalide = 1,       // invalid parameter
    Configuration = 2,  // invalid configuration (port, speed...)
    Memoire = 3,        // memory shortage
    NonFait = 4,        // not implemented
    Delai = 5,          // timed out
    EntreeSortie = 6,   // I/O error, the open failed
    Interne = 7,        // internal error of hamlib
    Protocole = 8,      // protocol error
    Rejetee = 9,        // command rejected by the radio
    Tronquee = 10,      // done, argument truncated
    NonDisponible = 11, // not available
    VfoNonCible = 12,   // VFO not targetable
    Bus = 13,           // error talking on the bus
    BusOccupe = 14,     // collision on the bus
    Argument = 15,      // invalid pointer or argument
    Vfo = 16,           // invalid VFO
    Domaine = 17,       // argument out of range
    Perimee = 18,       // deprecated
    Securite = 19,      // security error
    Eteinte = 20,       // the radio is not powered on
};

// An order the radio refused while the link stays up (a mode it lacks, a
// frequency out of its range): the radio is still there. Every other error
// is one of the link itself (time-out, I/O, protocol, power off).
bool estRefus(int code);

// The reason of an error, in French, for the status line; never hamlib's
// own text (whose debug trace some versions return).
QString raison(int code);

} // namespace ErreurRadio
