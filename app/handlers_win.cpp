// Handlers whose behaviour comes with the commands and window behaviour; for now they do nothing, so that
// every binding of the descriptions resolves and the windows open.
#include "app/handlers_win.h"

namespace sw::app {

int32_t StartMainWindow(const EventContext&) { return 0; }
int32_t OpenMakerPage(const EventContext&) { return 0; }
int32_t DragMainWindow(const EventContext&) { return 0; }
int32_t CloseMainWindow(const EventContext&) { return 0; }
int32_t ClearCueText(const EventContext&) { return 0; }
int32_t RestoreCueText(const EventContext&) { return 0; }
int32_t GenerateBarcode(const EventContext&) { return 0; }
int32_t SaveBarcode(const EventContext&) { return 0; }
int32_t IgnoreEvent(const EventContext&) { return 0; }
int32_t ShrinkBarcodeHost(const EventContext&) { return 0; }
int32_t StartTipsWindow(const EventContext&) { return 0; }
int32_t DragTipsWindow(const EventContext&) { return 0; }
int32_t CloseTipsWindow(const EventContext&) { return 0; }

}  // namespace sw::app
