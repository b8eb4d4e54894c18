#include "ui/files/clipboard_win.h"

#include <cstring>

#include "base/handles_win.h"
#include "ui/picture/packed_dib.h"

namespace sw {

ClipboardResult CopyBmpToClipboard(HWND owner, std::span<const std::uint8_t> bmp, ScopedMetafile metafile) {
  const std::span<const std::uint8_t> dib = PackedDibInBmp(bmp);
  if (dib.empty()) return ClipboardResult::kNotBmp;
  // Filled before the clipboard is opened: other programs wait on an open clipboard.
  ScopedGlobalMemory block = AllocateGlobal(dib.size());
  if (!block) return ClipboardResult::kNoMemory;
  {
    const ScopedGlobalLock locked = LockGlobal(block.get());
    if (!locked) return ClipboardResult::kNoMemory;
    std::memcpy(locked.get().data, dib.data(), dib.size());
  }
  const ScopedClipboard clipboard = OpenClipboardFor(owner);
  if (!clipboard) return ClipboardResult::kBusy;
  if (!EmptyClipboard() || SetClipboardData(CF_DIB, block.get()) == nullptr) return ClipboardResult::kRefused;
  block.release();  // the clipboard owns the block from here on
  if (metafile) {
    if (SetClipboardData(CF_ENHMETAFILE, metafile.get()) == nullptr) return ClipboardResult::kRefused;
    metafile.release();  // and the metafile
  }
  return ClipboardResult::kCopied;
}

std::vector<std::uint8_t> BmpFromClipboard(HWND owner) {
  const ScopedClipboard clipboard = OpenClipboardFor(owner);
  if (!clipboard) return {};
  const ScopedGlobalLock locked =
      LockGlobal(GetClipboardData(CF_DIB));  // the clipboard keeps owning the block
  if (!locked) return {};
  return BmpFromPackedDib({static_cast<const std::uint8_t*>(locked.get().data), LockedSize(locked)});
}

ScopedMetafile MetafileFromClipboard(HWND owner) {
  const ScopedClipboard clipboard = OpenClipboardFor(owner);
  if (!clipboard) return {};
  const HENHMETAFILE held = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  return ScopedMetafile(held != nullptr ? CopyEnhMetaFileW(held, nullptr) : nullptr);
}

}  // namespace sw
