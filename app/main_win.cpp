// Stripewright's entry point. The program reads no arguments and no configuration.
#include <windows.h>

#include "app/program_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return sw::app::RunProgram(); }
