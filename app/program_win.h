// The program from start to end: the runtime's start-up, the program-wide state, GDI+, MainWindow and the
// message loop. WinMain only calls it; tests run it in their own process.
#pragma once

namespace sw::app {

// Returns the exit code: 0 once MainWindow has been closed, 1 when the program cannot even start.
int RunProgram();

// The end-of-program routine (registered by RunProgram): releases TipsMessage, SavedPath and the kept
// barcode, then the shadow's two template holders.
void EndProgram();

}  // namespace sw::app
