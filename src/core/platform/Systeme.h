#pragma once

#include <QString>

// What the program asks of the system it runs on, answered once for POSIX
// systems (Systeme_posix.cpp) and once for Windows (Systeme_win.cpp): the
// rest of the program never tests which system it is on.
namespace Systeme {

// The serial port the radio's settings give as an example: "/dev/ttyUSB0",
// "COM3" on Windows.
QString exemplePortSerie();
// A file open for reading may be replaced by a rename over it, the open file
// keeping the lines it had (not on Windows, where an open file cannot be
// renamed over).
bool renommeSurFichierOuvert();
// The web pages can be shown inside the program, by its web module (on
// Windows, where the web engine is not built for this compiler, they open in
// the browser).
bool pagesDansLeProgramme();

} // namespace Systeme
