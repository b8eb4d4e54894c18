#include "ui/description/window_description_writer.h"

#include <algorithm>
#include <type_traits>

namespace sw {
namespace {

constexpr std::size_t kTypeReserved = 20;

class Out {
 public:
  std::vector<std::uint8_t> bytes;
  std::string error;

  void U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void U8(std::uint8_t value) { bytes.push_back(value); }
  void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
  void ZeroText(const std::string& text, const char* what) {
    if (text.find('\0') != std::string::npos) Refuse(std::string(what) + " holds a zero byte");
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
  }
  void Counted(const Bytes& data) {
    U32(static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
  }
  void CountedText(const std::string& text) {
    U32(static_cast<std::uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  void Font(const LogicalFont& font) {
    I32(font.height);
    I32(font.width);
    I32(font.escapement);
    I32(font.orientation);
    I32(font.weight);
    for (std::uint8_t value :
         {font.italic, font.underline, font.strike_out, font.char_set, font.out_precision,
          font.clip_precision, font.quality, font.pitch_and_family}) {
      U8(value);
    }
    if (font.face.size() >= kFaceBytes || font.face.find('\0') != std::string::npos) {
      Refuse("font face \"" + font.face + "\" does not fit 31 bytes");
    }
    std::string face = font.face.substr(0, kFaceBytes - 1);
    face.resize(kFaceBytes, '\0');
    bytes.insert(bytes.end(), face.begin(), face.end());
  }
  void Refuse(const std::string& why) {
    if (error.empty()) error = why;
  }
};

void WriteProperties(Out& out, const WindowProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value :
       {p.version, p.border_style, p.background_picture_mode, p.background_color, p.maximise_box,
        p.minimise_box, p.control_box, p.start_position, p.close_allowed}) {
    out.U32(value);
  }
  for (std::uint32_t value : p.further_values) out.U32(value);
  const std::size_t added = AddedWindowValues(p.version);
  if (added >= 1) out.U32(p.topmost);
  for (std::size_t i = 1; i < added; ++i) out.U32(p.later_values[i - 1]);
  out.ZeroText(p.class_name, "window class name");
  out.Counted(p.background_picture);
  out.Counted(p.second_picture);
  out.Counted(p.third_picture);
  out.CountedText(p.caption);
  out.CountedText(p.trailing_text);
}

void WriteProperties(Out& out, const PicBoxProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value : {p.version, p.border_style, p.background_color, p.display_mode, p.animate})
    out.U32(value);
  out.Counted(p.image);
}

void WriteProperties(Out& out, const PicBtnProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value : {p.version, p.two_state, p.latched, p.cutout_color}) out.U32(value);
  for (const Bytes& image : p.images) out.Counted(image);
  if (p.version >= 2) {
    out.CountedText(p.label);
  } else if (!p.label.empty()) {
    out.Refuse("a label needs version 2 of its unit type");  // version 1 has no place for it
  }
}

void WriteProperties(Out& out, const TransLabelProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value :
       {p.version, p.text_color, p.background_color, static_cast<std::uint32_t>(p.horizontal_align),
        static_cast<std::uint32_t>(p.vertical_align), p.word_wrap}) {
    out.U32(value);
  }
  out.Font(p.font);
  out.CountedText(p.text);
}

void WriteProperties(Out& out, const EditBoxProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value : {p.version, p.text_color, p.background_color, p.border_style,
                              static_cast<std::uint32_t>(p.horizontal_align), p.max_length}) {
    out.U32(value);
  }
  out.Font(p.font);
  out.CountedText(p.text);
  out.CountedText(p.comment);
  if (p.version >= 2) {
    out.CountedText(p.label);
  } else if (!p.label.empty()) {
    out.Refuse("a label needs version 2 of its unit type");  // version 1 has no place for it
  }
}

void WriteProperties(Out& out, const DrawPanelProperties& p) {
  out.Zeros(kTypeReserved);
  for (std::uint32_t value : {p.version, p.text_color, p.background_color, p.border_style}) out.U32(value);
  out.Font(p.font);
  out.Counted(p.background_picture);
}

void WriteProperties(Out& out, const ComboBoxProperties& p) {
  out.Zeros(kTypeReserved);
  out.U32(p.version);
  out.Font(p.font);
  out.CountedText(p.items);
  out.CountedText(p.label);
}

// The record without its length field.
void WriteRecord(Out& out, const UnitRecord& unit) {
  out.U32(static_cast<std::uint32_t>(TypeOf(unit)));
  out.Zeros(20);
  out.ZeroText(unit.name, "unit name");
  out.Zeros(5);
  for (std::int32_t value : {unit.left, unit.top, unit.width, unit.height}) out.I32(value);
  out.U32(0);
  out.U32(unit.parent);
  out.U32(static_cast<std::uint32_t>(unit.children.size()));
  for (std::uint32_t child : unit.children) out.U32(child);
  out.U32(unit.mode_value);
  out.Zeros(9);
  out.U8(unit.flags);
  out.Zeros(7);
  out.U32(static_cast<std::uint32_t>(unit.events.size()));
  for (const EventBinding& binding : unit.events) {
    out.I32(binding.event);
    out.U32(binding.handler);
  }
  std::visit([&out](const auto& properties) { WriteProperties(out, properties); }, unit.properties);
}

}  // namespace

std::uint32_t DescriptionCheckValue(const std::vector<std::uint8_t>& data) {
  std::uint32_t hash = 2166136261u;  // FNV-1a, 32 bits
  for (std::uint8_t byte : data) hash = (hash ^ byte) * 16777619u;
  return hash;
}

DescriptionWrite WriteDescriptionTable(const DescriptionTable& table) {
  Out out;
  out.U32(static_cast<std::uint32_t>(table.windows.size() * 8));
  for (const WindowDescription& window : table.windows) out.U32(window.window_id);
  out.Zeros(table.windows.size() * 4);  // runtime slots

  for (const WindowDescription& window : table.windows) {
    Out records;
    std::vector<std::uint32_t> offsets;
    for (const UnitRecord& unit : window.units) {
      Out record;
      WriteRecord(record, unit);
      if (!record.error.empty()) out.Refuse("unit \"" + unit.name + "\": " + record.error);
      offsets.push_back(static_cast<std::uint32_t>(records.bytes.size()));
      records.U32(static_cast<std::uint32_t>(record.bytes.size()));
      records.bytes.insert(records.bytes.end(), record.bytes.begin(), record.bytes.end());
    }
    Out data;
    for (const UnitRecord& unit : window.units) data.U32(unit.id);
    for (std::uint32_t offset : offsets) data.U32(offset);
    data.bytes.insert(data.bytes.end(), records.bytes.begin(), records.bytes.end());

    out.U32(DescriptionCheckValue(data.bytes));
    out.U32(window.block_id);
    out.Zeros(8);
    out.U32(static_cast<std::uint32_t>(window.units.size()));
    out.U32(static_cast<std::uint32_t>(data.bytes.size()));
    out.bytes.insert(out.bytes.end(), data.bytes.begin(), data.bytes.end());
  }
  if (!out.error.empty()) return DescriptionFailure{DescriptionError::kUnstorable, std::move(out.error)};
  return std::move(out.bytes);
}

}  // namespace sw
