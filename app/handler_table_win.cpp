#include "app/handler_table_win.h"

#include <array>
#include <string_view>

#include "app/handlers_win.h"
#include "app/layout_ids.h"

namespace sw::app {
namespace {

using layout::Handler;

constexpr uint32_t Ref(Handler handler) { return static_cast<uint32_t>(handler); }

// In the order of the layout's handler list, one entry a line.
constexpr std::array<HandlerBinding, layout::kHandlerCount> kHandlers = {{
    {Ref(Handler::kStartMainWindow), "StartMainWindow", &StartMainWindow},
    {Ref(Handler::kOpenMakerPage), "OpenMakerPage", &OpenMakerPage},
    {Ref(Handler::kDragMainWindow), "DragMainWindow", &DragMainWindow},
    {Ref(Handler::kCloseMainWindow), "CloseMainWindow", &CloseMainWindow},
    {Ref(Handler::kClearCueText), "ClearCueText", &ClearCueText},  // 5
    {Ref(Handler::kRestoreCueText), "RestoreCueText", &RestoreCueText},
    {Ref(Handler::kGenerateBarcode), "GenerateBarcode", &GenerateBarcode},
    {Ref(Handler::kSaveBarcode), "SaveBarcode", &SaveBarcode},
    {Ref(Handler::kIgnoreEvent), "IgnoreEvent", &IgnoreEvent},
    {Ref(Handler::kShrinkBarcodeHost), "ShrinkBarcodeHost", &ShrinkBarcodeHost},  // 10
    {Ref(Handler::kStartTipsWindow), "StartTipsWindow", &StartTipsWindow},
    {Ref(Handler::kDragTipsWindow), "DragTipsWindow", &DragTipsWindow},
    {Ref(Handler::kCloseTipsWindow), "CloseTipsWindow", &CloseTipsWindow},
}};

// A handler added to the layout but not here, or listed out of order, stops the build.
constexpr bool MatchesLayout() {
  for (size_t i = 0; i < kHandlers.size(); ++i) {
    if (kHandlers[i].reference != i + 1 || kHandlers[i].handler == nullptr ||
        std::string_view(kHandlers[i].name) != layout::kHandlerNames[i]) {
      return false;
    }
  }
  return true;
}
static_assert(MatchesLayout(), "the handler table must follow the layout's handler list");

}  // namespace

std::span<const HandlerBinding> HandlerTable() { return kHandlers; }

}  // namespace sw::app
