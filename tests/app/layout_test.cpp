// The four embedded window descriptions hold the program's layout: windows in stored order, every unit with
// its name, type, geometry and parent, the event bindings, texts, fonts, colours and images.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "app/layout_ids.h"
#include "tests/support/case_table.h"
#include "tests/support/gbk_from_utf8.h"
#include "ui/description/window_description.h"
#include "ui/picture/picture_decode.h"
#include "ui/runtime/unit_events.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw {
namespace {

using namespace layout;

// GBK pieces of the description names and texts.
const std::string kLabelName = "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9";      // transparent label
const std::string kPicBoxName = "\xCD\xBC\xC6\xAC\xBF\xF2";             // picture box
const std::string kPicBtnName = "\xCD\xBC\xD0\xCE\xB0\xB4\xC5\xA5";     // picture button
const std::string kEditName = "\xB1\xE0\xBC\xAD\xBF\xF2";               // edit box
const std::string kContentInput = "_\xC4\xDA\xC8\xDD\xCA\xE4\xC8\xEB";  // _content input
const std::string kPanelName = "\xBB\xAD\xB0\xE5";                      // drawing board
const std::string kHostCaption = "\xCC\xF5\xC2\xEB\xBF\xD8\xBC\xFE";    // barcode control
const std::string kStoredMessage =
    "\xCC\xF5\xC2\xEB\xCA\xFD\xBE\xDD\xCE\xAA\xBF\xD5\xA3\xAC\xC7\xEB\xCF\xC8\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD"
    "\xD6\xC6\xD7\xF7\xD2\xBB\xB8\xF6\xCC\xF5\xD0\xCE\xC2\xEB\xD4\xD9\xB2\xD9\xD7\xF7!";
const std::string kFocusSinkComment =
    "\xD3\xC3\xD3\xDA\xC8\xC3\xB1\xE0\xBC\xAD\xBF\xF2\xCA\xA7\xC8\xA5\xBD\xB9\xB5\xE3";
const std::string kSimSun = "\xCB\xCE\xCC\xE5";

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | g << 8 | b << 16;
}
constexpr std::uint32_t kTeal = Rgb(88, 201, 185);
constexpr std::uint32_t kBar = Rgb(81, 157, 157);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
constexpr std::uint8_t kShown = 0x01, kTabStop = 0x05, kInTitleBar = 0x11, kHidden = 0x00;

const DescriptionTable& Table() {
  static const DescriptionRead read = ReadDescriptionTable(resources::kWindowDescriptions);
  EXPECT_TRUE(read.ok()) << read.message();
  return read.value();
}

const WindowDescription& Window(std::uint32_t id) {
  const WindowDescription* window = FindDescription(Table(), id);
  if (window == nullptr) throw std::runtime_error("no window description");
  return *window;
}

const UnitRecord& Unit(std::uint32_t window, std::uint32_t unit) {
  const UnitRecord* record = FindUnit(Window(window), unit);
  if (record == nullptr) throw std::runtime_error("no unit");
  return *record;
}

TEST(Layout, WindowsInStoredOrderWithSizeCaptionAndColor) {
  struct Row {
    std::uint32_t id;
    std::int32_t width, height;
    std::string caption;
    std::uint32_t background;
    std::uint8_t flags;
    std::uint32_t control_box;
    std::size_t units;  // the window's own unit included
  };
  const Row rows[] = {
      {BarcodeHostWindow::kId, 320, 80, kHostCaption, kNoColor, kHidden, 0, 1 + 1},
      {MainWindow::kId, 500, 300, "Stripewright", kTeal, kShown, 1, 1 + 13},
      {ErrorTipsWindow::kId, 360, 156, "", kTeal, kShown, 1, 1 + 7},
      {TipsWindow::kId, 360, 156, "", kTeal, kShown, 1, 1 + 6},
      {SettingsWindow::kId, 330, 416, "", kTeal, kShown, 1, 1 + 25},
      {ProgressWindow::kId, 360, 140, "", kTeal, kShown, 1, 1 + 6},  // 5
      {ReplaceTipsWindow::kId, 360, 156, "", kTeal, kShown, 1, 1 + 7},
  };
  ASSERT_EQ(Table().windows.size(), std::size(rows));
  testing::ForEachRow(rows, [](const Row& row, std::size_t i) {
    const WindowDescription& window = Table().windows[i];
    EXPECT_EQ(window.window_id, row.id);
    ASSERT_EQ(window.units.size(), row.units);
    const UnitRecord& own = window.units[0];
    EXPECT_EQ(own.name, "");
    EXPECT_EQ(own.left, 50) << "stored position, unused: the window is centred";
    EXPECT_EQ(own.top, 50);
    EXPECT_EQ(own.width, row.width);
    EXPECT_EQ(own.height, row.height);
    EXPECT_EQ(own.flags, row.flags);
    const WindowProperties* p = WindowPropertiesOf(window);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->version, 6u);
    EXPECT_EQ(p->caption, row.caption);
    EXPECT_EQ(p->background_color, row.background);
    EXPECT_EQ(p->border_style, 0u) << "no border, no system caption";
    EXPECT_EQ(p->start_position, 1u) << "centred";
    EXPECT_EQ(p->maximise_box, 0u);
    EXPECT_EQ(p->minimise_box, 1u);
    EXPECT_EQ(p->control_box, row.control_box);
    EXPECT_EQ(p->close_allowed, 1u);
    EXPECT_EQ(p->topmost, 0u);
    EXPECT_EQ(p->class_name, "") << "the runtime's own class";
    for (const UnitRecord& unit : window.units) EXPECT_EQ(unit.mode_value, 4u);
  });
}

TEST(Layout, UnitsInDescriptionOrderWithNameTypeGeometryAndParent) {
  struct Row {
    std::uint32_t window;
    std::uint32_t unit;
    std::string name;
    UnitType type;
    std::int32_t left, top, width, height;
    std::uint32_t parent;  // 0: the window
    std::uint8_t flags;
  };
  using T = UnitType;
  using M = MainWindow;
  using E = ErrorTipsWindow;
  using S = TipsWindow;
  const std::vector<Row> rows = {
      {BarcodeHostWindow::kId, BarcodeHostWindow::kBarcodePanel, kPanelName + "1", T::kDrawPanel, 0, 0, 320,
       80, 0, kShown},
      // MainWindow
      {M::kId, M::kTitleLabel, kLabelName + "2", T::kTransLabel, 28, 0, 414, 28, M::kTitleBar, kInTitleBar},
      {M::kId, M::kTitleIcon, kPicBoxName + "5", T::kPicBox, 4, 4, 20, 20, M::kTitleBar, kInTitleBar},
      {M::kId, M::kCloseButton, kPicBtnName + "4", T::kPicBtn, 470, 4, 20, 20, M::kTitleBar, kInTitleBar},
      {M::kId, M::kContentEdit, kEditName + kContentInput, T::kEditBox, 125, 205, 250, 30, 0, kTabStop},
      {M::kId, M::kWebButton, kPicBtnName + "3", T::kPicBtn, 351, 251, 100, 30, 0, kTabStop},  // 5
      {M::kId, M::kSaveButton, kPicBtnName + "2", T::kPicBtn, 209, 251, 100, 30, 0, kTabStop},
      {M::kId, M::kGenerateButton, kPicBtnName + "1", T::kPicBtn, 67, 251, 100, 30, 0, kTabStop},
      {M::kId, M::kContentUnderline, kPicBoxName + "4", T::kPicBox, 125, 235, 250, 1, 0, kShown},
      {M::kId, M::kBarcodePicture, kPicBoxName + "1", T::kPicBox, 78, 57, 344, 120, 0, kShown},
      {M::kId, M::kBarcodeFrame, kPicBoxName + "3", T::kPicBox, 75, 44, 350, 150, 0, kShown},  // 10
      {M::kId, M::kTitleBar, kPicBoxName + "2", T::kPicBox, 0, 0, 500, 28, 0, kShown},
      {M::kId, M::kFocusSink, kEditName + "1", T::kEditBox, 256, 120, 128, 20, 0, kShown},
      {M::kId, M::kSettingsButton, kPicBtnName + "5", T::kPicBtn, 446, 4, 20, 20, M::kTitleBar, kInTitleBar},
      // ErrorTipsWindow
      {E::kId, E::kTipsIcon, kPicBoxName + "4", T::kPicBox, 16, 40, 60, 80, 0, kShown},
      {E::kId, E::kTipsTitleIcon, kPicBoxName + "3", T::kPicBox, 7, 7, 15, 15, E::kTipsTitleBar, kShown},
      {E::kId, E::kTipsTitleLabel, kLabelName + "2", T::kTransLabel, 28, 0, 324, 28, E::kTipsTitleBar,
       kShown},  // 15
      {E::kId, E::kTipsOkButton, kPicBtnName + "1", T::kPicBtn, 274, 112, 70, 30, 0, kTabStop},
      {E::kId, E::kTipsMessageLabel, kLabelName + "1", T::kTransLabel, 90, 45, 256, 56, 0, kShown},
      {E::kId, E::kTipsBadge, kPicBoxName + "1", T::kPicBox, 17, 45, 25, 25, 0, kShown},
      {E::kId, E::kTipsTitleBar, kPicBoxName + "2", T::kPicBox, 0, 0, 360, 28, 0, kShown},
      // TipsWindow
      {S::kId, S::kTipsTitleLabel, kLabelName + "2", T::kTransLabel, 28, 0, 332, 28, 0, kShown},  // 20
      {S::kId, S::kTipsTitleIcon, kPicBoxName + "3", T::kPicBox, 7, 7, 15, 15, S::kTipsTitleBar, kShown},
      {S::kId, S::kTipsOkButton, kPicBtnName + "1", T::kPicBtn, 274, 112, 70, 30, 0, kTabStop},
      {S::kId, S::kTipsMessageLabel, kLabelName + "1", T::kTransLabel, 90, 45, 256, 56, 0, kShown},
      {S::kId, S::kTipsIcon, kPicBoxName + "4", T::kPicBox, 16, 40, 60, 80, 0, kShown},
      {S::kId, S::kTipsTitleBar, kPicBoxName + "1", T::kPicBox, 0, 0, 360, 28, 0, kShown},  // 25
  };
  testing::ForEachRow(rows, [&](const Row& row, std::size_t i) {
    const WindowDescription& window = Window(row.window);
    // After the window's own unit and the units of the rows above that belong to the same window.
    const auto above = rows.begin() + static_cast<std::ptrdiff_t>(i);
    const auto same_window = [&](const Row& r) { return r.window == row.window; };
    const std::size_t place = 1 + static_cast<std::size_t>(std::count_if(rows.begin(), above, same_window));
    ASSERT_LT(place, window.units.size());
    const UnitRecord& unit = window.units[place];
    EXPECT_EQ(unit.id, row.unit) << "description order";
    EXPECT_EQ(unit.name, row.name);
    EXPECT_EQ(TypeOf(unit), row.type);
    EXPECT_EQ(unit.left, row.left);
    EXPECT_EQ(unit.top, row.top);
    EXPECT_EQ(unit.width, row.width);
    EXPECT_EQ(unit.height, row.height);
    EXPECT_EQ(unit.parent, row.parent);
    EXPECT_EQ(unit.flags, row.flags);
  });
  // The containers list their children.
  EXPECT_EQ(Unit(M::kId, M::kTitleBar).children,
            (std::vector<std::uint32_t>{M::kTitleLabel, M::kTitleIcon, M::kCloseButton, M::kSettingsButton}));
  EXPECT_EQ(Unit(E::kId, E::kTipsTitleBar).children,
            (std::vector<std::uint32_t>{E::kTipsTitleIcon, E::kTipsTitleLabel}));
  EXPECT_EQ(Unit(S::kId, S::kTipsTitleBar).children, (std::vector<std::uint32_t>{S::kTipsTitleIcon}));
}

// The labels a screen reader speaks for what the skin only draws; unlabelled units keep the older records.
TEST(Layout, LabelsOfTheButtonsAndTheContentBox) {
  struct Row {
    std::uint32_t window;
    std::uint32_t unit;
    std::string label;  // GBK
  };
  using M = MainWindow;
  using G = SettingsWindow;
  const Row rows[] = {
      {M::kId, M::kGenerateButton, "\xC9\xFA\xB3\xC9\xCC\xF5\xC2\xEB"},  // generate barcode
      {M::kId, M::kSaveButton, "\xB1\xA3\xB4\xE6\xCD\xBC\xC6\xAC"},      // save picture
      {M::kId, M::kWebButton, "\xB7\xC3\xCE\xCA\xD6\xF7\xD2\xB3"},       // visit home page
      {M::kId, M::kCloseButton, "\xB9\xD8\xB1\xD5"},                     // close
      {M::kId, M::kContentEdit, "\xCC\xF5\xC2\xEB\xC4\xDA\xC8\xDD"},     // barcode content
      {M::kId, M::kFocusSink, ""},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsOkButton, "\xC8\xB7\xB6\xA8"},  // OK
      {TipsWindow::kId, TipsWindow::kTipsOkButton, "\xC8\xB7\xB6\xA8"},
      {M::kId, M::kSettingsButton, testing::GbkFromUtf8("条码设置")},
      // SettingsWindow: each field named by the label beside it
      {G::kId, G::kModuleEdit, testing::GbkFromUtf8("条宽(毫米)")},
      {G::kId, G::kBarHeightEdit, testing::GbkFromUtf8("条高(毫米)")},
      {G::kId, G::kCaptionCheck, testing::GbkFromUtf8("显示文字")},  // 10
      {G::kId, G::kCaptionPointsEdit, testing::GbkFromUtf8("文字大小(磅)")},
      {G::kId, G::kGs1Check, "GS1-128"},
      {G::kId, G::kSheetList, testing::GbkFromUtf8("纸张")},
      {G::kId, G::kStartLabelEdit, testing::GbkFromUtf8("起始位置")},
      {G::kId, G::kCopiesEdit, testing::GbkFromUtf8("份数")},  // 15
      {G::kId, G::kCountEdit, testing::GbkFromUtf8("数量")},
      {G::kId, G::kStepEdit, testing::GbkFromUtf8("步长")},
      {G::kId, G::kSettingsOkButton, "\xC8\xB7\xB6\xA8"},
      {G::kId, G::kSettingsCancelButton, testing::GbkFromUtf8("取消")},
      {ProgressWindow::kId, ProgressWindow::kProgressCancelButton, testing::GbkFromUtf8("取消")},  // 20
      {ReplaceTipsWindow::kId, ReplaceTipsWindow::kReplaceOkButton, "\xC8\xB7\xB6\xA8"},
      {ReplaceTipsWindow::kId, ReplaceTipsWindow::kReplaceCancelButton, testing::GbkFromUtf8("取消")},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    const UnitRecord& unit = Unit(row.window, row.unit);
    if (const auto* button = std::get_if<PicBtnProperties>(&unit.properties)) {
      EXPECT_EQ(button->label, row.label);
      EXPECT_EQ(button->version, row.label.empty() ? 1u : 2u);
    } else if (const auto* list = std::get_if<ComboBoxProperties>(&unit.properties)) {
      EXPECT_EQ(list->label, row.label);
    } else {
      const auto& box = std::get<EditBoxProperties>(unit.properties);
      EXPECT_EQ(box.label, row.label);
      EXPECT_EQ(box.version, row.label.empty() ? 1u : 2u);
    }
  });
}

TEST(Layout, EveryEventBindingAndNoOther) {
  struct Row {
    std::uint32_t window;
    std::uint32_t unit;
    std::int32_t event;
    Handler handler;
  };
  using M = MainWindow;
  using G = SettingsWindow;
  using P = ProgressWindow;
  using R = ReplaceTipsWindow;
  const Row rows[] = {
      {M::kId, M::kWindowUnit, event::kCreated, Handler::kStartMainWindow},
      {M::kId, M::kWindowUnit, event::kDestroyed, Handler::kOpenMakerPage},
      {M::kId, M::kTitleBar, event::kLeftButtonDown, Handler::kDragMainWindow},
      {M::kId, M::kTitleLabel, event::kLeftButtonDown, Handler::kDragMainWindow},
      {M::kId, M::kCloseButton, event::kClicked, Handler::kCloseMainWindow},  // 5
      {M::kId, M::kContentEdit, event::kFocusGained, Handler::kClearCueText},
      {M::kId, M::kContentEdit, event::kFocusLost, Handler::kRestoreCueText},
      {M::kId, M::kGenerateButton, event::kClicked, Handler::kGenerateBarcode},
      {M::kId, M::kSaveButton, event::kClicked, Handler::kSaveBarcode},
      {M::kId, M::kWebButton, event::kClicked, Handler::kOpenMakerPage},  // 10
      {M::kId, M::kFocusSink, 0, Handler::kIgnoreEvent},
      {M::kId, M::kBarcodePicture, event::kRightButtonUp, Handler::kShowBarcodeMenu},
      {BarcodeHostWindow::kId, BarcodeHostWindow::kWindowUnit, event::kCreated, Handler::kShrinkBarcodeHost},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kWindowUnit, event::kCreated, Handler::kStartTipsWindow},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsTitleBar, event::kLeftButtonDown,
       Handler::kDragTipsWindow},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsTitleLabel, event::kLeftButtonDown,
       Handler::kDragTipsWindow},
      {ErrorTipsWindow::kId, ErrorTipsWindow::kTipsOkButton, event::kClicked,
       Handler::kCloseTipsWindow},  // 16
      {TipsWindow::kId, TipsWindow::kWindowUnit, event::kCreated, Handler::kStartTipsWindow},
      {TipsWindow::kId, TipsWindow::kTipsTitleLabel, event::kLeftButtonDown, Handler::kDragTipsWindow},
      {TipsWindow::kId, TipsWindow::kTipsOkButton, event::kClicked, Handler::kCloseTipsWindow},
      {M::kId, M::kSettingsButton, event::kClicked, Handler::kShowSettingsWindow},  // 20
      {G::kId, G::kWindowUnit, event::kCreated, Handler::kStartSettingsWindow},
      {G::kId, G::kSettingsTitleLabel, event::kLeftButtonDown, Handler::kDragTipsWindow},
      {G::kId, G::kModuleEdit, event::kChanged, Handler::kUpdateSettingsSize},
      {G::kId, G::kBarHeightEdit, event::kChanged, Handler::kUpdateSettingsSize},
      {G::kId, G::kBarHeightEdit, event::kFocusGained, Handler::kClearAutoHeight},  // 25
      {G::kId, G::kBarHeightEdit, event::kFocusLost, Handler::kRestoreAutoHeight},
      {G::kId, G::kCaptionCheck, event::kClicked, Handler::kUpdateSettingsSize},
      {G::kId, G::kCaptionPointsEdit, event::kChanged, Handler::kUpdateSettingsSize},
      {G::kId, G::kSettingsOkButton, event::kClicked, Handler::kApplySettings},
      {G::kId, G::kSettingsCancelButton, event::kClicked, Handler::kCloseTipsWindow},  // 30
      {P::kId, P::kWindowUnit, event::kCreated, Handler::kStartProgressWindow},
      {P::kId, P::kProgressTitleLabel, event::kLeftButtonDown, Handler::kDragTipsWindow},
      {P::kId, P::kProgressCancelButton, event::kClicked, Handler::kCancelProgress},
      {R::kId, R::kWindowUnit, event::kCreated, Handler::kStartTipsWindow},
      {R::kId, R::kTipsTitleLabel, event::kLeftButtonDown, Handler::kDragTipsWindow},  // 35
      {R::kId, R::kReplaceOkButton, event::kClicked, Handler::kAnswerReplace},
      {R::kId, R::kReplaceCancelButton, event::kClicked, Handler::kCloseTipsWindow},
  };
  std::set<std::pair<std::uint32_t, std::int32_t>> expected;
  for (const Row& row : rows) expected.insert({row.unit, row.event});
  testing::ForEachRow(rows, [](const Row& row) {
    const UnitRecord& unit = Unit(row.window, row.unit);
    bool found = false;
    for (const EventBinding& binding : unit.events) {
      if (binding.event == row.event) {
        found = true;
        EXPECT_EQ(binding.handler, static_cast<std::uint32_t>(row.handler))
            << std::hex << row.unit << " " << row.event;
      }
    }
    EXPECT_TRUE(found) << std::hex << row.unit << " has no binding for event " << std::dec << row.event;
  });
  for (const WindowDescription& window : Table().windows) {
    for (const UnitRecord& unit : window.units) {
      for (const EventBinding& binding : unit.events) {
        EXPECT_TRUE(expected.count({unit.id, binding.event}))
            << std::hex << unit.id << " binds event " << std::dec << binding.event << " unexpectedly";
      }
    }
  }
}

TEST(Layout, TextsFontsAndColors) {
  using M = MainWindow;
  const auto& title = std::get<TransLabelProperties>(Unit(M::kId, M::kTitleLabel).properties);
  EXPECT_EQ(title.text.rfind("Stripewright   By:", 0), 0u) << title.text;
  EXPECT_NE(title.text.find("   http://"), std::string::npos) << "three blanks, then the web address";
  EXPECT_EQ(
      std::get<TransLabelProperties>(Unit(ErrorTipsWindow::kId, ErrorTipsWindow::kTipsTitleLabel).properties)
          .text,
      "Error Tips");
  EXPECT_EQ(
      std::get<TransLabelProperties>(Unit(TipsWindow::kId, TipsWindow::kTipsTitleLabel).properties).text,
      "Tips");
  for (std::uint32_t window : {ErrorTipsWindow::kId, TipsWindow::kId}) {
    const std::uint32_t label =
        window == TipsWindow::kId ? TipsWindow::kTipsMessageLabel : ErrorTipsWindow::kTipsMessageLabel;
    const auto& message = std::get<TransLabelProperties>(Unit(window, label).properties);
    EXPECT_EQ(message.text, kStoredMessage);
    EXPECT_EQ(message.font.height, -14) << "a 14-pixel GB2312 font";
    EXPECT_EQ(message.font.char_set, 134);
    EXPECT_EQ(message.font.weight, 400);
  }
  const auto& content = std::get<EditBoxProperties>(Unit(M::kId, M::kContentEdit).properties);
  EXPECT_EQ(content.text, "") << "no stored text: the cue text comes at start-up";
  EXPECT_EQ(content.font.height, -16) << "a 16-pixel GB2312 font";
  EXPECT_EQ(content.font.char_set, 134);
  const auto& sink = std::get<EditBoxProperties>(Unit(M::kId, M::kFocusSink).properties);
  EXPECT_EQ(sink.text, "");
  EXPECT_EQ(sink.comment, kFocusSinkComment);

  LogicalFont panel_font;
  panel_font.face = kSimSun;
  panel_font.height = -32;
  panel_font.weight = 700;
  panel_font.char_set = 134;
  panel_font.out_precision = 3;
  panel_font.clip_precision = 2;
  panel_font.quality = 1;
  panel_font.pitch_and_family = 2;
  EXPECT_EQ(
      std::get<DrawPanelProperties>(Unit(BarcodeHostWindow::kId, BarcodeHostWindow::kBarcodePanel).properties)
          .font,
      panel_font);

  struct Color {
    std::uint32_t window, unit, background;
  };
  const Color colors[] = {
      {M::kId, M::kTitleIcon, kBar},
      {M::kId, M::kBarcodePicture, kWhite},
      {TipsWindow::kId, TipsWindow::kTipsTitleBar, kBar},
  };
  testing::ForEachRow(colors, [](const Color& c) {
    EXPECT_EQ(std::get<PicBoxProperties>(Unit(c.window, c.unit).properties).background_color, c.background)
        << std::hex << c.unit;
  });
  EXPECT_TRUE(std::get<PicBoxProperties>(Unit(M::kId, M::kBarcodePicture).properties).image.empty());
  EXPECT_TRUE(
      std::get<PicBoxProperties>(Unit(TipsWindow::kId, TipsWindow::kTipsTitleBar).properties).image.empty());
  for (const WindowDescription& window : Table().windows) {
    for (const UnitRecord& unit : window.units) {
      if (const auto* button = std::get_if<PicBtnProperties>(&unit.properties)) {
        EXPECT_EQ(button->cutout_color, kTeal) << "the window's background is cut out of every button";
        const bool check_box =
            unit.id == SettingsWindow::kCaptionCheck || unit.id == SettingsWindow::kGs1Check;
        EXPECT_EQ(button->two_state != 0, check_box) << "push buttons, and the two check boxes";
        EXPECT_TRUE(button->images[3].empty()) << "no disabled image";
      }
    }
  }
}

struct ImageRow {
  std::uint32_t window;
  std::uint32_t unit;
  int slot;  // -1: a picture box's image; 0..3: a button's image slot
  PictureKind kind;
  std::int32_t width, height;
};

const Bytes& ImageOf(const ImageRow& row) {
  const UnitRecord& unit = Unit(row.window, row.unit);
  if (row.slot < 0) return std::get<PicBoxProperties>(unit.properties).image;
  return std::get<PicBtnProperties>(unit.properties).images[static_cast<std::size_t>(row.slot)];
}

TEST(Layout, EveryImageHasItsFormatAndPixelSize) {
  using M = MainWindow;
  using E = ErrorTipsWindow;
  using S = TipsWindow;
  using G = SettingsWindow;
  constexpr PictureKind kPng = PictureKind::kPng, kJpeg = PictureKind::kJpeg;
  std::vector<ImageRow> rows = {
      {M::kId, M::kTitleIcon, -1, kPng, 16, 16},       {M::kId, M::kContentUnderline, -1, kPng, 250, 1},
      {M::kId, M::kBarcodeFrame, -1, kJpeg, 350, 150}, {M::kId, M::kTitleBar, -1, kJpeg, 500, 28},
      {E::kId, E::kTipsIcon, -1, kPng, 60, 81},        {E::kId, E::kTipsTitleIcon, -1, kPng, 15, 15},
      {E::kId, E::kTipsBadge, -1, kPng, 200, 200},     {E::kId, E::kTipsTitleBar, -1, kJpeg, 500, 28},
      {S::kId, S::kTipsTitleIcon, -1, kPng, 16, 16},   {S::kId, S::kTipsIcon, -1, kPng, 60, 81},
      {G::kId, G::kCaptionCheck, 0, kPng, 16, 16},     {G::kId, G::kGs1Check, 2, kPng, 16, 16},
  };
  struct Button {
    std::uint32_t window, unit;
    std::int32_t width, height;
  };
  const Button buttons[] = {
      {M::kId, M::kCloseButton, 20, 20},          {M::kId, M::kWebButton, 100, 30},
      {M::kId, M::kSaveButton, 100, 30},          {M::kId, M::kGenerateButton, 100, 30},
      {E::kId, E::kTipsOkButton, 70, 30},         {S::kId, S::kTipsOkButton, 70, 30},
      {M::kId, M::kSettingsButton, 20, 20},       {G::kId, G::kSettingsOkButton, 70, 30},
      {G::kId, G::kSettingsCancelButton, 70, 30},
  };
  for (const Button& b : buttons) {
    for (int slot = 0; slot < 3; ++slot) rows.push_back({b.window, b.unit, slot, kPng, b.width, b.height});
  }
  testing::ForEachRow(rows, [](const ImageRow& row) {
    const Bytes& bytes = ImageOf(row);
    const auto picture = DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    ASSERT_TRUE(picture.has_value()) << std::hex << row.unit << " slot " << std::dec << row.slot;
    EXPECT_EQ(picture->kind, row.kind) << std::hex << row.unit << " slot " << std::dec << row.slot;
    EXPECT_EQ(picture->width, row.width) << std::hex << row.unit << " slot " << std::dec << row.slot;
    EXPECT_EQ(picture->height, row.height) << std::hex << row.unit << " slot " << std::dec << row.slot;
  });
  for (const Button& b : buttons) {
    const auto& images = std::get<PicBtnProperties>(Unit(b.window, b.unit).properties).images;
    EXPECT_EQ(images[0], images[2]) << std::hex << b.unit
                                    << ": the first and third image are the same picture";
    EXPECT_NE(images[0], images[1]) << std::hex << b.unit << ": only the mouse-over image differs";
  }
}

TEST(Layout, SharedImagesAreTheSameBytes) {
  using E = ErrorTipsWindow;
  using S = TipsWindow;
  EXPECT_EQ(ImageOf({E::kId, E::kTipsTitleBar, -1, {}, 0, 0}),
            ImageOf({MainWindow::kId, MainWindow::kTitleBar, -1, {}, 0, 0}))
      << "the error window's title bar uses the main title bar's picture";
  EXPECT_EQ(ImageOf({S::kId, S::kTipsIcon, -1, {}, 0, 0}), ImageOf({E::kId, E::kTipsIcon, -1, {}, 0, 0}));
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_EQ(ImageOf({S::kId, S::kTipsOkButton, slot, {}, 0, 0}),
              ImageOf({E::kId, E::kTipsOkButton, slot, {}, 0, 0}));
  }
  EXPECT_NE(ImageOf({S::kId, S::kTipsTitleIcon, -1, {}, 0, 0}),
            ImageOf({E::kId, E::kTipsTitleIcon, -1, {}, 0, 0}));
}

}  // namespace
}  // namespace sw
