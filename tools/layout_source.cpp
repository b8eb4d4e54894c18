#include "tools/layout_source.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "base/hex_text.h"
#include "tools/gbk_text.h"
#include "ui/runtime/unit_events.h"

namespace sw::tools {
namespace {

using Json = nlohmann::ordered_json;  // keeps event bindings in the order the designer wrote them
using enum LayoutError;

struct SourceError : std::runtime_error {
  SourceError(LayoutError code, const std::string& what) : std::runtime_error(what), code(code) {}
  LayoutError code;
};

[[noreturn]] void Refuse(LayoutError code, const std::string& what) { throw SourceError(code, what); }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Refuse(kUnreadableFile, "cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), {}};
}

Json ParseFile(const std::filesystem::path& path) {
  try {
    return Json::parse(ReadFile(path), nullptr, true, /*ignore_comments=*/true);
  } catch (const Json::parse_error& error) {
    Refuse(kSyntax, path.string() + ": " + error.what());
  }
}

bool Listed(std::span<const std::string_view> names, std::string_view key) {
  return std::find(names.begin(), names.end(), key) != names.end();
}

// Every key of `object` must be `known`: a misspelt key is an error, not a silent default.
template <typename Known>
void CheckKeys(const Json& object, Known known, const std::string& where) {
  if (!object.is_object()) Refuse(kBadValue, where + ": expected an object");
  for (const auto& item : object.items()) {
    if (!known(item.key())) Refuse(kUnknownKey, where + ": unknown key \"" + item.key() + "\"");
  }
}

// Pictures are named relative to their window source, and every file read is an input of the build.
struct ReadContext {
  std::filesystem::path folder;
  std::vector<std::filesystem::path>& inputs;
};

// One key of an object that the sources describe, and how its value is read into the properties P.
// A list of them is the one statement of an object's keys: it both refuses the keys it lacks and reads
// the ones it holds.
template <typename P>
struct KeyRule {
  std::string_view key;
  std::function<void(P& p, const Json& value, const std::string& what, ReadContext& context)> read;
};
template <typename P>
using KeyRules = std::vector<KeyRule<P>>;

// The key whose value `read` turns into `field`.
template <typename P, typename Field, typename Reader>
KeyRule<P> Key(std::string_view key, Field P::*field, Reader read) {
  return {key, [field, read](P& p, const Json& value, const std::string& what, ReadContext& context) {
            if constexpr (std::is_invocable_v<Reader, const Json&, const std::string&, ReadContext&>) {
              p.*field = read(value, what, context);
            } else {
              p.*field = read(value, what);
            }
          }};
}

template <typename P>
bool Holds(const KeyRules<P>& rules, std::string_view key) {
  return std::any_of(rules.begin(), rules.end(), [key](const KeyRule<P>& rule) { return rule.key == key; });
}

// Reads, in the source's order, each key of `source` that `rules` hold; the others are the caller's.
template <typename P>
void ReadKeys(const KeyRules<P>& rules, const Json& source, const std::string& where, ReadContext& context,
              P& p) {
  for (const auto& item : source.items()) {
    for (const KeyRule<P>& rule : rules) {
      if (rule.key == item.key()) rule.read(p, item.value(), where + " " + item.key(), context);
    }
  }
}

std::int64_t Integer(const Json& value, const std::string& what, std::int64_t low, std::int64_t high) {
  std::int64_t number = 0;
  if (value.is_number_integer()) {
    number = value.get<std::int64_t>();
  } else if (value.is_string() && value.get<std::string>().rfind("0x", 0) == 0) {
    const std::string text = value.get<std::string>();
    char* end = nullptr;
    number = static_cast<std::int64_t>(std::strtoull(text.c_str() + 2, &end, 16));
    if (text.size() == 2 || *end != '\0') Refuse(kBadValue, what + ": \"" + text + "\" is not a hex number");
  } else {
    Refuse(kBadValue, what + ": expected an integer");
  }
  if (number < low || number > high)
    Refuse(kBadValue, what + ": " + std::to_string(number) + " is out of range");
  return number;
}

std::int32_t I32(const Json& value, const std::string& what) {
  return static_cast<std::int32_t>(Integer(value, what, INT32_MIN, INT32_MAX));
}
std::uint32_t U32(const Json& value, const std::string& what) {
  return static_cast<std::uint32_t>(Integer(value, what, 0, UINT32_MAX));
}
std::uint8_t U8(const Json& value, const std::string& what) {
  return static_cast<std::uint8_t>(Integer(value, what, 0, 255));
}
std::uint32_t Flag(const Json& value, const std::string& what) {
  if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
  return static_cast<std::uint32_t>(Integer(value, what, 0, 1));
}

// "#RRGGBB" to a COLORREF (0x00BBGGRR), or "none".
std::uint32_t Color(const Json& value, const std::string& what) {
  if (!value.is_string()) Refuse(kBadValue, what + ": expected \"#RRGGBB\" or \"none\"");
  const std::string text = value.get<std::string>();
  if (text == "none") return kNoColor;
  if (text.size() != 7 || text[0] != '#' ||
      text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos) {
    Refuse(kBadValue, what + ": \"" + text + "\" is not #RRGGBB");
  }
  const std::uint32_t rgb = static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::string Text(const Json& value, const std::string& what) {
  if (!value.is_string()) Refuse(kBadValue, what + ": expected a text");
  const auto gbk = GbkFromUtf8(value.get<std::string>());
  if (!gbk) Refuse(kBadText, what + ": not UTF-8, or a character that GBK cannot hold");
  return *gbk;
}

TextAlign Align(const Json& value, const std::string& what) {
  static const std::map<std::string, TextAlign> kNames = {
      {"start", TextAlign::kStart}, {"centre", TextAlign::kCentre}, {"end", TextAlign::kEnd}};
  if (!value.is_string() || !kNames.count(value.get<std::string>())) {
    Refuse(kBadValue, what + ": expected \"start\", \"centre\" or \"end\"");
  }
  return kNames.at(value.get<std::string>());
}

// A text's horizontal and vertical alignment.
void AlignPair(TransLabelProperties& p, const Json& value, const std::string& what, ReadContext&) {
  if (!value.is_array() || value.size() != 2) Refuse(kBadValue, what + ": expected [horizontal, vertical]");
  p.horizontal_align = Align(value[0], what);
  p.vertical_align = Align(value[1], what);
}

std::uint32_t DisplayMode(const Json& value, const std::string& what) {
  static const std::map<std::string, std::uint32_t> kModes = {{"natural", 0}, {"tiled", 1}, {"centred", 2}};
  if (!value.is_string() || !kModes.count(value.get<std::string>())) {
    Refuse(kBadValue, what + ": expected \"natural\", \"tiled\" or \"centred\"");
  }
  return kModes.at(value.get<std::string>());
}

Bytes Image(const Json& value, const std::string& what, ReadContext& context) {
  if (value.is_null()) return {};
  if (!value.is_string()) Refuse(kBadValue, what + ": expected a file name or null");
  const std::filesystem::path file = context.folder / value.get<std::string>();
  const std::string bytes = ReadFile(file);
  context.inputs.push_back(file);
  return Bytes(bytes.begin(), bytes.end());
}

// A button's pictures by state, each one optional.
std::array<Bytes, 4> ButtonImages(const Json& value, const std::string& what, ReadContext& context) {
  static constexpr std::string_view kStates[] = {"normal", "mouse_over", "pressed", "disabled"};
  CheckKeys(
      value, [](const std::string& key) { return Listed(kStates, key); }, what);
  std::array<Bytes, 4> images;
  static_assert(std::size(kStates) == std::tuple_size_v<decltype(images)>);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::string state(kStates[i]);
    if (value.contains(state)) images[i] = Image(value.at(state), what + " " + state, context);
  }
  return images;
}

void Geometry(const Json& source, const std::string& where, std::int32_t& a, std::int32_t& b,
              const char* key) {
  if (!source.contains(key)) Refuse(kMissingKey, where + ": \"" + key + "\" is missing");
  const Json& pair = source.at(key);
  if (!pair.is_array() || pair.size() != 2) Refuse(kBadValue, where + ": \"" + key + "\" must be [a, b]");
  a = I32(pair[0], where + " " + key);
  b = I32(pair[1], where + " " + key);
}

const KeyRules<LogicalFont>& FontKeys() {
  static const KeyRules<LogicalFont> kKeys = {
      Key("face", &LogicalFont::face, Text),
      Key("height", &LogicalFont::height, I32),
      Key("width", &LogicalFont::width, I32),
      Key("escapement", &LogicalFont::escapement, I32),
      Key("orientation", &LogicalFont::orientation, I32),
      Key("weight", &LogicalFont::weight, I32),
      Key("italic", &LogicalFont::italic, U8),
      Key("underline", &LogicalFont::underline, U8),
      Key("strike_out", &LogicalFont::strike_out, U8),
      Key("char_set", &LogicalFont::char_set, U8),
      Key("out_precision", &LogicalFont::out_precision, U8),
      Key("clip_precision", &LogicalFont::clip_precision, U8),
      Key("quality", &LogicalFont::quality, U8),
      Key("pitch_and_family", &LogicalFont::pitch_and_family, U8),
  };
  return kKeys;
}

LogicalFont Font(const Json& source, const std::string& where, ReadContext& context) {
  CheckKeys(
      source, [](const std::string& key) { return Holds(FontKeys(), key); }, where);
  LogicalFont font;
  ReadKeys(FontKeys(), source, where, context, font);
  if (font.face.size() >= kFaceBytes) Refuse(kBadText, where + ": the font face is longer than 31 GBK bytes");
  return font;
}

// The window's keys that are not its properties, each read on its own.
constexpr std::string_view kWindowOwnKeys[] = {"window", "position", "size", "flags", "events", "units"};

const KeyRules<WindowProperties>& WindowKeys() {
  static const KeyRules<WindowProperties> kKeys = {
      Key("caption", &WindowProperties::caption, Text),
      Key("background", &WindowProperties::background_color, Color),
      Key("border_style", &WindowProperties::border_style, U32),
      Key("background_picture_mode", &WindowProperties::background_picture_mode, U32),
      Key("start_position", &WindowProperties::start_position, U32),
      Key("minimise_box", &WindowProperties::minimise_box, Flag),
      Key("maximise_box", &WindowProperties::maximise_box, Flag),
      Key("control_box", &WindowProperties::control_box, Flag),
      Key("close_allowed", &WindowProperties::close_allowed, Flag),
      Key("topmost", &WindowProperties::topmost, Flag),
  };
  return kKeys;
}

// The keys of every unit whatever its type, each read on its own.
constexpr std::string_view kCommonUnitKeys[] = {"unit", "name",   "type",  "position",
                                                "size", "parent", "flags", "events"};

// A unit type of the sources by its name, with its own keys.
struct UnitTypeKeys {
  std::string_view name;
  std::function<bool(std::string_view key)> holds;
  std::function<TypeProperties(const Json& source, const std::string& where, ReadContext& context)> read;
};

template <typename P>
UnitTypeKeys TypeKeys(std::string_view name, KeyRules<P> rules) {
  const auto shared = std::make_shared<const KeyRules<P>>(std::move(rules));
  return {name, [shared](std::string_view key) { return Holds(*shared, key); },
          [shared](const Json& source, const std::string& where, ReadContext& context) -> TypeProperties {
            P p;
            ReadKeys(*shared, source, where, context, p);
            return p;
          }};
}

const std::vector<UnitTypeKeys>& UnitTypes() {
  static const std::vector<UnitTypeKeys> kTypes = {
      TypeKeys<PicBoxProperties>("PicBox",
                                 {
                                     Key("image", &PicBoxProperties::image, Image),
                                     Key("background", &PicBoxProperties::background_color, Color),
                                     Key("display_mode", &PicBoxProperties::display_mode, DisplayMode),
                                     Key("border_style", &PicBoxProperties::border_style, U32),
                                     Key("animate", &PicBoxProperties::animate, Flag),
                                 }),
      TypeKeys<PicBtnProperties>("PicBtn",
                                 {
                                     Key("images", &PicBtnProperties::images, ButtonImages),
                                     Key("cutout", &PicBtnProperties::cutout_color, Color),
                                     Key("two_state", &PicBtnProperties::two_state, Flag),
                                     Key("latched", &PicBtnProperties::latched, Flag),
                                     Key("label", &PicBtnProperties::label, Text),
                                 }),
      TypeKeys<TransLabelProperties>("TransLabel",
                                     {
                                         Key("text", &TransLabelProperties::text, Text),
                                         Key("text_colour", &TransLabelProperties::text_color, Color),
                                         Key("background", &TransLabelProperties::background_color, Color),
                                         {"align", AlignPair},
                                         Key("word_wrap", &TransLabelProperties::word_wrap, Flag),
                                         Key("font", &TransLabelProperties::font, Font),
                                     }),
      TypeKeys<EditBoxProperties>("EditBox",
                                  {
                                      Key("text", &EditBoxProperties::text, Text),
                                      Key("comment", &EditBoxProperties::comment, Text),
                                      Key("label", &EditBoxProperties::label, Text),
                                      Key("text_colour", &EditBoxProperties::text_color, Color),
                                      Key("background", &EditBoxProperties::background_color, Color),
                                      Key("border_style", &EditBoxProperties::border_style, U32),
                                      Key("align", &EditBoxProperties::horizontal_align, Align),
                                      Key("max_length", &EditBoxProperties::max_length, U32),
                                      Key("font", &EditBoxProperties::font, Font),
                                  }),
      TypeKeys<ComboBoxProperties>("ComboBox",
                                   {
                                       Key("items", &ComboBoxProperties::items, Text),
                                       Key("label", &ComboBoxProperties::label, Text),
                                       Key("font", &ComboBoxProperties::font, Font),
                                   }),
      TypeKeys<DrawPanelProperties>(
          "DrawPanel",
          {
              Key("text_colour", &DrawPanelProperties::text_color, Color),
              Key("background", &DrawPanelProperties::background_color, Color),
              Key("border_style", &DrawPanelProperties::border_style, U32),
              Key("font", &DrawPanelProperties::font, Font),
              Key("background_picture", &DrawPanelProperties::background_picture, Image),
          }),
  };
  return kTypes;
}

// Reads one window source into its description; units refer to their parents by code name.
class WindowSource {
 public:
  WindowSource(Layout& layout, const std::filesystem::path& path,
               const std::map<std::string, std::uint32_t>& handlers, std::uint32_t& serial)
      : layout_(layout),
        path_(path),
        handlers_(handlers),
        serial_(serial),
        context_{path.parent_path(), layout.inputs} {}

  void Read() {
    const Json source = ParseFile(path_);
    layout_.inputs.push_back(path_);
    const std::string where = path_.filename().string();
    CheckKeys(
        source,
        [](const std::string& key) { return Listed(kWindowOwnKeys, key) || Holds(WindowKeys(), key); },
        where);
    if (!source.contains("window")) Refuse(kMissingKey, where + ": \"window\" (the code name) is missing");
    const std::string code_name = CodeName(source.at("window"), where);

    WindowDescription& window = layout_.table.windows.emplace_back();
    const std::uint32_t index = static_cast<std::uint32_t>(layout_.table.windows.size());
    window.window_id = kWindowIdTag | index;
    window.block_id = kBlockIdTag | index;
    NamedWindow& names = layout_.names.emplace_back();
    names.code_name = code_name;
    names.window_id = window.window_id;

    UnitRecord& own = window.units.emplace_back();
    own.id = kWindowUnitIdTag | serial_++;
    names.window_unit_id = own.id;
    Geometry(source, where, own.left, own.top, "position");
    Geometry(source, where, own.width, own.height, "size");
    if (source.contains("flags")) own.flags = U8(source.at("flags"), where + " flags");
    if (source.contains("events")) own.events = Events(source.at("events"), UnitType::kWindow, where);
    WindowProperties properties;
    ReadKeys(WindowKeys(), source, where, context_, properties);
    own.properties = properties;

    if (source.contains("units")) {
      if (!source.at("units").is_array()) Refuse(kBadValue, where + ": \"units\" must be a list");
      for (const Json& unit : source.at("units")) ReadUnit(unit, window, names, where);
    }
    ResolveParents(window, names, where);
  }

 private:
  static std::string CodeName(const Json& value, const std::string& where) {
    if (!value.is_string()) Refuse(kBadValue, where + ": a code name must be a text");
    const std::string name = value.get<std::string>();
    const bool identifier =
        !name.empty() && std::isalpha(static_cast<unsigned char>(name[0])) &&
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") ==
            std::string::npos;
    if (!identifier) Refuse(kBadValue, where + ": code name \"" + name + "\" is not an identifier");
    return name;
  }

  std::vector<EventBinding> Events(const Json& source, UnitType type, const std::string& where) {
    static const std::map<std::string, std::int32_t> kCommon = {
        {"left_button_down", event::kLeftButtonDown},
        {"left_button_up", event::kLeftButtonUp},
        {"left_double_click", event::kLeftDoubleClick},
        {"right_button_down", event::kRightButtonDown},
        {"right_button_up", event::kRightButtonUp},
        {"mouse_move", event::kMouseMove},
        {"focus_gained", event::kFocusGained},
        {"focus_lost", event::kFocusLost},
        {"key_down", event::kKeyDown},
        {"key_up", event::kKeyUp},
        {"character", event::kCharacter},
        {"mouse_wheel", event::kMouseWheel},
    };
    static const std::map<UnitType, std::map<std::string, std::int32_t>> kOwn = {
        {UnitType::kWindow, {{"created", event::kCreated}, {"destroyed", event::kDestroyed}}},
        {UnitType::kPicBtn, {{"clicked", event::kClicked}}},
        {UnitType::kEditBox, {{"changed", event::kChanged}}},
        {UnitType::kComboBox, {{"changed", event::kChanged}}},
    };
    if (!source.is_object()) Refuse(kBadValue, where + ": \"events\" must map event names to handler names");
    std::vector<EventBinding> bindings;
    for (const auto& item : source.items()) {
      std::int32_t number = 0;
      const auto own = kOwn.find(type);
      if (kCommon.count(item.key())) {
        number = kCommon.at(item.key());
      } else if (own != kOwn.end() && own->second.count(item.key())) {
        number = own->second.at(item.key());
      } else {
        Refuse(kUnknownEvent, where + ": a " + TypeName(type) + " has no event \"" + item.key() + "\"");
      }
      if (!item.value().is_string() || !handlers_.count(item.value().get<std::string>())) {
        Refuse(kUnknownHandler,
               where + ": event \"" + item.key() + "\" names a handler that the project does not list");
      }
      bindings.push_back({number, handlers_.at(item.value().get<std::string>())});
    }
    return bindings;
  }

  void ReadUnit(const Json& source, WindowDescription& window, NamedWindow& names, const std::string& file) {
    if (!source.is_object() || !source.contains("unit")) {
      Refuse(kMissingKey, file + ": every unit needs \"unit\" (its code name)");
    }
    const std::string code_name = CodeName(source.at("unit"), file);
    const std::string where = file + " " + code_name;
    for (const NamedUnit& named : names.units) {
      if (named.code_name == code_name) Refuse(kDuplicateName, where + ": code name used twice");
    }
    if (code_name == "Id" || code_name == "WindowUnit" || code_name == "UnitCount") {
      Refuse(kDuplicateName, where + ": code name is reserved for the generated ids");
    }
    if (!source.contains("type") || !source.at("type").is_string()) {
      Refuse(kMissingKey, where + ": \"type\" is missing");
    }
    const std::string type = source.at("type").get<std::string>();

    UnitRecord& unit = window.units.emplace_back();
    unit.id = kUnitIdTag | serial_++;
    names.units.push_back({code_name, unit.id});
    if (source.contains("name")) unit.name = Text(source.at("name"), where + " name");
    Geometry(source, where, unit.left, unit.top, "position");
    Geometry(source, where, unit.width, unit.height, "size");
    if (unit.width < 0 || unit.height < 0) Refuse(kBadValue, where + ": negative size");
    if (source.contains("flags")) unit.flags = U8(source.at("flags"), where + " flags");
    if (source.contains("parent")) parents_[unit.id] = CodeName(source.at("parent"), where);

    const std::vector<UnitTypeKeys>& types = UnitTypes();
    const auto kind =
        std::find_if(types.begin(), types.end(), [&type](const UnitTypeKeys& t) { return t.name == type; });
    if (kind == types.end()) Refuse(kUnknownUnitType, where + ": unknown unit type \"" + type + "\"");
    unit.properties = kind->read(source, where, context_);
    // Only a labelled unit needs the later record version; the others stay readable by older readers.
    if (auto* button = std::get_if<PicBtnProperties>(&unit.properties); button && !button->label.empty()) {
      button->version = 2;
    }
    if (auto* box = std::get_if<EditBoxProperties>(&unit.properties); box && !box->label.empty())
      box->version = 2;
    for (const auto& item : source.items()) {
      if (!Listed(kCommonUnitKeys, item.key()) && !kind->holds(item.key())) {
        Refuse(kUnknownKey, where + ": a " + type + " has no key \"" + item.key() + "\"");
      }
    }
    if (source.contains("events")) unit.events = Events(source.at("events"), TypeOf(unit), where);
  }

  // Parents by code name to ids; each container lists its children in description order.
  void ResolveParents(WindowDescription& window, const NamedWindow& names, const std::string& where) {
    std::map<std::string, UnitRecord*> by_name;
    for (std::size_t i = 0; i < names.units.size(); ++i)
      by_name[names.units[i].code_name] = &window.units[i + 1];
    for (UnitRecord& unit : window.units) {
      const auto parent = parents_.find(unit.id);
      if (parent == parents_.end()) continue;
      const auto found = by_name.find(parent->second);
      if (found == by_name.end() || found->second == &unit) {
        Refuse(kBadParent, where + ": parent \"" + parent->second + "\" is not another unit of this window");
      }
      unit.parent = found->second->id;
      found->second->children.push_back(unit.id);
    }
  }

  Layout& layout_;
  std::filesystem::path path_;
  const std::map<std::string, std::uint32_t>& handlers_;
  std::uint32_t& serial_;
  std::map<std::uint32_t, std::string> parents_;
  ReadContext context_;
};

}  // namespace

LayoutLoad LoadLayout(const std::filesystem::path& project) {
  Layout layout;
  try {
    const Json source = ParseFile(project);
    layout.inputs.push_back(project);
    const std::string where = project.filename().string();
    static constexpr std::string_view kProjectKeys[] = {"handlers", "windows"};
    CheckKeys(
        source, [](const std::string& key) { return Listed(kProjectKeys, key); }, where);
    if (!source.contains("handlers") || !source.at("handlers").is_array()) {
      Refuse(kMissingKey, where + ": \"handlers\" list missing");
    }
    if (!source.contains("windows") || !source.at("windows").is_array()) {
      Refuse(kMissingKey, where + ": \"windows\" list missing");
    }
    std::map<std::string, std::uint32_t> handlers;
    for (const Json& name : source.at("handlers")) {
      const std::string handler = name.is_string() ? name.get<std::string>() : "";
      if (handler.empty() ||
          handler.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") !=
              std::string::npos) {
        Refuse(kBadValue, where + ": handler names must be identifiers");
      }
      layout.handlers.push_back(handler);
      if (!handlers.emplace(handler, static_cast<std::uint32_t>(handlers.size() + 1)).second) {
        Refuse(kDuplicateName, where + ": handler \"" + handler + "\" listed twice");
      }
    }
    std::uint32_t serial = 1;
    for (const Json& file : source.at("windows")) {
      if (!file.is_string()) Refuse(kBadValue, where + ": \"windows\" lists file names");
      WindowSource(layout, project.parent_path() / file.get<std::string>(), handlers, serial).Read();
    }
    for (std::size_t i = 0; i < layout.names.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) {
        if (layout.names[i].code_name == layout.names[j].code_name) {
          Refuse(kDuplicateName, where + ": window \"" + layout.names[i].code_name + "\" listed twice");
        }
      }
    }
  } catch (const SourceError& error) {
    return Failure<LayoutError>{error.code, error.what()};
  } catch (const Json::exception& error) {
    return Failure<LayoutError>{kBadValue, error.what()};
  }
  return layout;
}

std::string LayoutIdsHeader(const Layout& layout, const std::string& source_name) {
  std::string out;
  out += "// Generated by tools/describe from " + source_name + "; do not edit.\n";
  out += "// Ids of the windows and units of the embedded descriptions, and the handler references.\n";
  out +=
      "#pragma once\n\n#include <array>\n#include <cstddef>\n#include <cstdint>\n#include <string_view>\n\n";
  out += "namespace sw::layout {\n\n";
  out +=
      "// A binding's handler reference; the program's handler table has one entry for each, in this "
      "order.\n";
  out += "enum class Handler : uint32_t {\n";
  for (std::size_t i = 0; i < layout.handlers.size(); ++i) {
    out += "  k" + layout.handlers[i] + " = " + std::to_string(i + 1) + ",\n";
  }
  out += "};\n";
  out += "inline constexpr size_t kHandlerCount = " + std::to_string(layout.handlers.size()) + ";\n";
  out += "inline constexpr std::array<std::string_view, kHandlerCount> kHandlerNames = {\n";
  for (const std::string& name : layout.handlers) out += "    \"" + name + "\",\n";
  out += "};\n\n";
  out += "inline constexpr size_t kWindowCount = " + std::to_string(layout.names.size()) + ";\n\n";
  for (const NamedWindow& window : layout.names) {
    out += "struct " + window.code_name + " {\n";
    out += "  static constexpr uint32_t kId = " + HexId(window.window_id) + ";\n";
    out += "  static constexpr uint32_t kWindowUnit = " + HexId(window.window_unit_id) + ";\n";
    for (const NamedUnit& unit : window.units) {
      out += "  static constexpr uint32_t k" + unit.code_name + " = " + HexId(unit.id) + ";\n";
    }
    out += "  static constexpr size_t kUnitCount = " + std::to_string(window.units.size() + 1) + ";\n";
    out += "};\n\n";
  }
  out += "}  // namespace sw::layout\n";
  return out;
}

}  // namespace sw::tools
