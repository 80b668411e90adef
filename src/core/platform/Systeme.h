#pragma once

#include <QString>
#include <QStringList>

class QProcess;

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

// The folder of hamlib's programs (rigctld) when the operator named none:
// /usr/bin; on Windows, the "bin" folder of hamlib's installation under the
// programs' folder (%ProgramFiles%\hamlib-w64-4.5\bin), empty when none.
QString dossierHamlib();
// The serial ports the system knows of, as they are named in a radio's
// settings; a port plugged in later may still be typed.
QStringList portsSerie();
// A helper program the program starts (rigctld): without a console window,
// and ended by the system with the program, however the program ends.
// prepareAuxiliaire() before it is started, lieAuxiliaire() once started.
void prepareAuxiliaire(QProcess& processus);
void lieAuxiliaire(QProcess& processus);

// The end of the process, once everything is written and released, when the
// libraries' own clean-up cannot be run safely: on Windows it does not return.
// The program built with MinGW runs the thread-local objects of its main
// thread (Qt's animation timers among them) in the C++ library's own unloading,
// after Qt is unloaded: they then wait for ever on what is gone, and the
// process never ends. Elsewhere it returns, and the process ends as usual.
void finDuProcessus(int code);

} // namespace Systeme
