#include "ui/files/clipboard_win.h"

#include <cstring>

#include "ui/handles/gdi_scoped_win.h"
#include "ui/picture/packed_dib.h"

namespace sw {

ClipboardResult CopyBmpToClipboard(HWND owner, std::span<const std::uint8_t> bmp) {
  const std::span<const std::uint8_t> dib = PackedDibInBmp(bmp);
  if (dib.empty()) return ClipboardResult::kNotBmp;
  // Filled before the clipboard is opened: other programs wait on an open clipboard.
  ScopedGlobalMemory block(dib.size());
  if (!block) return ClipboardResult::kNoMemory;
  {
    ScopedGlobalLock locked(block.get());
    if (locked.data() == nullptr) return ClipboardResult::kNoMemory;
    std::memcpy(locked.data(), dib.data(), dib.size());
  }
  ScopedClipboard clipboard(owner);
  if (!clipboard.open()) return ClipboardResult::kBusy;
  if (!EmptyClipboard() || SetClipboardData(CF_DIB, block.get()) == nullptr) return ClipboardResult::kRefused;
  block.release();  // the clipboard owns the block from here on
  return ClipboardResult::kCopied;
}

std::vector<std::uint8_t> BmpFromClipboard(HWND owner) {
  ScopedClipboard clipboard(owner);
  if (!clipboard.open()) return {};
  const ScopedGlobalLock locked(GetClipboardData(CF_DIB));  // the clipboard keeps owning the block
  if (locked.data() == nullptr) return {};
  return BmpFromPackedDib({static_cast<const std::uint8_t*>(locked.data()), locked.size()});
}

}  // namespace sw
