// The program-wide texts. Everything else a command uses is local to it.
#pragma once

#include <string>

namespace sw::app {

// The message the next tips window shows.
std::string& TipsMessage();
// The path of the last save attempt.
std::string& SavedPath();

// For the end-of-program routine: gives the texts' memory back.
void ReleaseProgramTexts();

}  // namespace sw::app
