// The program-wide texts and the kept barcode. Everything else a command uses is local to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sw::app {

// The message the next tips window shows.
std::string& TipsMessage();
// The path of the last save attempt.
std::string& SavedPath();

// The full-size barcode of the last generate command (BMP bytes, as written to C:\1.bmp), kept for copying.
std::vector<std::uint8_t>& FullSizeBarcode();
// The content that barcode was made from (GBK, as the box held it), for the commands that act on it.
std::string& GeneratedContent();
// The folder Save As last wrote into during this run (wide: its name need not have a GBK spelling);
// empty before the first.
std::wstring& SaveAsFolder();

// For the end-of-program routine: gives the texts' memory back, and the kept barcode's.
void ReleaseProgramTexts();

}  // namespace sw::app
