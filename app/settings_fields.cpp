#include "app/settings_fields.h"

#include <algorithm>
#include <cstddef>

namespace sw::app {
namespace {

// A typed field: its label, its range in thousandths, the decimals it shows and whether empty means
// automatic (0).
struct FieldRule {
  SettingsField field;
  std::string_view label;
  std::int64_t low;    // thousandths
  std::int64_t high;   // thousandths
  int decimals;        // shown; 0: whole numbers only
  int range_decimals;  // of the range in the message
  bool empty_is_automatic;
};

// In SettingsField order, one field a line.
constexpr std::array<FieldRule, kSettingsFieldCount> kRules = {{
    // "条宽(毫米)": the module, mm
    {SettingsField::kModule, "\xcc\xf5\xbf\xed(\xba\xc1\xc3\xd7)", 190, 1000, 2, 2, false},
    // "条高(毫米)": the bar height, mm; empty is automatic
    {SettingsField::kBarHeight, "\xcc\xf5\xb8\xdf(\xba\xc1\xc3\xd7)", 5000, 100000, 1, 0, true},
    // "文字大小(磅)": the caption's size, points
    {SettingsField::kCaptionPoints, "\xce\xc4\xd7\xd6\xb4\xf3\xd0\xa1(\xb0\xf5)", 6000, 36000, 0, 0, false},
    // "起始位置": the first label used on the first sheet
    {SettingsField::kStartLabel, "\xc6\xf0\xca\xbc\xce\xbb\xd6\xc3", 1000, 999000, 0, 0, false},
    /* 4*/ {SettingsField::kCopies, "\xb7\xdd\xca\xfd", 1000, 999000, 0, 0, false},  // "份数": copies
    {SettingsField::kCount, "\xca\xfd\xc1\xbf", 1000, 10000000, 0, 0, false},        // "数量": count
    {SettingsField::kStep, "\xb2\xbd\xb3\xa4", 1000, 1000000, 0, 0, false},          // "步长": step
}};
constexpr bool InFieldOrder() {
  for (std::size_t i = 0; i < kRules.size(); ++i) {
    if (static_cast<std::size_t>(kRules[i].field) != i) return false;
  }
  return true;
}
static_assert(InFieldOrder(), "one rule per field, in field order");

const FieldRule& RuleOf(SettingsField field) { return kRules[static_cast<std::size_t>(field)]; }

// Thousandths as text with the decimals given (0 to 3), rounded half up: "0.33", "12.0", "10".
std::string Decimal(std::int64_t thousandths, int decimals) {
  std::int64_t scale = 1000;  // thousandths in one unit of the last decimal shown
  for (int i = 0; i < decimals; ++i) scale /= 10;
  const std::int64_t units = (thousandths + scale / 2) / scale;
  std::int64_t per_whole = 1;
  for (int i = 0; i < decimals; ++i) per_whole *= 10;
  std::string text = std::to_string(units / per_whole);
  if (decimals == 0) return text;
  std::string fraction = std::to_string(units % per_whole);
  fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
  return text + "." + fraction;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

constexpr std::string_view kSizeStart = "\xb3\xdf\xb4\xe7\xa3\xba";  // "尺寸："
constexpr std::string_view kTimes = " \xa1\xc1 ";                    // " × "
constexpr std::string_view kMillimetres = " \xba\xc1\xc3\xd7";       // " 毫米"
constexpr std::string_view kNoSize = "\xa1\xaa";                     // "—"

}  // namespace

std::string_view FieldLabel(SettingsField field) { return RuleOf(field).label; }

Result<std::int64_t, SettingsField> ReadThousandths(std::string_view text, SettingsField field) {
  text = Trimmed(text);
  std::int64_t whole = 0;
  std::int64_t fraction = 0;
  int whole_digits = 0;
  int fraction_digits = 0;
  bool separator = false;
  for (const char c : text) {
    if (c == '.' || c == ',') {
      if (separator) return Failure<SettingsField>{field, "two decimal separators"};
      separator = true;
    } else if (c >= '0' && c <= '9') {
      if (!separator) {
        if (++whole_digits > 9) return Failure<SettingsField>{field, "too many digits"};
        whole = whole * 10 + (c - '0');
      } else {
        if (++fraction_digits > 3) return Failure<SettingsField>{field, "more than three decimals"};
        fraction = fraction * 10 + (c - '0');
      }
    } else {
      return Failure<SettingsField>{field, "not a number"};
    }
  }
  if (whole_digits == 0 && fraction_digits == 0) return Failure<SettingsField>{field, "no digits"};
  for (int i = fraction_digits; i < 3; ++i) fraction *= 10;
  return whole * 1000 + fraction;
}

SettingsTexts TextsOf(const BarcodeSettings& settings) {
  SettingsTexts texts;
  auto show = [&texts](SettingsField field, std::int64_t thousandths) {
    texts[field] = Decimal(thousandths, RuleOf(field).decimals);
  };
  show(SettingsField::kModule, settings.look.module_microns);
  if (settings.look.bar_height_microns > 0) {
    // As typed: whole millimetres without a decimal, else one.
    const std::int64_t microns = settings.look.bar_height_microns;
    texts[SettingsField::kBarHeight] = Decimal(microns, microns % 1000 == 0 ? 0 : 1);
  }
  show(SettingsField::kCaptionPoints, std::int64_t{settings.look.caption_points} * 1000);
  show(SettingsField::kStartLabel, std::int64_t{settings.start_label} * 1000);
  show(SettingsField::kCopies, std::int64_t{settings.copies} * 1000);
  show(SettingsField::kCount, std::int64_t{settings.count} * 1000);
  show(SettingsField::kStep, std::int64_t{settings.step} * 1000);
  texts.caption = settings.look.caption;
  texts.gs1 = settings.gs1;
  texts.sheet = settings.sheet;
  return texts;
}

Result<BarcodeSettings, SettingsField> ReadSettingsTexts(const SettingsTexts& texts) {
  std::array<std::int64_t, kSettingsFieldCount> values{};
  for (const FieldRule& rule : kRules) {
    const std::string_view text = Trimmed(texts[rule.field]);
    std::int64_t& value = values[static_cast<std::size_t>(rule.field)];
    if (text.empty() && rule.empty_is_automatic) continue;  // 0: automatic
    auto read = ReadThousandths(text, rule.field);
    if (!read.ok()) return read.failure();
    value = read.value();
    if (value < rule.low || value > rule.high) return Failure<SettingsField>{rule.field, "out of range"};
    if (rule.decimals == 0 && value % 1000 != 0)
      return Failure<SettingsField>{rule.field, "not a whole number"};
  }
  auto value = [&values](SettingsField field) { return values[static_cast<std::size_t>(field)]; };
  BarcodeSettings settings;
  settings.look.module_microns = static_cast<std::int32_t>(value(SettingsField::kModule));
  settings.look.bar_height_microns = static_cast<std::int32_t>(value(SettingsField::kBarHeight));
  settings.look.caption = texts.caption;
  settings.look.caption_points = static_cast<std::int32_t>(value(SettingsField::kCaptionPoints) / 1000);
  settings.gs1 = texts.gs1;
  settings.sheet = texts.sheet;
  settings.start_label = static_cast<std::int32_t>(value(SettingsField::kStartLabel) / 1000);
  settings.copies = static_cast<std::int32_t>(value(SettingsField::kCopies) / 1000);
  settings.count = static_cast<std::int32_t>(value(SettingsField::kCount) / 1000);
  settings.step = static_cast<std::int32_t>(value(SettingsField::kStep) / 1000);
  return settings;
}

std::string RangeMessage(SettingsField field) {
  const FieldRule& rule = RuleOf(field);
  std::string message(rule.label);
  message += "\xd3\xa6\xce\xaa ";  // "应为 "
  message += Decimal(rule.low, rule.range_decimals);
  message += " \xb5\xbd ";  // " 到 "
  message += Decimal(rule.high, rule.range_decimals);
  // " 之间的数字，或留空表示自动！" or " 之间的数字！"
  message += rule.empty_is_automatic
                 ? " \xd6\xae\xbc\xe4\xb5\xc4\xca\xfd\xd7\xd6\xa3\xac\xbb\xf2\xc1\xf4\xbf\xd5\xb1\xed\xca\xbe"
                   "\xd7\xd4\xb6\xaf\xa3\xa1"
                 : " \xd6\xae\xbc\xe4\xb5\xc4\xca\xfd\xd7\xd6\xa3\xa1";
  return message;
}

SymbolSize SizeOfSymbol(std::int64_t modules, const BarcodeLook& look) {
  constexpr std::int64_t kQuietModules = 10;
  constexpr std::int64_t kMinAutoHeight = 10000;  // microns
  const std::int64_t bars = modules * look.module_microns;
  std::int64_t height = look.bar_height_microns;
  if (height <= 0) height = std::max(kMinAutoHeight, (bars * 15 + 99) / 100);
  // A point is 1/72 inch: 352.8 micrometres.
  if (look.caption) height += (std::int64_t{look.caption_points} * 25400 + 36) / 72;
  return {(modules + 2 * kQuietModules) * look.module_microns, height};
}

std::string SizeLine(std::string_view widths, const SettingsTexts& texts) {
  std::string line(kSizeStart);
  std::int64_t modules = 0;
  for (const char c : widths) modules += c - '0';
  SettingsTexts look_only = TextsOf({});  // only the module, height and caption are asked for here
  look_only[SettingsField::kModule] = texts[SettingsField::kModule];
  look_only[SettingsField::kBarHeight] = texts[SettingsField::kBarHeight];
  look_only[SettingsField::kCaptionPoints] = texts[SettingsField::kCaptionPoints];
  look_only.caption = texts.caption;
  const auto settings = ReadSettingsTexts(look_only);
  if (modules == 0 || !settings.ok()) return line += kNoSize;
  const SymbolSize size = SizeOfSymbol(modules, settings.value().look);
  line += Decimal(size.width_microns, 1);
  line += kTimes;
  line += Decimal(size.height_microns, 1);
  return line += kMillimetres;
}

}  // namespace sw::app
