// The settings window's fields as text: read and checked into BarcodeSettings, shown from them, and the
// symbol's size line. Texts are GBK.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/barcode_settings.h"
#include "base/result.h"

namespace sw::app {

// The typed fields, in the window's reading order.
enum class SettingsField { kModule, kBarHeight, kCaptionPoints, kStartLabel, kCopies, kCount, kStep };
inline constexpr std::size_t kSettingsFieldCount = 7;

struct SettingsTexts {
  std::array<std::string, kSettingsFieldCount> fields;  // by SettingsField
  bool caption = true;
  bool gs1 = false;
  std::size_t sheet = 0;
  std::string& operator[](SettingsField field) { return fields[static_cast<std::size_t>(field)]; }
  const std::string& operator[](SettingsField field) const { return fields[static_cast<std::size_t>(field)]; }
};

// The field's label, which is also its name for screen readers.
std::string_view FieldLabel(SettingsField field);

// The texts the window shows for the settings.
SettingsTexts TextsOf(const BarcodeSettings& settings);

// The settings the texts say; a field that is no number or out of its range is the failure.
Result<BarcodeSettings, SettingsField> ReadSettingsTexts(const SettingsTexts& texts);

// "<label>应为 <low> 到 <high> 之间的数字！", for the field refused.
std::string RangeMessage(SettingsField field);

// Thousandths read from "12", "0.33" or "0,33" (a decimal comma is a point), blanks around allowed;
// nothing for anything else. At most three decimals.
Result<std::int64_t, SettingsField> ReadThousandths(std::string_view text, SettingsField field);

// Width and height in micrometres of the symbol with its quiet zones (10 modules each side): the bars at
// the chosen height or the automatic one (10 mm, or 15% of the bars' width where that is more), and the
// caption's line under them when it is on.
struct SymbolSize {
  std::int64_t width_microns = 0;
  std::int64_t height_microns = 0;
  bool operator==(const SymbolSize&) const = default;
};
SymbolSize SizeOfSymbol(std::int64_t modules, const BarcodeLook& look);

// "尺寸：55.4 × 12.0 毫米" for the widths' modules at the texts' module and height; "尺寸：—" where there
// is no symbol yet or the module or height typed cannot be read.
std::string SizeLine(std::string_view widths, const SettingsTexts& texts);

}  // namespace sw::app
