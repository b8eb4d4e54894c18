// Reads the description table. Every field is checked against the bytes that remain before it is read,
// so a truncated or lying table ends in a message, never in a read past the end.
#include "ui/description/window_description.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <type_traits>
#include <unordered_map>

#include "base/byte_reader.h"
#include "base/hex_text.h"

namespace sw {
namespace {

// A bounded view of the table that reads little-endian fields and remembers the first failure with its
// message. Each field is checked here first, so the byte reader below never refuses one.
class Cursor {
 public:
  Cursor(std::span<const std::uint8_t> bytes, std::size_t base) : reader_(bytes), base_(base) {}

  std::size_t remaining() const { return reader_.remaining(); }
  std::size_t offset() const { return base_ + reader_.position(); }  // from the start of the table
  bool failed() const { return failure_.has_value(); }
  const DescriptionFailure& failure() const { return *failure_; }

  bool Fail(DescriptionError code, const std::string& what) {
    if (!failure_) failure_ = DescriptionFailure{code, what + " (offset " + Hex(offset()) + ")"};
    return false;
  }

  bool Need(std::uint64_t count, const char* field) {
    if (failed()) return false;
    if (count <= remaining()) return true;
    return Fail(DescriptionError::kTruncated, std::string(field) + " needs " + std::to_string(count) +
                                                  " bytes, " + std::to_string(remaining()) + " left");
  }

  bool U32(std::uint32_t& out, const char* field) {
    if (!Need(4, field)) return false;
    out = reader_.U32();
    return true;
  }
  bool I32(std::int32_t& out, const char* field) {
    std::uint32_t value = 0;
    if (!U32(value, field)) return false;
    out = static_cast<std::int32_t>(value);
    return true;
  }
  bool U8(std::uint8_t& out, const char* field) {
    if (!Need(1, field)) return false;
    out = reader_.U8();
    return true;
  }
  template <typename Enum>
  bool EnumU32(Enum& out, const char* field) {
    std::uint32_t value = 0;
    if (!U32(value, field)) return false;
    out = static_cast<Enum>(value);
    return true;
  }
  bool Skip(std::uint64_t count, const char* field) { return Need(count, field) && reader_.Skip(count); }
  // Zero-terminated text; the terminator must lie inside the bytes.
  bool ZeroText(std::string& out, const char* field) {
    if (failed()) return false;
    const auto rest = reader_.Rest();
    const auto end = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    if (end == rest.end())
      return Fail(DescriptionError::kNoTerminator, std::string(field) + " has no terminating zero");
    out.assign(rest.begin(), end);
    return reader_.Skip(out.size() + 1);
  }
  // u32 length, then that many bytes.
  bool Counted(Bytes& out, const char* field) {
    std::uint32_t length = 0;
    if (!U32(length, field) || !Need(length, field)) return false;
    const auto bytes = reader_.Take(length);
    out.assign(bytes.begin(), bytes.end());
    return true;
  }
  bool CountedText(std::string& out, const char* field) {
    Bytes bytes;
    if (!Counted(bytes, field)) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
  }
  bool Font(LogicalFont& font) {
    bool ok = I32(font.height, "font height") && I32(font.width, "font width") &&
              I32(font.escapement, "font escapement") && I32(font.orientation, "font orientation") &&
              I32(font.weight, "font weight") && U8(font.italic, "font italic") &&
              U8(font.underline, "font underline") && U8(font.strike_out, "font strike-out") &&
              U8(font.char_set, "font character set") && U8(font.out_precision, "font output precision") &&
              U8(font.clip_precision, "font clip precision") && U8(font.quality, "font quality") &&
              U8(font.pitch_and_family, "font pitch and family") && Need(kFaceBytes, "font face");
    if (!ok) return false;
    const auto face = reader_.BytesAt(reader_.position(), kFaceBytes);  // the cursor stays here on a failure
    const auto end = std::find(face.begin(), face.end(), std::uint8_t{0});
    if (end == face.end())
      return Fail(DescriptionError::kNoTerminator, "font face has no terminating zero within 32 bytes");
    font.face.assign(face.begin(), end);
    return reader_.Skip(kFaceBytes);
  }

 private:
  ByteReader reader_;
  std::size_t base_;
  std::optional<DescriptionFailure> failure_;
};

constexpr std::size_t kTypeReserved = 20;
// Id, offset, record length and the fixed fields of a record with an empty name and no children.
constexpr std::uint64_t kMinUnitBytes = 4 + 4 + 4 + 83;

bool ReadWindowProperties(Cursor& in, WindowProperties& out) {
  if (!in.Skip(kTypeReserved, "window reserved bytes") || !in.U32(out.version, "window format version"))
    return false;
  if (out.version == 0 || out.version > kLatestWindowVersion)
    return in.Fail(DescriptionError::kBadVersion,
                   "window format version " + std::to_string(out.version) + " is not 1 to 6");
  bool ok = in.U32(out.border_style, "border style") &&
            in.U32(out.background_picture_mode, "background-picture mode") &&
            in.U32(out.background_color, "background colour") && in.U32(out.maximise_box, "maximise box") &&
            in.U32(out.minimise_box, "minimise box") && in.U32(out.control_box, "control box") &&
            in.U32(out.start_position, "start position") && in.U32(out.close_allowed, "close allowed");
  for (std::uint32_t& value : out.further_values) ok = ok && in.U32(value, "window value");
  const std::size_t added = AddedWindowValues(out.version);
  if (added >= 1) ok = ok && in.U32(out.topmost, "topmost flag");
  for (std::size_t i = 1; i < added; ++i) ok = ok && in.U32(out.later_values[i - 1], "window value");
  return ok && in.ZeroText(out.class_name, "window class name") &&
         in.Counted(out.background_picture, "background picture") &&
         in.Counted(out.second_picture, "second window picture") &&
         in.Counted(out.third_picture, "third window picture") && in.CountedText(out.caption, "caption") &&
         in.CountedText(out.trailing_text, "window text");
}

bool ReadPicBox(Cursor& in, PicBoxProperties& out) {
  bool ok =
      in.Skip(kTypeReserved, "picture box reserved bytes") && in.U32(out.version, "picture box version");
  if (ok && out.version != 2)
    return in.Fail(DescriptionError::kBadVersion,
                   "picture box version " + std::to_string(out.version) + " is not 2");
  return ok && in.U32(out.border_style, "picture box border style") &&
         in.U32(out.background_color, "picture box background colour") &&
         in.U32(out.display_mode, "display mode") && in.U32(out.animate, "animation flag") &&
         in.Counted(out.image, "picture box image");
}

bool ReadPicBtn(Cursor& in, PicBtnProperties& out) {
  bool ok = in.Skip(kTypeReserved, "picture button reserved bytes") &&
            in.U32(out.version, "picture button version");
  if (ok && out.version != 1 && out.version != 2)
    return in.Fail(DescriptionError::kBadVersion,
                   "picture button version " + std::to_string(out.version) + " is not 1 or 2");
  ok = ok && in.U32(out.two_state, "two-state flag") && in.U32(out.latched, "latched value") &&
       in.U32(out.cutout_color, "cut-out colour");
  for (Bytes& image : out.images) ok = ok && in.Counted(image, "picture button image");
  if (out.version >= 2) ok = ok && in.CountedText(out.label, "picture button label");
  return ok;
}

bool ReadTransLabel(Cursor& in, TransLabelProperties& out) {
  bool ok = in.Skip(kTypeReserved, "label reserved bytes") && in.U32(out.version, "label version");
  if (ok && out.version != 1)
    return in.Fail(DescriptionError::kBadVersion,
                   "label version " + std::to_string(out.version) + " is not 1");
  return ok && in.U32(out.text_color, "label text colour") &&
         in.U32(out.background_color, "label background colour") &&
         in.EnumU32(out.horizontal_align, "label horizontal alignment") &&
         in.EnumU32(out.vertical_align, "label vertical alignment") && in.U32(out.word_wrap, "word wrap") &&
         in.Font(out.font) && in.CountedText(out.text, "label text");
}

bool ReadEditBox(Cursor& in, EditBoxProperties& out) {
  bool ok = in.Skip(kTypeReserved, "edit box reserved bytes") && in.U32(out.version, "edit box version");
  if (ok && out.version != 1 && out.version != 2)
    return in.Fail(DescriptionError::kBadVersion,
                   "edit box version " + std::to_string(out.version) + " is not 1 or 2");
  ok = ok && in.U32(out.text_color, "edit box text colour") &&
       in.U32(out.background_color, "edit box background colour") &&
       in.U32(out.border_style, "edit box border style") &&
       in.EnumU32(out.horizontal_align, "edit box alignment") && in.U32(out.max_length, "maximum length") &&
       in.Font(out.font) && in.CountedText(out.text, "edit box text") &&
       in.CountedText(out.comment, "edit box comment");
  if (out.version >= 2) ok = ok && in.CountedText(out.label, "edit box label");
  return ok;
}

bool ReadDrawPanel(Cursor& in, DrawPanelProperties& out) {
  bool ok =
      in.Skip(kTypeReserved, "drawing panel reserved bytes") && in.U32(out.version, "drawing panel version");
  if (ok && out.version != 1)
    return in.Fail(DescriptionError::kBadVersion,
                   "drawing panel version " + std::to_string(out.version) + " is not 1");
  return ok && in.U32(out.text_color, "drawing panel text colour") &&
         in.U32(out.background_color, "drawing panel background colour") &&
         in.U32(out.border_style, "drawing panel border style") && in.Font(out.font) &&
         in.Counted(out.background_picture, "drawing panel background picture");
}

bool ReadComboBox(Cursor& in, ComboBoxProperties& out) {
  bool ok = in.Skip(kTypeReserved, "drop-down list reserved bytes") &&
            in.U32(out.version, "drop-down list version");
  if (ok && out.version != 1)
    return in.Fail(DescriptionError::kBadVersion,
                   "drop-down list version " + std::to_string(out.version) + " is not 1");
  return ok && in.Font(out.font) && in.CountedText(out.items, "drop-down list entries") &&
         in.CountedText(out.label, "drop-down list label");
}

bool CheckAlign(Cursor& in, TextAlign align) {
  if (static_cast<std::uint32_t>(align) <= static_cast<std::uint32_t>(TextAlign::kEnd)) return true;
  return in.Fail(DescriptionError::kBadValue,
                 "text alignment " + std::to_string(static_cast<std::uint32_t>(align)) + " is not 0 to 2");
}

bool ReadTypeProperties(Cursor& in, std::uint32_t type_code, TypeProperties& out) {
  switch (static_cast<UnitType>(type_code)) {
    case UnitType::kWindow: return ReadWindowProperties(in, out.emplace<WindowProperties>());
    case UnitType::kEditBox: {
      auto& edit = out.emplace<EditBoxProperties>();
      return ReadEditBox(in, edit) && CheckAlign(in, edit.horizontal_align);
    }
    case UnitType::kPicBox: return ReadPicBox(in, out.emplace<PicBoxProperties>());
    case UnitType::kDrawPanel: return ReadDrawPanel(in, out.emplace<DrawPanelProperties>());
    case UnitType::kPicBtn: return ReadPicBtn(in, out.emplace<PicBtnProperties>());
    case UnitType::kComboBox: return ReadComboBox(in, out.emplace<ComboBoxProperties>());
    case UnitType::kTransLabel: {
      auto& label = out.emplace<TransLabelProperties>();
      return ReadTransLabel(in, label) && CheckAlign(in, label.horizontal_align) &&
             CheckAlign(in, label.vertical_align);
    }
  }
  return in.Fail(DescriptionError::kUnknownUnitType, "unknown unit type code " + Hex(type_code));
}

// One unit record; `in` covers exactly the record's bytes after its length field.
bool ReadUnitRecord(Cursor& in, UnitRecord& unit) {
  std::uint32_t type_code = 0;
  std::uint32_t child_count = 0;
  std::uint32_t event_count = 0;
  bool ok = in.U32(type_code, "unit type code") && in.Skip(20, "unit reserved bytes") &&
            in.ZeroText(unit.name, "unit name") && in.Skip(5, "reserved bytes after the name") &&
            in.I32(unit.left, "left") && in.I32(unit.top, "top") && in.I32(unit.width, "width") &&
            in.I32(unit.height, "height") && in.Skip(4, "reserved geometry value") &&
            in.U32(unit.parent, "parent") && in.U32(child_count, "child count") &&
            in.Need(std::uint64_t{child_count} * 4, "children");
  if (!ok) return false;
  if (unit.width < 0 || unit.height < 0)
    return in.Fail(DescriptionError::kBadValue, "negative width or height");
  unit.children.resize(child_count);
  for (std::uint32_t& child : unit.children) in.U32(child, "child id");
  ok = in.U32(unit.mode_value, "mode value") && in.Skip(9, "reserved bytes before the flags") &&
       in.U8(unit.flags, "flags") && in.Skip(7, "reserved bytes after the flags") &&
       in.U32(event_count, "event count") && in.Need(std::uint64_t{event_count} * 8, "event bindings");
  if (!ok) return false;
  unit.events.resize(event_count);
  for (EventBinding& binding : unit.events) {
    in.I32(binding.event, "event number");
    in.U32(binding.handler, "handler reference");
  }
  if (!ReadTypeProperties(in, type_code, unit.properties)) return false;
  if (in.remaining() != 0)
    return in.Fail(DescriptionError::kRecordLeftover,
                   std::to_string(in.remaining()) + " unread bytes at the end of the record");
  return true;
}

std::string UnitContext(std::size_t index, std::uint32_t id) {
  return "unit " + std::to_string(index) + " (id " + Hex(id) + ")";
}

DescriptionFailure Refusal(DescriptionError code, std::string message) { return {code, std::move(message)}; }

// Ids, the window unit's place, unique bindings and a parent/children relation that agrees with itself.
std::optional<DescriptionFailure> CheckUnits(const WindowDescription& window) {
  std::unordered_map<std::uint32_t, const UnitRecord*> by_id;
  for (std::size_t i = 0; i < window.units.size(); ++i) {
    const UnitRecord& unit = window.units[i];
    const bool is_window = TypeOf(unit) == UnitType::kWindow;
    const std::uint32_t tag = i == 0 ? kWindowUnitIdTag : kUnitIdTag;
    if ((unit.id & kIdTagMask) != tag)
      return Refusal(DescriptionError::kBadIdTag, UnitContext(i, unit.id) + ": id has the wrong high byte");
    if (is_window != (i == 0)) {
      return Refusal(DescriptionError::kBadWindowUnit,
                     UnitContext(i, unit.id) +
                         (i == 0 ? ": the first unit is not the window" : ": a second window unit"));
    }
    if (!by_id.emplace(unit.id, &unit).second)
      return Refusal(DescriptionError::kDuplicateId, UnitContext(i, unit.id) + ": id used twice");
    std::set<std::int32_t> events;
    for (const EventBinding& binding : unit.events) {
      if (!events.insert(binding.event).second) {
        return Refusal(DescriptionError::kDuplicateEvent,
                       UnitContext(i, unit.id) + ": event " + std::to_string(binding.event) + " bound twice");
      }
    }
  }
  if (window.units.front().parent != 0) {
    return Refusal(DescriptionError::kBadWindowUnit,
                   UnitContext(0, window.units.front().id) + ": the window unit has a parent");
  }
  // How often each (container, unit) pair is listed; each contained unit must be listed exactly once.
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> listed;
  for (const UnitRecord& unit : window.units) {
    for (std::uint32_t child : unit.children) ++listed[{unit.id, child}];
  }
  for (std::size_t i = 0; i < window.units.size(); ++i) {
    const UnitRecord& unit = window.units[i];
    if (unit.parent != 0) {
      const auto parent = by_id.find(unit.parent);
      if (parent == by_id.end() || parent->second == &window.units[0]) {
        return Refusal(DescriptionError::kBadParent, UnitContext(i, unit.id) + ": parent " +
                                                         Hex(unit.parent) + " is not a unit of this window");
      }
      const auto count = listed.find({unit.parent, unit.id});
      if (count == listed.end() || count->second != 1) {
        return Refusal(DescriptionError::kBadParent,
                       UnitContext(i, unit.id) + ": its parent does not list it once among its children");
      }
    }
    for (std::uint32_t child : unit.children) {
      const auto found = by_id.find(child);
      if (found == by_id.end() || found->second->parent != unit.id) {
        return Refusal(DescriptionError::kBadParent,
                       UnitContext(i, unit.id) + ": child " + Hex(child) + " does not name it as its parent");
      }
    }
  }
  // Every parent exists now. Walk each chain once: meeting a unit still on the current walk is a cycle.
  enum class Walk : std::uint8_t { kNew, kOnPath, kDone };
  std::unordered_map<std::uint32_t, Walk> walked;
  for (std::size_t i = 0; i < window.units.size(); ++i) {
    std::vector<const UnitRecord*> path;
    for (const UnitRecord* up = &window.units[i]; up != nullptr;) {
      Walk& state = walked[up->id];
      if (state == Walk::kDone) break;
      if (state == Walk::kOnPath) {
        return Refusal(DescriptionError::kBadParent,
                       UnitContext(i, window.units[i].id) + ": parents form a cycle");
      }
      state = Walk::kOnPath;
      path.push_back(up);
      up = up->parent == 0 ? nullptr : by_id.at(up->parent);
    }
    for (const UnitRecord* done : path) walked[done->id] = Walk::kDone;
  }
  return std::nullopt;
}

// One description starting at `in`; advances past its data.
bool ReadWindow(Cursor& in, std::span<const std::uint8_t> table, WindowDescription& window,
                DescriptionFailure& error) {
  std::uint32_t unit_count = 0;
  std::uint32_t data_size = 0;
  bool ok = in.U32(window.check_value, "check value") && in.U32(window.block_id, "block id") &&
            in.Skip(8, "reserved description values") && in.U32(unit_count, "unit count") &&
            in.U32(data_size, "data size") && in.Need(data_size, "description data");
  if (ok && unit_count == 0) ok = in.Fail(DescriptionError::kBadUnitCount, "unit count is 0");
  if (ok && std::uint64_t{unit_count} * kMinUnitBytes > data_size) {
    ok = in.Fail(DescriptionError::kBadUnitCount, "unit count does not fit the data size");
  }
  if (!ok) {
    error = in.failure();
    return false;
  }
  const std::size_t data_start = in.offset();
  Cursor data(table.subspan(data_start, data_size), data_start);
  in.Skip(data_size, "description data");

  std::vector<std::uint32_t> offsets(unit_count);
  window.units.resize(unit_count);
  for (UnitRecord& unit : window.units) data.U32(unit.id, "unit id");
  for (std::uint32_t& offset : offsets) data.U32(offset, "unit offset");
  const std::size_t records_start = data.offset();
  const std::size_t records_size = data.remaining();
  const auto records = table.subspan(records_start, records_size);
  // Records may be stored in any order and with gaps between them, but each lies inside the records and no
  // two share a byte. All of that is settled before any record is read.
  struct Extent {
    std::uint64_t begin;
    std::uint64_t end;  // past the record's last byte, its length field included
    std::size_t unit;
  };
  std::vector<Extent> extents;
  extents.reserve(unit_count);
  for (std::size_t i = 0; i < unit_count; ++i) {
    if (offsets[i] > records_size) {
      error = Refusal(DescriptionError::kBadRecordOffset,
                      UnitContext(i, window.units[i].id) + ": record offset " + std::to_string(offsets[i]) +
                          " is out of bounds: the unit records at " + Hex(records_start) + " hold " +
                          std::to_string(records_size) + " bytes");
      return false;
    }
    Cursor at(records, records_start);
    std::uint32_t length = 0;
    if (!at.Skip(offsets[i], "unit offset") || !at.U32(length, "record length") ||
        !at.Need(length, "unit record")) {
      error = Refusal(at.failure().code, UnitContext(i, window.units[i].id) + ": " + at.failure().message);
      return false;
    }
    extents.push_back({offsets[i], std::uint64_t{offsets[i]} + 4 + length, i});
  }
  std::vector<Extent> by_position = extents;
  std::sort(by_position.begin(), by_position.end(), [](const Extent& a, const Extent& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.unit < b.unit;
  });
  for (std::size_t k = 1; k < by_position.size(); ++k) {
    // The records before this one are sorted and disjoint, so the one just before reaches furthest.
    const Extent& before = by_position[k - 1];
    const Extent& here = by_position[k];
    if (here.begin < before.end) {
      error = Refusal(DescriptionError::kOverlappingRecords,
                      UnitContext(here.unit, window.units[here.unit].id) + ": record at " +
                          Hex(records_start + here.begin) + " overlaps the record of " +
                          UnitContext(before.unit, window.units[before.unit].id) + " at " +
                          Hex(records_start + before.begin) + " to " + Hex(records_start + before.end));
      return false;
    }
  }
  for (const Extent& extent : extents) {
    const std::size_t begin = static_cast<std::size_t>(extent.begin) + 4;
    const std::size_t length = static_cast<std::size_t>(extent.end - extent.begin) - 4;
    Cursor record(records.subspan(begin, length), records_start + begin);
    if (!ReadUnitRecord(record, window.units[extent.unit])) {
      error = Refusal(record.failure().code, UnitContext(extent.unit, window.units[extent.unit].id) + ": " +
                                                 record.failure().message);
      return false;
    }
  }
  if (std::optional<DescriptionFailure> refused = CheckUnits(window)) {
    error = std::move(*refused);
    return false;
  }
  return true;
}

}  // namespace

UnitType TypeOf(const UnitRecord& unit) {
  return std::visit(
      [](const auto& properties) {
        using T = std::decay_t<decltype(properties)>;
        if constexpr (std::is_same_v<T, WindowProperties>) return UnitType::kWindow;
        if constexpr (std::is_same_v<T, EditBoxProperties>) return UnitType::kEditBox;
        if constexpr (std::is_same_v<T, PicBoxProperties>) return UnitType::kPicBox;
        if constexpr (std::is_same_v<T, DrawPanelProperties>) return UnitType::kDrawPanel;
        if constexpr (std::is_same_v<T, PicBtnProperties>) return UnitType::kPicBtn;
        if constexpr (std::is_same_v<T, TransLabelProperties>) return UnitType::kTransLabel;
        if constexpr (std::is_same_v<T, ComboBoxProperties>) return UnitType::kComboBox;
      },
      unit.properties);
}

const char* TypeName(UnitType type) {
  switch (type) {
    case UnitType::kWindow: return "window";
    case UnitType::kEditBox: return "EditBox";
    case UnitType::kPicBox: return "PicBox";
    case UnitType::kDrawPanel: return "DrawPanel";
    case UnitType::kPicBtn: return "PicBtn";
    case UnitType::kTransLabel: return "TransLabel";
    case UnitType::kComboBox: return "ComboBox";
  }
  return "unknown";
}

DescriptionRead ReadDescriptionTable(std::span<const std::uint8_t> bytes) {
  auto fail = [](DescriptionError code, std::string message) -> DescriptionRead {
    return DescriptionFailure{code, std::move(message)};
  };
  Cursor in(bytes, 0);
  std::uint32_t table_size = 0;
  if (!in.U32(table_size, "table size"))
    return fail(in.failure().code, "description table: " + in.failure().message);
  if (table_size == 0 || table_size % 8 != 0) {
    return fail(
        DescriptionError::kBadTableSize,
        "description table: table size " + std::to_string(table_size) + " is not a positive multiple of 8");
  }
  if (!in.Need(table_size, "window ids and runtime slots")) {
    return fail(in.failure().code, "description table: " + in.failure().message);
  }
  const std::size_t count = table_size / 8;
  std::vector<std::uint32_t> ids(count);
  for (std::uint32_t& id : ids) in.U32(id, "window id");
  in.Skip(std::uint64_t{count} * 4, "runtime slots");

  std::set<std::uint32_t> window_ids;
  std::set<std::uint32_t> unit_ids;
  DescriptionTable table;
  table.windows.resize(count);
  for (std::size_t w = 0; w < count; ++w) {
    WindowDescription& window = table.windows[w];
    window.window_id = ids[w];
    const std::string context = "window description " + std::to_string(w) + " (id " + Hex(ids[w]) + ")";
    if ((ids[w] & kIdTagMask) != kWindowIdTag) {
      return fail(DescriptionError::kBadIdTag, context + ": window id has the wrong high byte");
    }
    if (!window_ids.insert(ids[w]).second)
      return fail(DescriptionError::kDuplicateId, context + ": window id used twice");
    DescriptionFailure error{};
    if (!ReadWindow(in, bytes, window, error)) return fail(error.code, context + ": " + error.message);
    for (const UnitRecord& unit : window.units) {
      if (!unit_ids.insert(unit.id).second) {
        return fail(DescriptionError::kDuplicateId,
                    context + ": unit id " + Hex(unit.id) + " is used by another description too");
      }
    }
  }
  if (in.remaining() != 0) {
    return fail(DescriptionError::kTrailingBytes,
                "description table: " + std::to_string(in.remaining()) + " bytes after the last description");
  }
  return table;
}

const WindowProperties* WindowPropertiesOf(const WindowDescription& window) {
  if (window.units.empty()) return nullptr;
  return std::get_if<WindowProperties>(&window.units.front().properties);
}

const UnitRecord* FindUnit(const WindowDescription& window, std::uint32_t unit_id) {
  for (const UnitRecord& unit : window.units) {
    if (unit.id == unit_id) return &unit;
  }
  return nullptr;
}

const WindowDescription* FindDescription(const DescriptionTable& table, std::uint32_t window_id) {
  for (const WindowDescription& window : table.windows) {
    if (window.window_id == window_id) return &window;
  }
  return nullptr;
}

}  // namespace sw
