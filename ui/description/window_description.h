// Window descriptions: the binary table from which every window and its units are built.
// All integers little-endian; texts are GBK bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "base/color.h"
#include "base/result.h"

namespace sw {

// High half: 1-based number of the unit library (1 core, 4 extended interface units); low half: the type.
enum class UnitType : std::uint32_t {
  kWindow = 0x00010001,
  kEditBox = 0x00010005,
  kPicBox = 0x00010006,
  kDrawPanel = 0x00010008,
  kPicBtn = 0x0001002D,
  kTransLabel = 0x00040005,
  kComboBox = 0x00040009,
};

// High bytes of the ids.
inline constexpr std::uint32_t kWindowIdTag = 0x52000000;
inline constexpr std::uint32_t kWindowUnitIdTag = 0x06000000;
inline constexpr std::uint32_t kUnitIdTag = 0x16000000;
inline constexpr std::uint32_t kBlockIdTag = 0x19000000;
inline constexpr std::uint32_t kIdTagMask = 0xFF000000;

// Flag bits of a unit record.
inline constexpr std::uint8_t kUnitVisible = 0x01;
inline constexpr std::uint8_t kUnitTabStop = 0x04;

inline constexpr std::uint32_t kLatestWindowVersion = 6;
// Window values a version adds after the named ones and the five further ones: one for each of versions
// 2 to 5 (topmost first); version 6 adds none.
constexpr std::size_t AddedWindowValues(std::uint32_t version) {
  return version == 0 ? 0 : (version < 5 ? version : 5) - 1;
}

using Bytes = std::vector<std::uint8_t>;

// A Windows logical font as stored (LOGFONTA layout); the face is GBK, at most 31 bytes.
struct LogicalFont {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strike_out = 0;
  std::uint8_t char_set = 134;  // GB2312
  std::uint8_t out_precision = 0;
  std::uint8_t clip_precision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitch_and_family = 0;
  std::string face;
  bool operator==(const LogicalFont&) const = default;
};
inline constexpr std::size_t kFaceBytes = 32;

struct WindowProperties {
  std::uint32_t version = kLatestWindowVersion;
  std::uint32_t border_style = 0;  // 0: no border, no system caption
  std::uint32_t background_picture_mode = 0;
  std::uint32_t background_color = kNoColor;
  std::uint32_t maximise_box = 0;
  std::uint32_t minimise_box = 1;
  std::uint32_t control_box = 1;
  std::uint32_t start_position = 1;  // 1: centred on the screen
  std::uint32_t close_allowed = 1;
  std::array<std::uint32_t, 5> further_values{};
  // Added by versions 2 (topmost) and 3 to 5; stored only when the version has them.
  std::uint32_t topmost = 0;
  std::array<std::uint32_t, 3> later_values{};
  std::string class_name;  // empty: the runtime's own class
  Bytes background_picture;
  Bytes second_picture;
  Bytes third_picture;
  std::string caption;
  std::string trailing_text;
  bool operator==(const WindowProperties&) const = default;
};

struct PicBoxProperties {
  std::uint32_t version = 2;
  std::uint32_t border_style = 0;
  std::uint32_t background_color = kNoColor;
  std::uint32_t display_mode = 0;  // 0 natural size, 1 tiled, 2 centred (shrunk to fit)
  std::uint32_t animate = 1;
  Bytes image;
  bool operator==(const PicBoxProperties&) const = default;
};

// Image slots of a picture button, in stored order.
enum class ButtonImage { kNormal = 0, kMouseOver = 1, kPressed = 2, kDisabled = 3 };

struct PicBtnProperties {
  std::uint32_t version = 1;  // 2 adds the label
  std::uint32_t two_state = 0;
  std::uint32_t latched = 0;
  std::uint32_t cutout_color = kNoColor;
  std::array<Bytes, 4> images;
  std::string label;  // what the button's pictures say, for screen readers; stored from version 2
  bool operator==(const PicBtnProperties&) const = default;
};

enum class TextAlign : std::uint32_t { kStart = 0, kCentre = 1, kEnd = 2 };

struct TransLabelProperties {
  std::uint32_t version = 1;
  std::uint32_t text_color = 0;
  std::uint32_t background_color = kNoColor;  // none: the label shows what lies beneath it
  TextAlign horizontal_align = TextAlign::kStart;
  TextAlign vertical_align = TextAlign::kStart;
  std::uint32_t word_wrap = 0;
  LogicalFont font;
  std::string text;
  bool operator==(const TransLabelProperties&) const = default;
};

struct EditBoxProperties {
  std::uint32_t version = 1;  // 2 adds the label
  std::uint32_t text_color = 0;
  std::uint32_t background_color = kNoColor;
  std::uint32_t border_style = 0;
  TextAlign horizontal_align = TextAlign::kStart;
  std::uint32_t max_length = 0;  // 0: no limit
  LogicalFont font;
  std::string text;
  std::string comment;  // the designer's note; the program never shows it
  std::string label;    // what the box asks for, for screen readers; stored from version 2
  bool operator==(const EditBoxProperties&) const = default;
};

struct DrawPanelProperties {
  std::uint32_t version = 1;
  std::uint32_t text_color = 0;
  std::uint32_t background_color = kNoColor;
  std::uint32_t border_style = 0;
  LogicalFont font;
  Bytes background_picture;
  bool operator==(const DrawPanelProperties&) const = default;
};

// A drop-down list of fixed entries (a system combo box that takes no typing).
struct ComboBoxProperties {
  std::uint32_t version = 1;
  LogicalFont font;
  std::string items;  // the entries, one a line ('\n' between them); the program may set others
  std::string label;  // what the list asks for, for screen readers
  bool operator==(const ComboBoxProperties&) const = default;
};

// The variant's alternative fixes the unit's type code.
using TypeProperties =
    std::variant<WindowProperties, EditBoxProperties, PicBoxProperties, DrawPanelProperties, PicBtnProperties,
                 TransLabelProperties, ComboBoxProperties>;

struct EventBinding {
  std::int32_t event = 0;
  std::uint32_t handler = 0;
  bool operator==(const EventBinding&) const = default;
};

struct UnitRecord {
  std::uint32_t id = 0;
  std::string name;  // empty for the window's own unit
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t parent = 0;  // 0: the window
  std::vector<std::uint32_t> children;
  std::uint32_t mode_value = 4;
  std::uint8_t flags = kUnitVisible;
  std::vector<EventBinding> events;
  TypeProperties properties;
  bool operator==(const UnitRecord&) const = default;
};

UnitType TypeOf(const UnitRecord& unit);
const char* TypeName(UnitType type);

struct WindowDescription {
  std::uint32_t window_id = 0;
  std::uint32_t check_value = 0;
  std::uint32_t block_id = 0;
  std::vector<UnitRecord> units;  // the window's own unit first
  bool operator==(const WindowDescription&) const = default;
};

struct DescriptionTable {
  std::vector<WindowDescription> windows;
  bool operator==(const DescriptionTable&) const = default;
};

// Why a description table is refused, or cannot be written.
enum class DescriptionError {
  kTruncated,           // a field or block needs more bytes than are left
  kNoTerminator,        // a text or font face without its terminating zero
  kBadTableSize,        // the table size is not a positive multiple of 8
  kBadUnitCount,        // no units, or more than the description's data can hold
  kBadRecordOffset,     // a unit record said to start outside the records
  kOverlappingRecords,  // two unit records share bytes
  kRecordLeftover,      // a record longer than its unit type's fields
  kTrailingBytes,       // bytes after the last description
  kBadVersion,          // a format version of the window or a unit type that is not known
  kUnknownUnitType,
  kBadValue,        // a field outside its range: a negative size, a text alignment
  kBadIdTag,        // an id whose high byte does not fit its kind
  kDuplicateId,     // a window or unit id used twice
  kBadWindowUnit,   // the window unit missing, repeated, or with a parent
  kDuplicateEvent,  // one event bound twice on a unit
  kBadParent,       // parents and children that disagree, or form a cycle
  kUnstorable,      // the writer's: a font face over 31 bytes, a text with a zero byte
};
using DescriptionFailure = Failure<DescriptionError>;
using DescriptionRead = Result<DescriptionTable, DescriptionError>;

// Bounds-checked at every field; a truncated or inconsistent table is refused with a message that names
// the description, the unit and the byte offset.
DescriptionRead ReadDescriptionTable(std::span<const std::uint8_t> bytes);

// The window's own unit (the first) and lookups by id; nullptr when absent.
const WindowProperties* WindowPropertiesOf(const WindowDescription& window);
const UnitRecord* FindUnit(const WindowDescription& window, std::uint32_t unit_id);
const WindowDescription* FindDescription(const DescriptionTable& table, std::uint32_t window_id);

}  // namespace sw
