// The fatal texts shown when a system function cannot be bound by name, as GBK bytes.
#pragma once

#include <string>
#include <string_view>

namespace sw {

// "运行时出错!": the caption of every fatal box.
inline constexpr std::string_view kRuntimeErrorCaption = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";
// "调用DLL命令后发现堆栈错误": a call left the stack deeper or shallower than it found it. Calls are
// typed, so this cannot happen; the text is kept with the others.
inline constexpr std::string_view kStackErrorMessage =
    "\xB5\xF7\xD3\xC3"
    "DLL"
    "\xC3\xFC\xC1\xEE\xBA\xF3\xB7\xA2\xCF\xD6\xB6\xD1\xD5\xBB\xB4\xED\xCE\xF3";

// "无法找到指定DLL库文件“<dll>”中的输出命令“<function>”": a named library is missing or lacks the export.
std::string MissingExportMessage(std::string_view dll, std::string_view function);
// "无法找到指定DLL库文件中的输出命令“<function>”": none of the system libraries exports it.
std::string MissingSystemExportMessage(std::string_view function);

}  // namespace sw
