// The clipboard, for pictures: BMP file bytes put on it as a device-independent bitmap (CF_DIB), which
// other programs paste at full size, beside an enhanced metafile (CF_ENHMETAFILE), which word processors
// paste at its physical size; and read back from it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "base/handles_win.h"

namespace sw {

enum class ClipboardResult {
  kCopied,
  kNotBmp,    // the bytes are no uncompressed BMP file whose rows follow its colour table
  kBusy,      // another window keeps the clipboard open
  kNoMemory,  // no global memory block for the picture
  kRefused,   // the clipboard could not be emptied or did not take the picture
};

// Empties the clipboard and puts the picture on it, and the metafile if there is one, with `owner` as the
// clipboard's owner. On any failure the clipboard may have been emptied, never half written.
ClipboardResult CopyBmpToClipboard(HWND owner, std::span<const std::uint8_t> bmp,
                                   ScopedMetafile metafile = {});

// The clipboard's CF_DIB as BMP file bytes; empty when there is none or it cannot be read.
std::vector<std::uint8_t> BmpFromClipboard(HWND owner);

// A copy of the clipboard's CF_ENHMETAFILE; empty when there is none.
ScopedMetafile MetafileFromClipboard(HWND owner);

}  // namespace sw
