// The program as a screen reader and a keyboard user meet it: what Active Accessibility says of each unit
// (asked as a reader asks, through oleacc), a button's default action pressing it, Tab and Shift+Tab
// through the Tab stops, and Space or Enter on a focused skin button.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_settings.h"
#include "app/program_state.h"
#include "app/settings_fields.h"
#include "base/text_codepage_win.h"
#include "tests/app/app_driver_win.h"
#include "tests/app/shared_app_test_win.h"
#include "tests/support/case_table.h"
#include "ui/runtime/unit_events.h"
#include "ui/units/pic_btn_unit_win.h"

namespace sw {
namespace {

using namespace layout;
using test::AppDriver;

// An accessible object asked for by window, as readers ask; released on leaving.
class Accessible {
 public:
  explicit Accessible(HWND hwnd) {
    got_ = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                      reinterpret_cast<void**>(&object_));
  }
  ~Accessible() {
    if (object_ != nullptr) object_->Release();
  }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  bool ok() const { return object_ != nullptr; }
  HRESULT got() const { return got_; }
  std::wstring Name() const { return Text(&IAccessible::get_accName); }
  std::wstring DefaultAction() const { return Text(&IAccessible::get_accDefaultAction); }
  std::wstring Value() const { return Text(&IAccessible::get_accValue); }
  LONG Role() const { return Number(&IAccessible::get_accRole); }
  LONG State() const { return Number(&IAccessible::get_accState); }
  HRESULT DoDefaultAction() const { return object_->accDoDefaultAction(Self()); }
  // A late-bound client's view: the type information it is offered, and its name asked through Invoke.
  UINT TypeInfoCount() const {
    UINT count = 1;
    return object_->GetTypeInfoCount(&count) == S_OK ? count : 1;
  }
  HRESULT InvokeName() const {
    VARIANT child = Self(), name{};
    DISPPARAMS params{&child, nullptr, 1, 0};
    const HRESULT got =
        object_->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, &name, nullptr, nullptr);
    VariantClear(&name);
    return got;
  }

 private:
  static VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
  }
  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, BSTR*)) const {
    BSTR text = nullptr;
    const HRESULT got = (object_->*method)(Self(), &text);
    std::wstring out = got == S_OK && text != nullptr ? std::wstring(text) : std::wstring();
    SysFreeString(text);
    return out;
  }
  LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, VARIANT*)) const {
    VARIANT value{};
    const HRESULT got = (object_->*method)(Self(), &value);
    return got == S_OK && value.vt == VT_I4 ? value.lVal : -1;
  }

  IAccessible* object_ = nullptr;
  HRESULT got_ = E_FAIL;
};

std::wstring Wide(std::string_view gbk) { return WideFromGbk(gbk); }

// What a row disables while it asks: nothing, the unit, or the unit's window (as a modal window does).
enum Disabled { kEnabled, kItself, kItsWindow };
HWND Disable(HWND unit, Disabled disabled) {
  const HWND hwnd = disabled == kItself      ? unit
                    : disabled == kItsWindow ? GetAncestor(unit, GA_ROOT)
                                             : nullptr;
  if (hwnd != nullptr) EnableWindow(hwnd, FALSE);
  return hwnd;
}

// The labels, as GBK: 生成条码, 保存图片, 访问主页, 关闭, 确定, 条码内容; the default action 按下.
const std::wstring kGenerate = Wide("\xC9\xFA\xB3\xC9\xCC\xF5\xC2\xEB");
const std::wstring kSave = Wide("\xB1\xA3\xB4\xE6\xCD\xBC\xC6\xAC");
const std::wstring kWeb = Wide("\xB7\xC3\xCE\xCA\xD6\xF7\xD2\xB3");
const std::wstring kClose = Wide("\xB9\xD8\xB1\xD5");
const std::wstring kOk = Wide("\xC8\xB7\xB6\xA8");
const std::wstring kContent = Wide("\xCC\xF5\xC2\xEB\xC4\xDA\xC8\xDD");
const std::wstring kPress = Wide("\xB0\xB4\xCF\xC2");

// One MainWindow for the suite, as the command tests keep one; each test starts with no barcode, the
// cue text, the focus in the content box and no message.
class AppAccessibility : public test::SharedAppTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.ready()) << app_.error();
    app_.Pump();
    runtime().SetPicture(MainWindow::kBarcodePicture, {});
    runtime().SetText(MainWindow::kBarcodePicture, "");
    app_.SetContent(app::kCueText);
    runtime().SetFocusTo(MainWindow::kContentEdit);
    Settle();
    app_.TakeTips();
    AppDriver::TakeOpenedPages();
  }
  void Press(UINT key, std::int32_t shift_state = 0) { app_.PressAndSettle(key, shift_state); }
  void Settle() { app_.Settle(); }
  std::uint32_t Focused() const {
    const Unit* unit = app_.runtime().UnitForHandle(GetFocus());
    return unit != nullptr ? unit->id() : 0;
  }
};

TEST_F(AppAccessibility, ReadersLearnNameRoleStateAndActionOfEachUnit) {
  constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
  constexpr LONG kUnavailable = STATE_SYSTEM_UNAVAILABLE;
  constexpr LONG kInvisible = STATE_SYSTEM_INVISIBLE;
  struct Row {
    std::uint32_t unit;
    Disabled disabled;
    std::wstring name;
    LONG role;
    LONG state_set;    // these state bits are on
    LONG state_clear;  // and these off
    std::wstring action;
    const char* reason;
  };
  const std::wstring message = Wide(app::kEmptyContentMessage);
  const Row rows[] = {
      {MainWindow::kGenerateButton, kEnabled, kGenerate, ROLE_SYSTEM_PUSHBUTTON, kFocusable, kUnavailable,
       kPress, "a skin button is a push button named by its label, and a Tab stop"},
      {MainWindow::kSaveButton, kEnabled, kSave, ROLE_SYSTEM_PUSHBUTTON, kFocusable, 0, kPress,
       "the save button"},
      {MainWindow::kWebButton, kEnabled, kWeb, ROLE_SYSTEM_PUSHBUTTON, kFocusable, 0, kPress,
       "the web button"},
      {MainWindow::kSaveButton, kItself, kSave, ROLE_SYSTEM_PUSHBUTTON, kUnavailable, 0, kPress,
       "a disabled button is unavailable"},
      {MainWindow::kCloseButton, kEnabled, kClose, ROLE_SYSTEM_PUSHBUTTON, 0, kFocusable, kPress,
       "the close button is named, but no Tab stop"},  // 5
      {MainWindow::kContentEdit, kEnabled, kContent, ROLE_SYSTEM_TEXT, kFocusable, kInvisible, L"",
       "the content box is named after what it asks for, not by its text"},
      {MainWindow::kFocusSink, kEnabled, L"", ROLE_SYSTEM_TEXT, kInvisible, kFocusable, L"",
       "the box that parks the focus is skipped"},
      {MainWindow::kBarcodePicture, kEnabled, L"", ROLE_SYSTEM_GRAPHIC, 0, kFocusable, L"",
       "the barcode picture is a graphic, unnamed before the first generate"},
      {MainWindow::kTitleIcon, kEnabled, L"", ROLE_SYSTEM_GRAPHIC, 0, kFocusable, L"",
       "decoration: the title icon"},
      {MainWindow::kBarcodeFrame, kEnabled, L"", ROLE_SYSTEM_GRAPHIC, 0, kFocusable, L"", "the frame"},  // 10
      {MainWindow::kContentUnderline, kEnabled, L"", ROLE_SYSTEM_GRAPHIC, 0, kFocusable, L"",
       "the separator"},
      {MainWindow::kTitleLabel, kEnabled, Wide(*runtime().GetText(MainWindow::kTitleLabel)),
       ROLE_SYSTEM_STATICTEXT, 0, kFocusable, L"", "a label reads as its text"},
      {ErrorTipsWindow::kTipsOkButton, kEnabled, kOk, ROLE_SYSTEM_PUSHBUTTON, kFocusable, 0, kPress,
       "the tips window's OK button"},
      {ErrorTipsWindow::kTipsMessageLabel, kEnabled, message, ROLE_SYSTEM_STATICTEXT, 0, kFocusable, L"",
       "the tips window's message"},
      {MainWindow::kGenerateButton, kItsWindow, kGenerate, ROLE_SYSTEM_PUSHBUTTON, kUnavailable, 0, kPress,
       "a button of a disabled window (a modal tips window is open)"},
  };
  // The tips window open beside the main window, not modally: a modal one would wait here for its close.
  app::TipsMessage() = std::string(app::kEmptyContentMessage);
  ASSERT_TRUE(runtime().LoadWindow(ErrorTipsWindow::kId, MainWindow::kId).ok());
  testing::ForEachRow(rows, [&](const Row& row) {
    const HWND hwnd = runtime().Handle(row.unit);
    ASSERT_NE(hwnd, nullptr);
    const HWND disabled = Disable(hwnd, row.disabled);
    const Accessible accessible(hwnd);
    ASSERT_TRUE(accessible.ok()) << std::hex << accessible.got();
    EXPECT_EQ(accessible.Name(), row.name);
    EXPECT_EQ(accessible.Role(), row.role);
    EXPECT_EQ(accessible.State() & row.state_set, row.state_set) << std::hex << accessible.State();
    EXPECT_EQ(accessible.State() & row.state_clear, 0) << std::hex << accessible.State();
    EXPECT_EQ(accessible.DefaultAction(), row.action);
    // Late-bound clients would otherwise get the standard object's name and role, not these.
    EXPECT_EQ(accessible.TypeInfoCount(), 0U);
    EXPECT_EQ(accessible.InvokeName(), E_NOTIMPL);
    if (disabled != nullptr) EnableWindow(disabled, TRUE);
  });
  runtime().DestroyWindowLater(ErrorTipsWindow::kId);
  Settle();
}

TEST_F(AppAccessibility, TheBarcodePictureIsNamedByTheContentItShows) {
  for (const char* content : {"ABC123", "9780201379624"}) {
    app_.SetContent(content);
    app_.Click(MainWindow::kGenerateButton);
    Settle();
    EXPECT_EQ(Accessible(runtime().Handle(MainWindow::kBarcodePicture)).Name(), Wide(content));
  }
}

TEST_F(AppAccessibility, TheDefaultActionOfAButtonPressesIt) {
  enum Outcome { kPageOpened, kAskedForABarcode, kGenerated, kNothing };
  struct Row {
    std::uint32_t unit;
    Disabled disabled;
    Outcome outcome;
    const char* reason;
  };
  const Row rows[] = {
      {MainWindow::kWebButton, kEnabled, kPageOpened, "the web button opens the page"},
      {MainWindow::kSaveButton, kEnabled, kAskedForABarcode, "save before any barcode asks for one"},
      {MainWindow::kGenerateButton, kEnabled, kGenerated, "generate shows the barcode"},
      {MainWindow::kWebButton, kItself, kNothing, "a disabled button is not pressed"},
      {MainWindow::kWebButton, kItsWindow, kNothing, "nor is one of a disabled window (a modal one is open)"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    app_.SetContent("ABC123");
    const HWND hwnd = runtime().Handle(row.unit);
    const HWND disabled = Disable(hwnd, row.disabled);
    const HRESULT done = Accessible(hwnd).DoDefaultAction();
    Settle();
    if (disabled != nullptr) EnableWindow(disabled, TRUE);
    EXPECT_EQ(SUCCEEDED(done), row.outcome != kNothing);
    EXPECT_EQ(AppDriver::TakeOpenedPages().size(), row.outcome == kPageOpened ? 1u : 0u);
    const auto tips = app_.TakeTips();
    EXPECT_EQ(tips.size(), row.outcome == kAskedForABarcode ? 1u : 0u);
    if (!tips.empty()) {
      EXPECT_EQ(tips[0].message, app::kNoBarcodeMessage);
    }
    EXPECT_EQ(app_.Picture().empty(), row.outcome != kGenerated);
  });
}

TEST_F(AppAccessibility, TabAndShiftTabGoRoundTheStopsInReadingOrder) {
  struct Row {
    std::uint32_t from;  // focused (by the keyboard), or clicked when `click`
    bool click;
    std::int32_t shift_state;
    std::vector<std::uint32_t> steps;  // the focus after each press
    const char* reason;
  };
  using M = MainWindow;
  const std::int32_t kShift = event::kShiftDown;
  const Row rows[] = {
      {M::kContentEdit,
       false,
       0,
       {M::kGenerateButton, M::kSaveButton, M::kWebButton, M::kContentEdit},
       "Tab: the box, then the buttons left to right, and round"},
      {M::kContentEdit,
       false,
       kShift,
       {M::kWebButton, M::kSaveButton, M::kGenerateButton, M::kContentEdit},
       "Shift+Tab: the other way round"},
      {M::kGenerateButton, true, 0, {M::kSaveButton}, "after a clicked generate, on to the next button"},
      {M::kGenerateButton, true, kShift, {M::kContentEdit}, "or back to the box"},
      {M::kWebButton, false, 0, {M::kContentEdit, M::kGenerateButton}, "from the last stop to the first"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    if (row.click) {
      app_.SetContent("ABC123");
      app_.Click(row.from);
      Settle();
      ASSERT_EQ(Focused(), M::kFocusSink) << "a clicked generate parks the focus";
    } else {
      runtime().SetFocusTo(row.from);
    }
    for (std::uint32_t expected : row.steps) {
      Press(VK_TAB, row.shift_state);
      EXPECT_EQ(Focused(), expected) << std::hex << expected;
    }
  });
}

TEST_F(AppAccessibility, TabInATipsWindowStaysOnItsOkButton) {
  // Open beside the main window and handed each Tab directly: the driver closes any tips window that the
  // loop meets.
  ASSERT_TRUE(runtime().LoadWindow(TipsWindow::kId, MainWindow::kId).ok());
  const HWND tips = runtime().Handle(TipsWindow::kId);
  SetActiveWindow(tips);
  SetFocus(tips);
  ASSERT_EQ(GetFocus(), tips);
  for (int i = 0; i < 2; ++i) {
    MSG tab{};
    tab.hwnd = GetFocus();
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    tab.lParam = static_cast<LPARAM>(MapVirtualKeyW(VK_TAB, MAPVK_VK_TO_VSC) << 16 | 1);
    runtime().Deliver(tab);
    EXPECT_EQ(Focused(), TipsWindow::kTipsOkButton);
  }
  runtime().DestroyWindowLater(TipsWindow::kId);
  Settle();
}

TEST_F(AppAccessibility, SpaceOrEnterPressesTheFocusedButtonWhichKeepsTheFocus) {
  enum Outcome { kPageOpened, kAskedForABarcode, kGenerated };
  struct Row {
    std::uint32_t button;
    UINT key;
    Outcome outcome;
    const char* reason;
  };
  using M = MainWindow;
  const Row rows[] = {
      {M::kWebButton, VK_SPACE, kPageOpened, "Space presses"},
      {M::kWebButton, VK_RETURN, kPageOpened, "so does Enter"},
      {M::kSaveButton, VK_SPACE, kAskedForABarcode, "the save button's message, then back on the button"},
      {M::kGenerateButton, VK_RETURN, kGenerated, "generate, and the focus stays on the button, not parked"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    SetUp();
    app_.SetContent("ABC123");
    runtime().SetFocusTo(row.button);
    Press(row.key);
    EXPECT_EQ(AppDriver::TakeOpenedPages().size(), row.outcome == kPageOpened ? 1u : 0u);
    EXPECT_EQ(app_.TakeTips().size(), row.outcome == kAskedForABarcode ? 1u : 0u);
    EXPECT_EQ(app_.Picture().empty(), row.outcome != kGenerated);
    EXPECT_EQ(Focused(), row.button);
  });
}

TEST_F(AppAccessibility, TheSettingsWindowReadsAsItsFieldsAndAppliesOnlyWhatIsInRange) {
  using G = SettingsWindow;
  // Beside the main window, not modally, so that the test drives it; its handlers are the program's.
  ASSERT_TRUE(runtime().LoadWindow(G::kId, MainWindow::kId).ok());
  Settle();
  struct Row {
    std::uint32_t unit;
    std::wstring name;
    LONG role;
    LONG state;  // STATE_SYSTEM_CHECKED, or 0
    std::wstring value;
  };
  const Row rows[] = {
      // 条宽(毫米), 显示文字, 纸张 and its first entry 整页（每页一个）, 取消
      {G::kModuleEdit, L"\u6761\u5bbd(\u6beb\u7c73)", ROLE_SYSTEM_TEXT, 0, L"0.33"},
      {G::kCaptionCheck, L"\u663e\u793a\u6587\u5b57", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED, L""},
      {G::kGs1Check, L"GS1-128", ROLE_SYSTEM_CHECKBUTTON, 0, L""},
      {G::kSheetList, L"\u7eb8\u5f20", ROLE_SYSTEM_COMBOBOX, 0,
       L"\u6574\u9875\uff08\u6bcf\u9875\u4e00\u4e2a\uff09"},
      {G::kSettingsCancelButton, L"\u53d6\u6d88", ROLE_SYSTEM_PUSHBUTTON, 0, L""},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    const Accessible accessible(runtime().Handle(row.unit));
    ASSERT_TRUE(accessible.ok());
    EXPECT_EQ(accessible.Name(), row.name);
    EXPECT_EQ(accessible.Role(), row.role);
    EXPECT_EQ(accessible.State() & STATE_SYSTEM_CHECKED, row.state);
    if (!row.value.empty()) {
      EXPECT_EQ(accessible.Value(), row.value);
    }
  });
  EXPECT_EQ(Focused(), G::kModuleEdit) << "the first field takes the focus";
  const std::uint32_t order[] = {
      G::kBarHeightEdit, G::kCaptionCheck,     G::kCaptionPointsEdit,    G::kGs1Check,
      G::kSheetList,     G::kStartLabelEdit,   G::kCopiesEdit,           G::kCountEdit,
      G::kStepEdit,      G::kSettingsOkButton, G::kSettingsCancelButton, G::kModuleEdit};
  for (std::uint32_t expected : order) {
    Press(VK_TAB);
    EXPECT_EQ(Focused(), expected) << std::hex << expected;
  }
  // Space ticks GS1-128; an out-of-range module is named and keeps the window, with the field focused.
  runtime().SetFocusTo(G::kGs1Check);
  Press(VK_SPACE);
  EXPECT_EQ(Accessible(runtime().Handle(G::kGs1Check)).State() & STATE_SYSTEM_CHECKED, STATE_SYSTEM_CHECKED);
  runtime().SetText(G::kModuleEdit, "0.18");
  Press(VK_RETURN);
  const auto tips = app_.TakeTips();
  ASSERT_EQ(tips.size(), 1u);
  EXPECT_EQ(tips[0].message, app::RangeMessage(app::SettingsField::kModule));
  EXPECT_TRUE(runtime().IsLoaded(G::kId));
  EXPECT_EQ(Focused(), G::kModuleEdit);
  EXPECT_EQ(app::CurrentSettings(), app::BarcodeSettings{}) << "nothing applied";
  // Enter applies what is in range; the window shows it when opened again, and Esc discards.
  runtime().SetText(G::kModuleEdit, "0,5");
  Press(VK_RETURN);
  EXPECT_FALSE(runtime().IsLoaded(G::kId));
  EXPECT_EQ(app::CurrentSettings().look.module_microns, 500);
  EXPECT_TRUE(app::CurrentSettings().gs1);
  ASSERT_TRUE(runtime().LoadWindow(G::kId, MainWindow::kId).ok());
  Settle();
  EXPECT_EQ(runtime().GetText(G::kModuleEdit), "0.50");
  runtime().SetText(G::kModuleEdit, "0.8");
  Press(VK_ESCAPE);
  EXPECT_FALSE(runtime().IsLoaded(G::kId));
  EXPECT_EQ(app::CurrentSettings().look.module_microns, 500);
  app::CurrentSettings() = {};
}

TEST_F(AppAccessibility, AFocusedButtonShowsItsMouseOverImage) {
  auto* button = dynamic_cast<PicBtnUnit*>(runtime().FindUnit(MainWindow::kSaveButton));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->shown(), ButtonImage::kNormal);
  Press(VK_TAB);
  Press(VK_TAB);
  ASSERT_EQ(Focused(), MainWindow::kSaveButton);
  EXPECT_EQ(button->shown(), ButtonImage::kMouseOver);
  Press(VK_TAB);
  EXPECT_EQ(button->shown(), ButtonImage::kNormal);
}

}  // namespace
}  // namespace sw
