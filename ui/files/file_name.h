// Whether typed text can stand inside a file name without leaving the folder it is meant for, and a
// name made fit for a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sw {

// False for text holding a path separator (\ or /), a drive or stream colon, or a control byte: such
// content would write into another folder, a subfolder or an alternate data stream. The text is GBK
// (base/gbk.h), read as the encoder reads it: the trail byte of a double-byte character (which may
// equal '\') is never taken for one of them, while a byte after a lead byte that cannot be its trail is
// itself ("\x81/" holds a slash). A lead byte without its trail byte is refused too.
bool IsSafeFileNamePart(std::string_view gbk);

// `stem` + `extension` (GBK; the extension, say ".png", is taken as it is) made fit to be a Windows file
// name, for a name offered to the user. In the stem, every character a name cannot hold (\ / : * ? " < > |,
// control bytes, half a double-byte character) becomes '_', trail bytes of double-byte characters are
// kept whatever they equal, and a reserved device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, alone or
// before a dot) gets a '_' after it; with no extension, a trailing dot or space (which Windows would
// drop) becomes '_'. The stem is cut at a whole character so that the name holds at most `max_characters`
// (255, a name's limit, unless the folder leaves less room in a path), the extension kept whole.
std::string FileNameFrom(std::string_view stem, std::string_view extension, std::size_t max_characters = 255);

}  // namespace sw
