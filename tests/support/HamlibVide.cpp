// A library named as hamlib's, without any of its functions: placed first in
// the library path, it hides the real one, as on a computer without hamlib.
extern "C" int kzt_hamlib_vide()
{
    return 0;
}
