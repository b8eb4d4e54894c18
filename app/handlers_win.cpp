// The program's handlers: window behaviour (drag, close, start, the tips and host windows) and the commands
// (generate, save, save as, print, copy, web page, cue text, the barcode's menu). Each keeps its working
// objects local; only TipsMessage, SavedPath, SaveAsFolder, BarcodePicture's picture and the full-size
// barcode kept beside it outlive a command.
#include "app/handlers_win.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/barcode_host_win.h"
#include "app/barcode_menu_win.h"
#include "app/barcode_settings.h"
#include "app/barcode_symbol.h"
#include "app/commands.h"
#include "app/generated_barcode.h"
#include "app/layout_ids.h"
#include "app/print_sheets_win.h"
#include "app/program_state.h"
#include "app/vector_output_win.h"
#include "base/text_codepage_win.h"
#include "encode/code128_encoder.h"
#include "render/barcode_canvas.h"
#include "render/bitmap.h"
#include "render/bmp_depth.h"
#include "render/print_layout.h"
#include "render/print_page_win.h"
#include "render/scale_bmp.h"
#include "shadow/shadow_window_win.h"
#include "ui/files/clipboard_win.h"
#include "ui/files/file_name.h"
#include "ui/files/file_services_win.h"
#include "ui/files/save_dialog_win.h"
#include "ui/printing/print_job_win.h"
#include "ui/runtime/unit_font_win.h"

namespace sw::app {
namespace {

using layout::BarcodeHostWindow;
using layout::ErrorTipsWindow;
using layout::MainWindow;
using layout::ReplaceTipsWindow;
using layout::TipsWindow;

constexpr std::int16_t kPictureBits = 24;  // the captioned barcode's depth, as the drawing panel reads back

std::string ContentText(const WindowRuntime& runtime) {
  return runtime.GetText(MainWindow::kContentEdit).value_or(std::string());
}

}  // namespace

// The message goes into TipsMessage; the tips window shows it from its created handler and returns
// here when the user has closed it.
void ShowTips(WindowRuntime& runtime, std::uint32_t tips_window_id, std::string message) {
  TipsMessage() = std::move(message);
  // The tips windows are built into the program; one that cannot be loaded leaves nothing else to show.
  static_cast<void>(runtime.LoadWindow(tips_window_id, MainWindow::kId, true));
}

namespace {

// The system moves the window with the mouse as if its caption had been pressed.
void StartDrag(WindowRuntime& runtime, std::uint32_t window_id) {
  runtime.SendToWindow(window_id, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

std::uint32_t MessageLabelOf(std::uint32_t tips_window_id) {
  switch (tips_window_id) {
    case TipsWindow::kId: return TipsWindow::kTipsMessageLabel;
    case ReplaceTipsWindow::kId: return ReplaceTipsWindow::kTipsMessageLabel;
    default: return ErrorTipsWindow::kTipsMessageLabel;
  }
}

}  // namespace

// The caption's font as the drawing panel has it stored, so that the printed caption looks like the
// picture's; its height is the printed page's.
LOGFONTW CaptionFont(const WindowRuntime& runtime) {
  LogicalFont font;
  if (const WindowDescription* host = FindDescription(runtime.descriptions(), BarcodeHostWindow::kId)) {
    for (const UnitRecord& unit : host->units) {
      const auto* panel = std::get_if<DrawPanelProperties>(&unit.properties);
      if (unit.id == BarcodeHostWindow::kBarcodePanel && panel != nullptr) font = panel->font;
    }
  }
  return WideLogFont(font);
}

namespace {

std::string_view PrintLayoutMessage(PrintLayoutError error) {
  switch (error) {
    case PrintLayoutError::kTooLongForPaper: return kTooLongToPrintMessage;
    case PrintLayoutError::kTooTallForPaper: return kTooShortToPrintMessage;
    case PrintLayoutError::kUnusable: break;
  }
  return kPrintFailedMessage;
}

}  // namespace

std::optional<ChosenPrinter> ChoosePrinterOrSayWhy(WindowRuntime& runtime) {
  PrinterChoice chosen = ChoosePrinter(runtime.Handle(MainWindow::kId));
  if (chosen.ok()) return std::move(chosen.value());
  if (chosen.code() != PrintError::kCancelled) {
    ShowTips(runtime, ErrorTipsWindow::kId,
             std::string(chosen.code() == PrintError::kNoPrinter ? kNoPrinterMessage : kPrintFailedMessage));
  }
  return std::nullopt;
}

std::optional<SaveDialogChoice> AskWhereToSaveAs(WindowRuntime& runtime, std::vector<SaveFileType> types,
                                                 const std::string& content) {
  SaveDialogRequest request;
  request.owner = runtime.Handle(MainWindow::kId);
  request.title = WideFromGbk(kSaveAsTitle);
  request.types = std::move(types);
  request.folder = SaveAsFolder().empty() ? PicturesFolder() : SaveAsFolder();
  // The name says what the picture shows. The dialog keeps the path in MAX_PATH buffers on some systems, so
  // folder and name together stay within MAX_PATH - 1 characters.
  const std::size_t folder_room =
      request.folder.empty() ? 0 : request.folder.size() + (request.folder.back() == L'\\' ? 0 : 1);
  const std::size_t name_room = folder_room < MAX_PATH - 1 ? MAX_PATH - 1 - folder_room : 0;
  request.file_name =
      WideFromGbk(FileNameFrom(std::string(kSaveAsNameStart) + content, kSaveAsNameEnd, name_room));
  SaveDialogResult asked = AskWhereToSave(request);
  if (!asked.ok()) {
    if (asked.code() == SaveDialogError::kFailed) {
      ShowTips(runtime, TipsWindow::kId, std::string(kSaveFailedMessage));
    }
    return std::nullopt;
  }
  SaveAsFolder() = asked.value().path.substr(0, asked.value().path.find_last_of(L'\\'));
  return std::move(asked.value());
}

std::int32_t StartMainWindow(const EventContext& context) {
  RestoreCueText(context);
  SetWindowShadow(context.runtime.Handle(MainWindow::kId));
  return 0;
}

std::int32_t OpenMakerPage(const EventContext&) {
  OpenWebPage(kMakerPageAddress);
  return 0;
}

std::int32_t DragMainWindow(const EventContext& context) {
  StartDrag(context.runtime, MainWindow::kId);
  return 0;
}

std::int32_t CloseMainWindow(const EventContext& context) {
  context.runtime.DestroyWindowLater(MainWindow::kId);
  return 0;
}

std::int32_t ClearCueText(const EventContext& context) {
  if (ContentText(context.runtime) == kCueText) context.runtime.SetText(MainWindow::kContentEdit, "");
  return 0;
}

std::int32_t RestoreCueText(const EventContext& context) {
  if (ContentText(context.runtime).empty()) context.runtime.SetText(MainWindow::kContentEdit, kCueText);
  return 0;
}

std::int32_t GenerateBarcode(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  BarcodeHostCaption host(runtime);
  Code128Encoder encoder(&host);  // loads BarcodeHostWindow hidden
  Bitmap picture;
  // ContentEdit loses the focus first, so that an emptied box shows its cue text again.
  runtime.SetFocusTo(MainWindow::kFocusSink);
  if (IsEmptyContent(ContentText(runtime))) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kEmptyContentMessage));
    return 0;
  }
  const GeneratedResult generated = GeneratedBarcodeOf(ContentText(runtime), CurrentSettings());
  if (!generated.ok()) {
    ShowTips(runtime, ErrorTipsWindow::kId, generated.message());
    return 0;
  }
  picture = encoder.MakeBarcodeFromWidths(generated.value().widths, generated.value().caption);
  const std::int32_t width = runtime.GetNumber(MainWindow::kBarcodePicture, Property::kWidth).value_or(0);
  const std::int32_t height = runtime.GetNumber(MainWindow::kBarcodePicture, Property::kHeight).value_or(0);
  // The captioned barcode is 24-bit; where it was too large to hold, the bare bars are 1-bit, and the
  // picture box still shows (and saves) a picture of the same depth as ever.
  runtime.SetPicture(MainWindow::kBarcodePicture,
                     BmpBytesWithBitCount(ScaleBmpBytes(picture.GetData(), picture.GetWidth(),
                                                        picture.GetHeight(), width, height),
                                          kPictureBits));
  runtime.SetText(MainWindow::kBarcodePicture, ContentText(runtime));  // what it shows, for screen readers
  {
    // The full-size copy, not the scaled picture; whether it could be written is not reported. It is kept
    // for Ctrl+C as well, so that a copy shows what was generated even once the box has been edited.
    Bitmap full_size = encoder.MakeBarcodeFromWidths(generated.value().widths, generated.value().caption);
    FullSizeBarcode() = full_size.GetData();
    GeneratedContent() = ContentText(runtime);
    WriteBytesToFile(kFullSizeCopyPath, {FullSizeBarcode()});
  }
  encoder.CloseBarcodeHost();
  if (!generated.value().afterword.empty())
    ShowTips(runtime, ErrorTipsWindow::kId, generated.value().afterword);
  return 0;
}

std::int32_t SaveBarcode(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  if (runtime.GetPicture(MainWindow::kBarcodePicture).value_or(Bytes()).empty()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kNoBarcodeMessage));
    return 0;
  }
  // The box's text as it is now, not the content that was encoded; the cue text too.
  const std::string content = ContentText(runtime);
  // The file's path keeps the folder as the system names it, which GBK may not spell; the message's
  // text (SavedPath) shows such a folder only approximately.
  const std::wstring path = WideProgramDirectory(SavedPathAfterFolder(content));
  SavedPath() = SavedFilePath(ProgramDirectory(), content);
  // A content that would lead out of the program folder, or into a stream, is not written at all.
  bool saved = false;
  if (IsSafeFileNamePart(content)) {
    const Bytes picture = runtime.GetPicture(MainWindow::kBarcodePicture).value_or(Bytes());
    saved = WriteBytesToFile(path, {picture});
  }
  ShowTips(runtime, TipsWindow::kId, saved ? SavedMessage(SavedPath()) : std::string(kSaveFailedMessage));
  return 0;
}

std::int32_t IgnoreEvent(const EventContext&) { return 0; }

std::int32_t CopyBarcode(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  // Text selected in the content box (which shows its selection only while it has the focus) is copied
  // as an edit box always copies it.
  const HWND content = runtime.Handle(MainWindow::kContentEdit);
  DWORD start = 0;
  DWORD end = 0;
  if (content != nullptr && GetFocus() == content) {
    SendMessageW(content, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  if (start != end) {
    SendMessageW(content, WM_COPY, 0, 0);
    return 0;
  }
  return CopyFullSizeBarcode(context);
}

std::int32_t CopyFullSizeBarcode(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  if (FullSizeBarcode().empty()) return 0;  // no barcode yet: nothing to copy, and nothing to say
  // The full-size barcode scans at any length, where the shown picture loses bars to its scaling.
  // Beside it, the barcode at the settings' size as a metafile, which a word processor places at that size.
  if (CopyBmpToClipboard(runtime.Handle(MainWindow::kId), FullSizeBarcode(),
                         VectorBarcodeMetafile(CaptionFont(runtime))) != ClipboardResult::kCopied) {
    MessageBeep(MB_ICONWARNING);
  }
  return 0;
}

std::int32_t GenerateFromContentBox(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  // The button's click, whatever it runs; the click itself leaves the focus in FocusSink.
  if (!runtime.Press(MainWindow::kGenerateButton)) return 0;
  // A keyboard user goes on typing: the focus comes back to the box (an empty one loses its cue text
  // again), the caret after the last character, ready for the next Enter.
  if (!runtime.SetFocusTo(MainWindow::kContentEdit)) return 0;
  const HWND box = runtime.Handle(MainWindow::kContentEdit);
  const int end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
  return 0;
}

std::int32_t PrintBarcode(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  // The content as it was generated, like Ctrl+C: the box may have been edited since.
  const std::string content = GeneratedContent();
  if (content.empty()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kNoBarcodeMessage));
    return 0;
  }
  if (PrintsAsRun(CurrentSettings())) return PrintRun(context, content);
  const std::optional<ChosenPrinter> chosen = ChoosePrinterOrSayWhy(runtime);
  if (!chosen) return 0;
  const HDC printer = chosen->dc.get();
  // Drawn from the widths on the printer's own dots, not from a scaled picture, so every bar and space
  // is a whole number of dots; the size and caption are the settings'.
  const SymbolResult symbol = SymbolOf(content, CurrentSettings());
  if (!symbol.ok()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kPrintFailedMessage));
    return 0;
  }
  const BarcodeSymbol& bars = symbol.value();
  const PrintLayoutResult layout =
      LayOutPrintedBarcode(ModuleCount(bars.widths), PrintableAreaOf(printer), CurrentSettings().look);
  if (!layout.ok()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(PrintLayoutMessage(layout.code())));
    return 0;
  }
  const LOGFONTW font = CaptionFont(runtime);
  const PrintJobResult printed = PrintPages(
      printer, WideFromGbk(content), chosen->copies,
      [&](HDC page) { return DrawPrintedBarcode(page, layout.value(), bars.widths, bars.caption, font); },
      runtime.Handle(MainWindow::kId));
  if (!printed.ok()) ShowTips(runtime, ErrorTipsWindow::kId, std::string(kPrintFailedMessage));
  return 0;
}

std::int32_t SaveBarcodeAs(const EventContext& context) {
  WindowRuntime& runtime = context.runtime;
  if (FullSizeBarcode().empty()) {
    ShowTips(runtime, ErrorTipsWindow::kId, std::string(kNoBarcodeMessage));
    return 0;
  }
  if (SavesAsRun(CurrentSettings())) return SaveRunAs(context, GeneratedContent());
  const std::optional<SaveDialogChoice> choice = AskWhereToSaveAs(runtime, SaveAsTypes(), GeneratedContent());
  if (!choice) return 0;
  // The barcode at the settings' size and caption.
  const SymbolResult symbol = SymbolOf(GeneratedContent(), CurrentSettings());
  const Bytes bytes = symbol.ok() ? BarcodeFileBytes(choice->type, symbol.value(), CurrentSettings().look,
                                                     CaptionFont(runtime))
                                  : Bytes();
  const bool saved = !bytes.empty() && WriteBytesToFile(choice->path, {bytes});
  SavedPath() = GbkFromWide(choice->path);
  ShowTips(runtime, TipsWindow::kId, saved ? SavedMessage(SavedPath()) : std::string(kSaveFailedMessage));
  return 0;
}

std::int32_t ShowBarcodeMenu(const EventContext& context) {
  RunBarcodeMenu(context, BarcodeMenuItems());
  return 0;
}

std::int32_t ShrinkBarcodeHost(const EventContext& context) {
  // The window exists for its drawing panel but never covers anything.
  context.runtime.SetProperty(context.window_id, Property::kWidth, PropertyValue{0});
  context.runtime.SetProperty(context.window_id, Property::kHeight, PropertyValue{0});
  return 0;
}

std::int32_t StartTipsWindow(const EventContext& context) {
  SetWindowShadow(context.runtime.Handle(context.window_id));
  // Even an empty message replaces the label's stored text.
  context.runtime.SetText(MessageLabelOf(context.window_id), TipsMessage());
  // A question that replaces files is answered No unless the user picks Yes.
  if (context.window_id == ReplaceTipsWindow::kId)
    context.runtime.SetFocusTo(ReplaceTipsWindow::kReplaceCancelButton);
  return 0;
}

std::int32_t DragTipsWindow(const EventContext& context) {
  StartDrag(context.runtime, context.window_id);
  return 0;
}

std::int32_t CloseTipsWindow(const EventContext& context) {
  context.runtime.DestroyWindowLater(context.window_id);
  return 0;
}

}  // namespace sw::app
