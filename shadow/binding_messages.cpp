#include "shadow/binding_messages.h"

namespace sw {
namespace {

// GBK pieces of the two messages.
constexpr std::string_view kCannotFindDll =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
    "DLL"
    "\xBF\xE2\xCE\xC4\xBC\xFE";
constexpr std::string_view kInside = "\xD6\xD0\xB5\xC4";                           // 中的
constexpr std::string_view kExportedCommand = "\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE";  // 输出命令
constexpr std::string_view kOpenQuote = "\xA1\xB0";                                // “
constexpr std::string_view kCloseQuote = "\xA1\xB1";                               // ”

std::string Quoted(std::string_view text) {
  std::string out{kOpenQuote};
  out += text;
  out += kCloseQuote;
  return out;
}

}  // namespace

std::string MissingExportMessage(std::string_view dll, std::string_view function) {
  return std::string{kCannotFindDll} + Quoted(dll) + std::string{kInside} + std::string{kExportedCommand} +
         Quoted(function);
}

std::string MissingSystemExportMessage(std::string_view function) {
  return std::string{kCannotFindDll} + std::string{kInside} + std::string{kExportedCommand} +
         Quoted(function);
}

}  // namespace sw
