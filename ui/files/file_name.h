// Whether typed text can stand inside a file name without leaving the folder it is meant for.
#pragma once

#include <string_view>

namespace sw {

// False for text holding a path separator (\ or /), a drive or stream colon, or a control byte: such
// content would write into another folder, a subfolder or an alternate data stream. The text is GBK
// (ui/text/gbk.h), read as the encoder reads it: the trail byte of a double-byte character (which may
// equal '\') is never taken for one of them, while a byte after a lead byte that cannot be its trail is
// itself ("\x81/" holds a slash). A lead byte without its trail byte is refused too.
bool IsSafeFileNamePart(std::string_view gbk);

}  // namespace sw
