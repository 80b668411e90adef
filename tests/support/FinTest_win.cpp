// The end of a test process on Windows, as the program's own end: every test's
// main is called through this one (the linker's --wrap=main), and the process
// ends with its result through FilDeTravail::sortie, without the libraries'
// unloading, which never returns once Qt's thread-local animation timers have
// been destroyed after Qt itself (see Systeme::finDuProcessus).
#include "core/platform/FilDeTravail.h"

extern "C" int __real_main(int argc, char* argv[]);

extern "C" int __wrap_main(int argc, char* argv[])
{
    return FilDeTravail::sortie(__real_main(argc, argv));
}
