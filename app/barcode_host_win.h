// The caption host of the generate command: BarcodeHostWindow, loaded hidden, and its BarcodePanel.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "render/caption_host.h"
#include "ui/runtime/window_runtime_win.h"

namespace sw::app {

class BarcodeHostCaption final : public CaptionHost {
 public:
  explicit BarcodeHostCaption(WindowRuntime& runtime) : runtime_(runtime) {}

  bool IsLoaded() const override;
  void LoadHidden() override;
  // Destroys the window at once, so that a following load always builds a fresh one.
  void Unload() override;

  void SetPanelSize(std::int32_t width, std::int32_t height) override;
  void SetPanelBackground(std::span<const std::uint8_t> bmp) override;
  std::int32_t PanelFontSize() override;
  void WriteText(std::int32_t x, std::int32_t y, std::string_view text) override;
  // Empty unless the panel really has the size asked for: a panel that could not take it would give
  // a cut barcode, which must never be shown or saved as if it were whole.
  std::vector<std::uint8_t> ReadPanelBmp() override;

 private:
  WindowRuntime& runtime_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace sw::app
