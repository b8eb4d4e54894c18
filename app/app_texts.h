// The program's own texts and fixed addresses. Texts are GBK, as the windows show them.
#pragma once

#include <string_view>

namespace sw::app {

// "条码内容(仅限数字、字母)": barcode content, digits and letters only. Shown in an empty ContentEdit.
inline constexpr std::string_view kCueText =
    "\xcc\xf5\xc2\xeb\xc4\xda\xc8\xdd\x28\xbd\xf6\xcf\xde\xca\xfd\xd7\xd6\xa1\xa2\xd7\xd6\xc4\xb8\x29";
// "条码内容为空，请先输入条码内容！": the barcode content is empty, please enter it first.
inline constexpr std::string_view kEmptyContentMessage =
    "\xcc\xf5\xc2\xeb\xc4\xda\xc8\xdd\xce\xaa\xbf\xd5\xa3\xac\xc7\xeb\xcf\xc8\xca\xe4\xc8\xeb\xcc\xf5\xc2\xeb"
    "\xc4\xda"
    "\xc8\xdd\xa3\xa1";
// "系统还没有条码数据哟，请先制作一个条码吧！": no barcode yet, please make one first.
inline constexpr std::string_view kNoBarcodeMessage =
    "\xcf\xb5\xcd\xb3\xbb\xb9\xc3\xbb\xd3\xd0\xcc\xf5\xc2\xeb\xca\xfd\xbe\xdd\xd3\xb4\xa3\xac\xc7\xeb\xcf\xc8"
    "\xd6\xc6"
    "\xd7\xf7\xd2\xbb\xb8\xf6\xcc\xf5\xc2\xeb\xb0\xc9\xa3\xa1";
// "文件已保存到：" + path + "\r\n感谢使用！": file saved to the path; thanks on a second line.
inline constexpr std::string_view kSavedMessageStart =
    "\xce\xc4\xbc\xfe\xd2\xd1\xb1\xa3\xb4\xe6\xb5\xbd\xa3\xba";
inline constexpr std::string_view kSavedMessageEnd = "\r\n\xb8\xd0\xd0\xbb\xca\xb9\xd3\xc3\xa3\xa1";
// "文件保存失败，请重试！": saving the file failed, please try again.
inline constexpr std::string_view kSaveFailedMessage =
    "\xce\xc4\xbc\xfe\xb1\xa3\xb4\xe6\xca\xa7\xb0\xdc\xa3\xac\xc7\xeb\xd6\xd8\xca\xd4\xa3\xa1";
// "系统还没有安装打印机哟，请先添加一台打印机吧！": no printer is installed, please add one first.
inline constexpr std::string_view kNoPrinterMessage =
    "\xcf\xb5\xcd\xb3\xbb\xb9\xc3\xbb\xd3\xd0\xb0\xb2\xd7\xb0\xb4\xf2\xd3\xa1\xbb\xfa\xd3\xb4\xa3\xac\xc7\xeb"
    "\xcf\xc8\xcc\xed\xbc\xd3\xd2\xbb\xcc\xa8\xb4\xf2\xd3\xa1\xbb\xfa\xb0\xc9\xa3\xa1";
// "条码内容太长，这张纸上印不下哟，请缩短内容或换用更宽的纸张吧！": the content is too long for this
// paper; shorten it or use wider paper.
inline constexpr std::string_view kTooLongToPrintMessage =
    "\xcc\xf5\xc2\xeb\xc4\xda\xc8\xdd\xcc\xab\xb3\xa4\xa3\xac\xd5\xe2\xd5\xc5\xd6\xbd\xc9\xcf\xd3\xa1\xb2\xbb"
    "\xcf\xc2\xd3\xb4\xa3\xac\xc7\xeb\xcb\xf5\xb6\xcc\xc4\xda\xc8\xdd\xbb\xf2\xbb\xbb\xd3\xc3\xb8\xfc\xbf\xed"
    "\xb5\xc4\xd6\xbd\xd5\xc5\xb0\xc9\xa3\xa1";
// "标签太矮，印不下条码哟，请换用更高的纸张或调低条高吧！": the label is too low for the bars; use taller
// paper or lower bars.
inline constexpr std::string_view kTooShortToPrintMessage =
    "\xb1\xea\xc7\xa9\xcc\xab\xb0\xab\xa3\xac\xd3\xa1\xb2\xbb\xcf\xc2\xcc\xf5\xc2\xeb\xd3\xb4\xa3\xac\xc7\xeb"
    "\xbb\xbb\xd3\xc3\xb8\xfc\xb8\xdf\xb5\xc4\xd6\xbd\xd5\xc5\xbb\xf2\xb5\xf7\xb5\xcd\xcc\xf5\xb8\xdf\xb0\xc9"
    "\xa3\xa1";
// "打印失败，请检查打印机后重试！": printing failed, please check the printer and try again.
inline constexpr std::string_view kPrintFailedMessage =
    "\xb4\xf2\xd3\xa1\xca\xa7\xb0\xdc\xa3\xac\xc7\xeb\xbc\xec\xb2\xe9\xb4\xf2\xd3\xa1\xbb\xfa\xba\xf3\xd6\xd8"
    "\xca\xd4\xa3\xa1";
// "以下字符无法编入条码，已略去：" + the characters: these characters cannot go into the barcode and were
// left out. "……" ends a list cut short.
inline constexpr std::string_view kLeftOutMessageStart =
    "\xd2\xd4\xcf\xc2\xd7\xd6\xb7\xfb\xce\xde\xb7\xa8\xb1\xe0\xc8\xeb\xcc\xf5\xc2\xeb\xa3\xac\xd2\xd1\xc2\xd4"
    "\xc8\xa5\xa3\xba";
inline constexpr std::string_view kListCutShort = "\xa1\xad\xa1\xad";

// The barcode's menu, each item with its access key and, after a tab, its shortcut.
// "复制(&C)\tCtrl+C": copy.
inline constexpr std::string_view kCopyMenuItem =
    "\xb8\xb4\xd6\xc6"
    "(&C)\tCtrl+C";
// "另存为(&A)...\tCtrl+Shift+S": save as.
inline constexpr std::string_view kSaveAsMenuItem =
    "\xc1\xed\xb4\xe6\xce\xaa"
    "(&A)...\tCtrl+Shift+S";
// "打印(&P)...\tCtrl+P": print.
inline constexpr std::string_view kPrintMenuItem =
    "\xb4\xf2\xd3\xa1"
    "(&P)...\tCtrl+P";
// "条码设置(&B)...": the settings window; the menu's last item, offered before the first barcode too.
inline constexpr std::string_view kSettingsMenuItem =
    "\xcc\xf5\xc2\xeb\xc9\xe8\xd6\xc3"
    "(&B)...";
// "自动": automatic, shown in the settings window's empty bar height.
inline constexpr std::string_view kAutoHeightCue = "\xd7\xd4\xb6\xaf";

// The saved file: program folder + "\Bar_Code_" + content + ".bmp".
inline constexpr std::string_view kSavedNameStart = "\\Bar_Code_";
inline constexpr std::string_view kSavedNameEnd = ".bmp";
// Save As: the dialog's title "另存为" (save as) and its file types, "PNG 图片 (*.png)" (the first, chosen at
// first) and "BMP 图片 (*.bmp)" (PNG and BMP pictures); the name it offers is "Bar_Code_" + content + ".png".
inline constexpr std::string_view kSaveAsTitle = "\xc1\xed\xb4\xe6\xce\xaa";
inline constexpr std::string_view kPngTypeName = "PNG \xcd\xbc\xc6\xac (*.png)";
inline constexpr std::string_view kBmpTypeName = "BMP \xcd\xbc\xc6\xac (*.bmp)";
// "SVG 矢量图 (*.svg)" and "EMF 图元文件 (*.emf)", the vector files at the settings' size.
inline constexpr std::string_view kSvgTypeName = "SVG \xca\xb8\xc1\xbf\xcd\xbc (*.svg)";
inline constexpr std::string_view kEmfTypeName = "EMF \xcd\xbc\xd4\xaa\xce\xc4\xbc\xfe (*.emf)";
inline constexpr std::string_view kSaveAsNameStart = "Bar_Code_";
inline constexpr std::string_view kSaveAsNameEnd = ".png";
// Every generate command also leaves the full-size captioned barcode here; a failure is silent.
inline constexpr std::string_view kFullSizeCopyPath = "C:\\1.bmp";
// The maker's page, with a fragment naming this tool.
inline constexpr std::string_view kMakerPageAddress = "http://wrenfield.example/#stripewright";

// Runs of barcodes. "条码内容里没有数字，无法编成序列，请加入数字或把数量设为 1 吧！": the content has no
// digits to count; add some or set the count to 1.
inline constexpr std::string_view kNoDigitsToCountMessage =
    "\xcc\xf5\xc2\xeb\xc4\xda\xc8\xdd\xc0\xef\xc3\xbb\xd3\xd0\xca\xfd\xd7\xd6\xa3\xac\xce\xde\xb7\xa8\xb1\xe0"
    "\xb3\xc9\xd0\xf2\xc1\xd0\xa3\xac\xc7\xeb\xbc\xd3\xc8\xeb\xca\xfd\xd7\xd6\xbb\xf2\xb0\xd1\xca\xfd\xc1\xbf"
    "\xc9\xe8\xce\xaa 1 \xb0\xc9\xa3\xa1";
// "序列的编号超出了位数，请减少数量或步长吧！": the run's number outgrows its digits; fewer or a smaller
// step.
inline constexpr std::string_view kRunOutOfRangeMessage =
    "\xd0\xf2\xc1\xd0\xb5\xc4\xb1\xe0\xba\xc5\xb3\xac\xb3\xf6\xc1\xcb\xce\xbb\xca\xfd\xa3\xac\xc7\xeb\xbc\xf5"
    "\xc9\xd9\xca\xfd\xc1\xbf\xbb\xf2\xb2\xbd\xb3\xa4\xb0\xc9\xa3\xa1";

// The progress window of long work. Its title: "正在打印" (printing) or "正在保存" (saving); its count line
// "已完成 " + done + " / " + total (done of total).
inline constexpr std::string_view kPrintingTitle = "\xd5\xfd\xd4\xda\xb4\xf2\xd3\xa1";
inline constexpr std::string_view kSavingTitle = "\xd5\xfd\xd4\xda\xb1\xa3\xb4\xe6";
inline constexpr std::string_view kProgressLineStart = "\xd2\xd1\xcd\xea\xb3\xc9 ";
// A run's save cancelled: "已取消，已保存 " + saved + " 个文件（共 " + total + " 个）到：" + folder
// (cancelled; so many files of the run saved to the folder).
inline constexpr std::string_view kCancelledSaveStart =
    "\xd2\xd1\xc8\xa1\xcf\xfb\xa3\xac\xd2\xd1\xb1\xa3\xb4\xe6 ";
inline constexpr std::string_view kCancelledSaveOf = " \xb8\xf6\xce\xc4\xbc\xfe\xa3\xa8\xb9\xb2 ";
inline constexpr std::string_view kCancelledSaveTo = " \xb8\xf6\xa3\xa9\xb5\xbd\xa3\xba";
// Before a run's files replace others: "这个文件夹里已有 " + count + " 个同名的条码文件，确定要替换它们吗？"
// (the folder already has so many barcode files of these names; replace them?).
inline constexpr std::string_view kReplaceQuestionStart =
    "\xd5\xe2\xb8\xf6\xce\xc4\xbc\xfe\xbc\xd0\xc0\xef\xd2\xd1\xd3\xd0 ";
inline constexpr std::string_view kReplaceQuestionEnd =
    " \xb8\xf6\xcd\xac\xc3\xfb\xb5\xc4\xcc\xf5\xc2\xeb\xce\xc4\xbc\xfe\xa3\xac\xc8\xb7\xb6\xa8\xd2\xaa\xcc"
    "\xe6"
    "\xbb\xbb\xcb\xfc\xc3\xc7\xc2\xf0\xa3\xbf";

}  // namespace sw::app
