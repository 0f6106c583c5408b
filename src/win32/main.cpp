// The Windows program's entry.

#include "runtime/paths.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return netedit::ProgramTitle().empty() ? 1 : 0;
}
