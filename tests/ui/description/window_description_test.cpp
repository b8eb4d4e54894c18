// The description table: its byte layout, the round trip through writer and reader, and the refusal of
// truncated or inconsistent tables.
#include "ui/description/window_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <tuple>

#include "tests/support/case_table.h"
#include "ui/description/window_description_writer.h"

namespace sw {
namespace {

constexpr std::uint32_t kWindow1 = kWindowIdTag | 1;
constexpr std::uint32_t kWindow2 = kWindowIdTag | 2;

LogicalFont SampleFont(const std::string& face) {
  LogicalFont font;
  font.height = -32;
  font.width = 3;
  font.escapement = 4;
  font.orientation = 5;
  font.weight = 700;
  font.italic = 1;
  font.underline = 1;
  font.strike_out = 1;
  font.out_precision = 3;
  font.clip_precision = 2;
  font.quality = 1;
  font.pitch_and_family = 2;
  font.face = face;
  return font;
}

UnitRecord Unit(std::uint32_t serial, std::string name, TypeProperties properties, std::uint32_t parent = 0) {
  UnitRecord unit;
  unit.id = kUnitIdTag | serial;
  unit.name = std::move(name);
  unit.left = -3;
  unit.top = static_cast<std::int32_t>(serial);
  unit.width = 40;
  unit.height = 20;
  unit.parent = parent;
  unit.flags = 0x11;
  unit.properties = std::move(properties);
  return unit;
}

// One unit of every type with every field away from its default, so a field read from the wrong place
// shows up as a difference.
WindowDescription SampleWindow(std::uint32_t window_id, std::uint32_t first_serial) {
  WindowDescription window;
  window.window_id = window_id;
  window.block_id = kBlockIdTag | first_serial;

  WindowProperties own;
  own.version = 6;
  own.background_color = 0x00B9C958;
  own.start_position = 1;
  own.further_values = {11, 12, 13, 14, 15};
  own.topmost = 1;
  own.later_values = {21, 22, 23};
  own.class_name = "cls";
  own.background_picture = {1, 2, 3};
  own.second_picture = {4};
  own.caption = "\xCC\xF5\xC2\xEB";  // GBK
  own.trailing_text = "tail";
  UnitRecord& window_unit = window.units.emplace_back();
  window_unit.id = kWindowUnitIdTag | first_serial;
  window_unit.width = 500;
  window_unit.height = 300;
  window_unit.events = {{0, 1}, {2, 7}};
  window_unit.properties = own;

  const std::uint32_t container = kUnitIdTag | (first_serial + 1);
  PicBoxProperties box;
  box.background_color = 0x009D9D51;
  box.display_mode = 2;
  box.image = {0x89, 'P', 'N', 'G'};
  UnitRecord& holder = window.units.emplace_back(Unit(first_serial + 1, "box", box));
  holder.children = {kUnitIdTag | (first_serial + 2), kUnitIdTag | (first_serial + 3)};

  PicBtnProperties button;
  button.two_state = 1;
  button.latched = 1;
  button.cutout_color = 0x00B9C958;
  button.images = {Bytes{1}, Bytes{2, 2}, Bytes{}, Bytes{4, 4, 4, 4}};
  window.units.push_back(Unit(first_serial + 2, "button", button, container));
  window.units.back().events = {{0, 3}, {-6, 4}};

  TransLabelProperties label;
  label.text_color = 0x00FFFFFF;
  label.horizontal_align = TextAlign::kCentre;
  label.vertical_align = TextAlign::kEnd;
  label.word_wrap = 1;
  label.font = SampleFont("label face");
  label.text = "Error Tips";
  window.units.push_back(Unit(first_serial + 3, "label", label, container));

  EditBoxProperties edit;
  edit.text_color = 0x00474D1E;
  edit.background_color = 0x00FFFFFF;
  edit.border_style = 1;
  edit.horizontal_align = TextAlign::kEnd;
  edit.max_length = 64;
  edit.font = SampleFont("\xCB\xCE\xCC\xE5");
  edit.text = "ABC";
  edit.comment = "note";
  window.units.push_back(Unit(first_serial + 4, "edit", edit));
  window.units.back().events = {{-7, 5}, {-8, 6}, {-11, 9}};

  DrawPanelProperties panel;
  panel.text_color = 0x00123456;
  panel.background_color = 0x00FFFFFF;
  panel.border_style = 2;
  panel.font = SampleFont(std::string(31, 'f'));
  panel.background_picture = {'B', 'M'};
  window.units.push_back(Unit(first_serial + 5, "", panel));

  ComboBoxProperties list;
  list.font = SampleFont("list face");
  list.items = "A4\nLetter";
  list.label = "\xD6\xBD\xD5\xC5";
  window.units.push_back(Unit(first_serial + 6, "list", list));
  window.units.back().events = {{0, 7}};
  return window;
}

DescriptionTable SampleTable() {
  DescriptionTable table;
  table.windows.push_back(SampleWindow(kWindow1, 1));
  table.windows.push_back(SampleWindow(kWindow2, 11));
  return table;
}

std::vector<std::uint8_t> Written(const DescriptionTable& table) {
  DescriptionWrite written = WriteDescriptionTable(table);
  EXPECT_TRUE(written.ok()) << written.message();
  return written.value();
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);  // the build machines are little-endian, like the format
  return value;
}
void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}

TEST(WindowDescription, ReadsBackExactlyWhatWasWritten) {
  const DescriptionTable table = SampleTable();
  const DescriptionRead read = ReadDescriptionTable(Written(table));
  ASSERT_TRUE(read.ok()) << read.message();
  ASSERT_EQ(read.value().windows.size(), 2u);
  DescriptionTable expected = table;
  for (std::size_t i = 0; i < expected.windows.size(); ++i) {
    expected.windows[i].check_value = read.value().windows[i].check_value;
  }
  EXPECT_EQ(read.value(), expected);
}

// Field offsets spelled from the widths of the fields before them.
TEST(WindowDescription, LaysOutTableDescriptionAndRecordFields) {
  DescriptionTable table;
  WindowDescription& window = table.windows.emplace_back();
  window.window_id = kWindow1;
  window.block_id = kBlockIdTag | 1;
  UnitRecord& own = window.units.emplace_back();
  own.id = kWindowUnitIdTag | 1;
  own.left = 50;
  own.top = 51;
  own.width = 500;
  own.height = 300;
  own.events = {{-1, 9}};
  own.properties = WindowProperties{};
  const std::vector<std::uint8_t> bytes = Written(table);

  constexpr std::size_t kTableSize = 0;
  constexpr std::size_t kWindowIds = kTableSize + 4;
  constexpr std::size_t kDescription = kWindowIds + 4 /*id*/ + 4 /*runtime slot*/;
  constexpr std::size_t kBlockId = kDescription + 4 /*check value*/;
  constexpr std::size_t kUnitCount = kBlockId + 4 + 8 /*reserved*/;
  constexpr std::size_t kDataSize = kUnitCount + 4;
  constexpr std::size_t kUnitIds = kDataSize + 4;
  constexpr std::size_t kUnitOffsets = kUnitIds + 4;
  constexpr std::size_t kRecords = kUnitOffsets + 4;
  constexpr std::size_t kRecordLength = kRecords + 0;
  constexpr std::size_t kTypeCode = kRecordLength + 4;
  constexpr std::size_t kName = kTypeCode + 4 + 20;
  constexpr std::size_t kLeft = kName + 1 /*empty name*/ + 5;
  constexpr std::size_t kParent = kLeft + 16 + 4;
  constexpr std::size_t kChildCount = kParent + 4;
  constexpr std::size_t kModeValue = kChildCount + 4;
  constexpr std::size_t kFlags = kModeValue + 4 + 9;
  constexpr std::size_t kEventCount = kFlags + 1 + 7;
  constexpr std::size_t kWindowVersion = kEventCount + 4 + 8 /*one binding*/ + 20;

  EXPECT_EQ(Le32(bytes, kTableSize), 8u);
  EXPECT_EQ(Le32(bytes, kWindowIds), kWindow1);
  EXPECT_EQ(Le32(bytes, kBlockId), kBlockIdTag | 1);
  EXPECT_EQ(Le32(bytes, kUnitCount), 1u);
  EXPECT_EQ(Le32(bytes, kDataSize), bytes.size() - kUnitIds);
  EXPECT_EQ(Le32(bytes, kUnitIds), kWindowUnitIdTag | 1);
  EXPECT_EQ(Le32(bytes, kUnitOffsets), 0u);
  EXPECT_EQ(Le32(bytes, kRecordLength), bytes.size() - kTypeCode);
  EXPECT_EQ(Le32(bytes, kTypeCode), 0x00010001u);
  EXPECT_EQ(bytes[kName], 0);
  EXPECT_EQ(Le32(bytes, kLeft), 50u);
  EXPECT_EQ(Le32(bytes, kLeft + 12), 300u);
  EXPECT_EQ(Le32(bytes, kParent), 0u);
  EXPECT_EQ(Le32(bytes, kChildCount), 0u);
  EXPECT_EQ(Le32(bytes, kModeValue), 4u);
  EXPECT_EQ(bytes[kFlags], kUnitVisible);
  EXPECT_EQ(Le32(bytes, kEventCount), 1u);
  EXPECT_EQ(Le32(bytes, kEventCount + 4), static_cast<std::uint32_t>(-1));
  EXPECT_EQ(Le32(bytes, kEventCount + 8), 9u);
  EXPECT_EQ(Le32(bytes, kWindowVersion), 6u);
  EXPECT_EQ(Le32(bytes, kWindowVersion + 4 * 3), kNoColor)
      << "background colour, after border and picture mode";
  EXPECT_EQ(Le32(bytes, kWindowVersion + 4 * 7), 1u) << "start position";
  EXPECT_EQ(Le32(bytes, kDescription), DescriptionCheckValue({bytes.begin() + kUnitIds, bytes.end()}));
}

// Little-endian bytes written out field by field.
struct Spelled {
  std::vector<std::uint8_t> bytes;
  Spelled& U32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  Spelled& I32(std::int32_t value) { return U32(static_cast<std::uint32_t>(value)); }
  Spelled& U8(std::uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  Spelled& Zeros(std::size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
  }
  Spelled& Raw(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  Spelled& Text(std::string_view text) {  // the bytes alone, no terminator
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
};

// The fields every unit record starts with, up to its type properties.
Spelled RecordHead(std::uint32_t type_code, std::string_view name, std::array<std::int32_t, 4> geometry,
                   std::uint32_t parent, const std::vector<std::uint32_t>& children, std::uint8_t flags,
                   const std::vector<EventBinding>& events) {
  Spelled r;
  r.U32(type_code);                                                    // unit type code
  r.Zeros(20);                                                         // reserved
  r.Text(name).U8(0);                                                  // name, zero-terminated
  r.Zeros(5);                                                          // reserved
  for (std::int32_t value : geometry) r.I32(value);                    // left, top, width, height
  r.U32(0);                                                            // reserved
  r.U32(parent);                                                       // parent
  r.U32(static_cast<std::uint32_t>(children.size()));                  // child count
  for (std::uint32_t child : children) r.U32(child);                   // children
  r.U32(4);                                                            // mode value
  r.Zeros(9);                                                          // reserved
  r.U8(flags);                                                         // flags
  r.Zeros(7);                                                          // reserved
  r.U32(static_cast<std::uint32_t>(events.size()));                    // event count
  for (const EventBinding& b : events) r.I32(b.event).U32(b.handler);  // event number, handler
  return r;
}

// Picture box, picture button and label records spelled byte by byte from the format, every field a value of
// its own, so that a field read from (or written to) a neighbour's place shows up.
TEST(WindowDescription, PictureBoxButtonAndLabelRecordsSitWhereTheFormatPutsThem) {
  constexpr std::uint32_t kOwn = kWindowUnitIdTag | 1, kBox = kUnitIdTag | 2, kButton = kUnitIdTag | 3,
                          kLabel = kUnitIdTag | 4;
  const std::string kFace = "\xCB\xCE\xCC\xE5";  // GBK
  const std::string kText = "\xCC\xE1\xCA\xBE";  // GBK

  Spelled own = RecordHead(0x00010001, "", {50, 51, 500, 300}, 0, {}, 0x01, {{0, 0x10}});
  own.Zeros(20);                                   // reserved
  for (std::uint32_t value : {6u,                  // format version
                              0u,                  // border style
                              3u,                  // background-picture mode
                              0x00B9C958u,         // background colour
                              0u, 1u, 1u,          // maximise box, minimise box, control box
                              1u,                  // start position
                              1u,                  // close allowed
                              0u, 0u, 0u, 0u, 0u,  // five further values
                              0u,                  // topmost (version 2 on)
                              0u, 0u, 0u}) {       // versions 3 to 5
    own.U32(value);
  }
  own.U8(0);                 // class name: empty
  own.U32(0).U32(0).U32(0);  // background picture and two further images: empty
  own.U32(4).Text("Tips");   // caption
  own.U32(0);                // window text: empty

  Spelled box = RecordHead(0x00010006, "box", {10, 20, 344, 120}, 0, {kButton, kLabel}, 0x11, {{-1, 0x21}});
  box.Zeros(20);                          // reserved
  box.U32(2);                             // format version
  box.U32(5);                             // border style: plain border
  box.U32(0x009D9D51);                    // background colour
  box.U32(2);                             // display mode: centred
  box.U32(7);                             // animation flag
  box.U32(4).Raw({0x89, 'P', 'N', 'G'});  // image length and bytes

  Spelled button = RecordHead(0x0001002D, "btn", {1, 2, 87, 31}, kBox, {}, 0x01, {{0, 0x31}, {-6, 0x32}});
  button.Zeros(20);                       // reserved
  button.U32(1);                          // format version
  button.U32(1);                          // two-state flag
  button.U32(0);                          // latched value
  button.U32(0x00B9C958);                 // cut-out colour
  button.U32(1).Raw({0xA1});              // normal image
  button.U32(2).Raw({0xB1, 0xB2});        // mouse-over image
  button.U32(0);                          // pressed image: empty slot
  button.U32(3).Raw({0xD1, 0xD2, 0xD3});  // disabled image

  Spelled label = RecordHead(0x00040005, "lbl", {5, 6, 70, 18}, kBox, {}, 0x11, {});
  label.Zeros(20);                             // reserved
  label.U32(1);                                // format version
  label.U32(0x00FFFFFF);                       // text colour
  label.U32(0x00302010);                       // background colour
  label.U32(2);                                // horizontal alignment: end
  label.U32(0);                                // vertical alignment: start
  label.U32(1);                                // word wrap
  label.I32(-12).I32(6).I32(900).I32(450);     // font height, width, escapement, orientation
  label.I32(400);                              // font weight
  label.U8(1).U8(0).U8(0);                     // italic, underline, strike-out
  label.U8(134);                               // character set: GB2312
  label.U8(3).U8(2).U8(1).U8(0x31);            // output and clip precision, quality, pitch and family
  label.Text(kFace).Zeros(32 - kFace.size());  // face, zero-padded to 32 bytes
  label.U32(4).Text(kText);                    // text length and bytes

  Spelled data;
  for (std::uint32_t id : {kOwn, kBox, kButton, kLabel}) data.U32(id);  // unit ids
  std::uint32_t offset = 0;
  for (const Spelled* record : {&own, &box, &button, &label}) {  // unit offsets, from the array's end
    data.U32(offset);
    offset += 4 + static_cast<std::uint32_t>(record->bytes.size());
  }
  for (const Spelled* record : {&own, &box, &button, &label}) {  // record length, then the record
    data.U32(static_cast<std::uint32_t>(record->bytes.size())).Raw(record->bytes);
  }
  Spelled table;
  table.U32(8);                                              // table size: one window
  table.U32(kWindow1);                                       // window id
  table.U32(0);                                              // runtime slot
  table.U32(DescriptionCheckValue(data.bytes));              // check value
  table.U32(kBlockIdTag | 1);                                // block id
  table.Zeros(8);                                            // reserved
  table.U32(4);                                              // unit count
  table.U32(static_cast<std::uint32_t>(data.bytes.size()));  // data size
  table.Raw(data.bytes);

  // The same description as values.
  WindowDescription window;
  window.window_id = kWindow1;
  window.check_value = DescriptionCheckValue(data.bytes);
  window.block_id = kBlockIdTag | 1;
  WindowProperties own_properties;
  own_properties.background_picture_mode = 3;
  own_properties.background_color = 0x00B9C958;
  own_properties.caption = "Tips";
  window.units.push_back({.id = kOwn,
                          .name = "",
                          .left = 50,
                          .top = 51,
                          .width = 500,
                          .height = 300,
                          .children = {},
                          .flags = 0x01,
                          .events = {{0, 0x10}},
                          .properties = own_properties});
  window.units.push_back({.id = kBox,
                          .name = "box",
                          .left = 10,
                          .top = 20,
                          .width = 344,
                          .height = 120,
                          .children = {kButton, kLabel},
                          .flags = 0x11,
                          .events = {{-1, 0x21}},
                          .properties = PicBoxProperties{.border_style = 5,
                                                         .background_color = 0x009D9D51,
                                                         .display_mode = 2,
                                                         .animate = 7,
                                                         .image = {0x89, 'P', 'N', 'G'}}});
  window.units.push_back({.id = kButton,
                          .name = "btn",
                          .left = 1,
                          .top = 2,
                          .width = 87,
                          .height = 31,
                          .parent = kBox,
                          .children = {},
                          .flags = 0x01,
                          .events = {{0, 0x31}, {-6, 0x32}},
                          .properties = PicBtnProperties{
                              .two_state = 1,
                              .latched = 0,
                              .cutout_color = 0x00B9C958,
                              .images = {Bytes{0xA1}, Bytes{0xB1, 0xB2}, Bytes{}, Bytes{0xD1, 0xD2, 0xD3}},
                              .label = {}}});
  LogicalFont font{.height = -12,
                   .width = 6,
                   .escapement = 900,
                   .orientation = 450,
                   .weight = 400,
                   .italic = 1,
                   .char_set = 134,
                   .out_precision = 3,
                   .clip_precision = 2,
                   .quality = 1,
                   .pitch_and_family = 0x31,
                   .face = kFace};
  window.units.push_back({.id = kLabel,
                          .name = "lbl",
                          .left = 5,
                          .top = 6,
                          .width = 70,
                          .height = 18,
                          .parent = kBox,
                          .children = {},
                          .flags = 0x11,
                          .events = {},
                          .properties = TransLabelProperties{.text_color = 0x00FFFFFF,
                                                             .background_color = 0x00302010,
                                                             .horizontal_align = TextAlign::kEnd,
                                                             .vertical_align = TextAlign::kStart,
                                                             .word_wrap = 1,
                                                             .font = font,
                                                             .text = kText}});

  const DescriptionRead read = ReadDescriptionTable(table.bytes);
  ASSERT_TRUE(read.ok()) << read.message();
  ASSERT_EQ(read.value().windows.size(), 1u);
  const std::vector<UnitRecord>& units = read.value().windows[0].units;
  ASSERT_EQ(units.size(), 4u);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const UnitRecord& got = units[i];
    const UnitRecord& want = window.units[i];
    EXPECT_EQ(std::tie(got.id, got.name, got.parent, got.children, got.mode_value, got.flags),
              std::tie(want.id, want.name, want.parent, want.children, want.mode_value, want.flags))
        << "unit " << i;
    EXPECT_EQ((std::array{got.left, got.top, got.width, got.height}),
              (std::array{want.left, want.top, want.width, want.height}))
        << "unit " << i;
    EXPECT_EQ(got.events, want.events) << "unit " << i;
  }
  EXPECT_EQ(std::get<WindowProperties>(units[0].properties), own_properties);
  const auto& got_box = std::get<PicBoxProperties>(units[1].properties);
  EXPECT_EQ((std::array{got_box.version, got_box.border_style, got_box.background_color, got_box.display_mode,
                        got_box.animate}),
            (std::array{2u, 5u, 0x009D9D51u, 2u, 7u}));
  EXPECT_EQ(got_box.image, (Bytes{0x89, 'P', 'N', 'G'}));
  const auto& got_button = std::get<PicBtnProperties>(units[2].properties);
  EXPECT_EQ(
      (std::array{got_button.version, got_button.two_state, got_button.latched, got_button.cutout_color}),
      (std::array{1u, 1u, 0u, 0x00B9C958u}));
  EXPECT_EQ(got_button.images, std::get<PicBtnProperties>(window.units[2].properties).images);
  const auto& got_label = std::get<TransLabelProperties>(units[3].properties);
  EXPECT_EQ((std::array{got_label.version, got_label.text_color, got_label.background_color,
                        static_cast<std::uint32_t>(got_label.horizontal_align),
                        static_cast<std::uint32_t>(got_label.vertical_align), got_label.word_wrap}),
            (std::array{1u, 0x00FFFFFFu, 0x00302010u, 2u, 0u, 1u}));
  EXPECT_EQ(got_label.font, font);
  EXPECT_EQ(got_label.text, kText);
  EXPECT_EQ(read.value().windows[0], window) << "anything the checks above missed";

  DescriptionTable model;
  model.windows.push_back(window);
  EXPECT_EQ(Written(model), table.bytes) << "the writer puts every field where the reader found it";
}

TEST(WindowDescription, OlderWindowVersionsStoreFewerValues) {
  // Version 1 has none of the values that versions 2 to 5 add: four u32 fewer than version 6.
  DescriptionTable table = SampleTable();
  const std::size_t latest = Written(table).size();
  for (WindowDescription& window : table.windows) {
    auto& own = std::get<WindowProperties>(window.units[0].properties);
    own.version = 1;
    own.topmost = 0;
    own.later_values = {};
  }
  const std::vector<std::uint8_t> bytes = Written(table);
  EXPECT_EQ(bytes.size(), latest - 2 * 4 * 4);
  const DescriptionRead read = ReadDescriptionTable(bytes);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(std::get<WindowProperties>(read.value().windows[1].units[0].properties).version, 1u);
}

TEST(WindowDescription, Version2ButtonsAndEditBoxesEndWithTheirLabel) {
  // Version 1 records (no label) are what older descriptions hold; they read as before, above.
  DescriptionTable table = SampleTable();
  const std::size_t version1 = Written(table).size();
  const std::string button_label = "\xC9\xFA\xB3\xC9";  // GBK
  const std::string box_label = "content";
  for (WindowDescription& window : table.windows) {
    auto& button = std::get<PicBtnProperties>(window.units[2].properties);
    button.version = 2;
    button.label = button_label;
    auto& box = std::get<EditBoxProperties>(window.units[4].properties);
    box.version = 2;
    box.label = box_label;
  }
  const std::vector<std::uint8_t> bytes = Written(table);
  EXPECT_EQ(bytes.size(), version1 + 2 * (4 + button_label.size() + 4 + box_label.size()));
  const DescriptionRead read = ReadDescriptionTable(bytes);
  ASSERT_TRUE(read.ok()) << read.message();
  for (std::size_t i = 0; i < table.windows.size(); ++i) {
    table.windows[i].check_value = read.value().windows[i].check_value;
  }
  EXPECT_EQ(read.value(), table);
}

TEST(WindowDescription, RefusesEveryTruncation) {
  const std::vector<std::uint8_t> bytes = Written(SampleTable());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + length);
    const DescriptionRead read = ReadDescriptionTable(cut);
    EXPECT_FALSE(read.ok()) << "a table cut to " << length << " of " << bytes.size() << " bytes was accepted";
  }
}

// Byte positions inside the first description of a written table.
std::size_t FirstDescription(const std::vector<std::uint8_t>& bytes) { return 4 + Le32(bytes, 0); }
std::size_t UnitCountAt(const std::vector<std::uint8_t>& bytes) { return FirstDescription(bytes) + 16; }
std::size_t DataSizeAt(const std::vector<std::uint8_t>& bytes) { return FirstDescription(bytes) + 20; }
std::size_t UnitOffsetAt(const std::vector<std::uint8_t>& bytes, std::size_t unit) {
  return FirstDescription(bytes) + 24 + 4 * Le32(bytes, UnitCountAt(bytes)) + 4 * unit;
}
std::size_t RecordAt(const std::vector<std::uint8_t>& bytes, std::size_t unit) {
  const std::size_t records = UnitOffsetAt(bytes, Le32(bytes, UnitCountAt(bytes)));
  return records + Le32(bytes, UnitOffsetAt(bytes, unit));
}

// Rewrites the records of the first description in the stored order `order` (unit indices), offsets to match.
void StoreRecordsInOrder(std::vector<std::uint8_t>& bytes, const std::vector<std::size_t>& order) {
  const std::size_t records = UnitOffsetAt(bytes, Le32(bytes, UnitCountAt(bytes)));
  std::vector<std::uint8_t> moved;
  std::vector<std::uint32_t> offsets(order.size());
  for (std::size_t unit : order) {
    const std::size_t at = RecordAt(bytes, unit);
    offsets[unit] = static_cast<std::uint32_t>(moved.size());
    moved.insert(moved.end(), bytes.begin() + at, bytes.begin() + at + 4 + Le32(bytes, at));
  }
  std::copy(moved.begin(), moved.end(), bytes.begin() + records);
  for (std::size_t unit = 0; unit < offsets.size(); ++unit) {
    PutLe32(bytes, UnitOffsetAt(bytes, unit), offsets[unit]);
  }
}

TEST(WindowDescription, ReadsRecordsStoredInAnyOrder) {
  struct Row {
    std::vector<std::size_t> order;  // units of the first description, as their records are stored
    const char* reason;
  };
  const Row rows[] = {
      {{5, 4, 3, 2, 1, 0}, "reversed: each record stored before the one listed ahead of it"},
      {{1, 2, 3, 4, 5, 0}, "the window unit's record last"},
  };
  const DescriptionTable table = SampleTable();
  testing::ForEachRow(rows, [&](const Row& row) {
    std::vector<std::uint8_t> bytes = Written(table);
    StoreRecordsInOrder(bytes, row.order);
    const DescriptionRead read = ReadDescriptionTable(bytes);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read.value().windows[0].units, table.windows[0].units);
  });
}

struct Corruption {
  const char* reason;
  std::function<void(DescriptionTable&)> change_model;
  std::function<void(std::vector<std::uint8_t>&)> change_bytes;
  DescriptionError code;
};

UnitRecord& UnitOf(DescriptionTable& table, std::size_t window, std::size_t unit) {
  return table.windows[window].units[unit];
}

TEST(WindowDescription, RefusesInconsistentTables) {
  using E = DescriptionError;
  const std::vector<Corruption> cases = {
      // 0
      {"window id tag", [](auto& t) { t.windows[0].window_id = 0x51000001; }, {}, E::kBadIdTag},
      {"window id twice", [](auto& t) { t.windows[1].window_id = kWindow1; }, {}, E::kDuplicateId},
      {"unit id tag", [](auto& t) { UnitOf(t, 0, 5).id = kWindowUnitIdTag | 6; }, {}, E::kBadIdTag},
      {"window unit not first",
       [](auto& t) { UnitOf(t, 0, 0).properties = PicBoxProperties{}; },
       {},
       E::kBadWindowUnit},
      {"two window units",
       [](auto& t) { UnitOf(t, 0, 4).properties = WindowProperties{}; },
       {},
       E::kBadWindowUnit},
      // 5
      {"unit id twice", [](auto& t) { UnitOf(t, 0, 5).id = UnitOf(t, 0, 4).id; }, {}, E::kDuplicateId},
      {"unit id in two descriptions",
       [](auto& t) { UnitOf(t, 1, 5).id = UnitOf(t, 0, 5).id; },
       {},
       E::kDuplicateId},
      {"unknown parent", [](auto& t) { UnitOf(t, 0, 4).parent = kUnitIdTag | 99; }, {}, E::kBadParent},
      {"window unit as parent",
       [](auto& t) { UnitOf(t, 0, 4).parent = UnitOf(t, 0, 0).id; },
       {},
       E::kBadParent},
      {"parent not listing the child",
       [](auto& t) { UnitOf(t, 0, 4).parent = UnitOf(t, 0, 1).id; },
       {},
       E::kBadParent},
      // 10
      {"child listed twice",
       [](auto& t) { UnitOf(t, 0, 1).children.push_back(UnitOf(t, 0, 2).id); },
       {},
       E::kBadParent},
      {"child naming another parent",
       [](auto& t) { UnitOf(t, 0, 1).children.push_back(UnitOf(t, 0, 4).id); },
       {},
       E::kBadParent},
      {"parent cycle",
       [](auto& t) {
         UnitOf(t, 0, 1).parent = UnitOf(t, 0, 2).id;
         UnitOf(t, 0, 2).children = {UnitOf(t, 0, 1).id};
       },
       {},
       E::kBadParent},
      {"window unit with a parent",
       [](auto& t) { UnitOf(t, 0, 0).parent = UnitOf(t, 0, 1).id; },
       {},
       E::kBadWindowUnit},
      {"event bound twice",
       [](auto& t) {
         UnitOf(t, 0, 4).events.push_back({-7, 1});
       },
       {},
       E::kDuplicateEvent},
      // 15
      {"window version 7",
       [](auto& t) { std::get<WindowProperties>(UnitOf(t, 0, 0).properties).version = 7; },
       {},
       E::kBadVersion},
      {"window version 0",
       [](auto& t) { std::get<WindowProperties>(UnitOf(t, 0, 0).properties).version = 0; },
       {},
       E::kBadVersion},
      {"picture box version",
       [](auto& t) { std::get<PicBoxProperties>(UnitOf(t, 0, 1).properties).version = 3; },
       {},
       E::kBadVersion},
      {"label alignment",
       [](auto& t) {
         std::get<TransLabelProperties>(UnitOf(t, 0, 3).properties).vertical_align = TextAlign{3};
       },
       {},
       E::kBadValue},
      {"negative width", [](auto& t) { UnitOf(t, 0, 2).width = -1; }, {}, E::kBadValue},
      // 20
      {"table size 0", {}, [](auto& b) { PutLe32(b, 0, 0); }, E::kBadTableSize},
      {"table size 12", {}, [](auto& b) { PutLe32(b, 0, 12); }, E::kBadTableSize},
      {"table size past the end", {}, [](auto& b) { PutLe32(b, 0, 0x7FFFFFF8); }, E::kTruncated},
      {"unit count 0", {}, [](auto& b) { PutLe32(b, UnitCountAt(b), 0); }, E::kBadUnitCount},
      {"unit count past the data",
       {},
       [](auto& b) { PutLe32(b, UnitCountAt(b), 0x10000000); },
       E::kBadUnitCount},
      // 25
      {"data size past the end", {}, [](auto& b) { PutLe32(b, DataSizeAt(b), 0xFFFFFFF0); }, E::kTruncated},
      {"overlapping records", {}, [](auto& b) { PutLe32(b, UnitOffsetAt(b, 2), 0); }, E::kOverlappingRecords},
      {"record length past the data", {}, [](auto& b) { PutLe32(b, RecordAt(b, 1), 0xFFFF); }, E::kTruncated},
      {"unknown type code",
       {},
       [](auto& b) { PutLe32(b, RecordAt(b, 1) + 4, 0x00010007); },
       E::kUnknownUnitType},
      {"face without terminator",
       {},
       [](auto& b) {
         const std::string face(31, 'f');
         auto at = std::search(b.begin(), b.end(), face.begin(), face.end());
         at[31] = 'f';
       },
       E::kNoTerminator},
      // 30
      {"name without terminator", [](auto& t) { UnitOf(t, 1, 6).name = "xyz"; },
       [](auto& b) {
         // The last record is the drop-down list of the second description; its name runs into the end.
         const std::string name = "xyz";
         auto at = std::search(b.begin(), b.end(), name.begin(), name.end());
         std::fill(at + 3, b.end(), 'z');
       },
       E::kNoTerminator},
      {"bytes after the last description", {}, [](auto& b) { b.push_back(0); }, E::kTrailingBytes},
      {"record stored inside a later-listed one",
       {},
       [](auto& b) { PutLe32(b, UnitOffsetAt(b, 0), Le32(b, UnitOffsetAt(b, 1)) + 8); },
       E::kOverlappingRecords},
      {"record offset past the records",
       {},
       [](auto& b) { PutLe32(b, UnitOffsetAt(b, 3), 0x7FFFFFFF); },
       E::kBadRecordOffset},
      {"picture button version 3",
       [](auto& t) { std::get<PicBtnProperties>(UnitOf(t, 0, 2).properties).version = 3; },
       {},
       E::kBadVersion},
      {"edit box version 3",
       [](auto& t) { std::get<EditBoxProperties>(UnitOf(t, 0, 4).properties).version = 3; },
       {},
       E::kBadVersion},
      {"drop-down list version 2",
       [](auto& t) { std::get<ComboBoxProperties>(UnitOf(t, 0, 6).properties).version = 2; },
       {},
       E::kBadVersion},
  };
  testing::ForEachRow(cases, [](const Corruption& c) {
    DescriptionTable table = SampleTable();
    if (c.change_model) c.change_model(table);
    std::vector<std::uint8_t> bytes = Written(table);
    if (c.change_bytes) c.change_bytes(bytes);
    const DescriptionRead read = ReadDescriptionTable(bytes);
    EXPECT_FALSE(read.ok()) << "accepted";
    if (read.ok()) return;
    EXPECT_EQ(read.code(), c.code) << "refused as \"" << read.message() << "\"";
  });
}

TEST(WindowDescription, RefusalNamesTheDescriptionAndTheUnit) {
  DescriptionTable table = SampleTable();
  UnitOf(table, 1, 2).width = -5;
  const DescriptionRead read = ReadDescriptionTable(Written(table));
  EXPECT_EQ(
      read.message().rfind("window description 1 (id 0x52000002): unit 2 (id 0x1600000d): negative width", 0),
      0u)
      << read.message();
}

TEST(WindowDescription, WriterRefusesWhatCannotBeStored) {
  struct Row {
    std::function<void(DescriptionTable&)> change;
    const char* reason;
  };
  const std::vector<Row> rows = {
      {[](auto& t) {
         std::get<EditBoxProperties>(UnitOf(t, 0, 4).properties).font.face = std::string(32, 'f');
       },
       "a face of 32 bytes leaves no room for its terminator"},
      {[](auto& t) { UnitOf(t, 0, 4).name = std::string("a\0b", 3); },
       "a name with a zero byte would end early"},
      {[](auto& t) { std::get<PicBtnProperties>(UnitOf(t, 0, 2).properties).label = "OK"; },
       "a version-1 button has no place for a label"},
      {[](auto& t) { std::get<EditBoxProperties>(UnitOf(t, 0, 4).properties).label = "OK"; },
       "a version-1 edit box has no place for a label"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    DescriptionTable table = SampleTable();
    row.change(table);
    EXPECT_FALSE(WriteDescriptionTable(table).ok());
  });
}

}  // namespace
}  // namespace sw
