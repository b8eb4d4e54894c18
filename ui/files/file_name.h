// Whether typed text can stand inside a file name without leaving the folder it is meant for.
#pragma once

#include <string_view>

namespace sw {

// False for text holding a path separator (\ or /), a drive or stream colon, or a control byte: such
// content would write into another folder, a subfolder or an alternate data stream. The text is GBK, so
// the trail byte of a double-byte character (which may equal '\') is never taken for one of them.
bool IsSafeFileNamePart(std::string_view gbk);

}  // namespace sw
