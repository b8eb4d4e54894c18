// The program's folder, writing byte buffers to a file, and opening a web page. Texts are GBK; paths are
// wide as well, since a folder's name need not have a GBK spelling.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace sw {

// Start-up: remembers the folder and file name of the running program (read whole, however long) and
// makes that folder the current directory. Returns false when the module path cannot be read.
bool InitProgramDirectory();
// The folder that holds the program, without a trailing backslash; empty before InitProgramDirectory.
// The wide one names the folder whatever its name, followed by `then` (GBK, say "\name.bmp"); the GBK
// one is for messages, and shows letters that GBK does not have only approximately.
std::wstring WideProgramDirectory(std::string_view then = {});
std::string ProgramDirectory();
std::string ProgramFileName();

// Creates or wholly replaces the file with the buffers, in order. The bytes go to a temporary file in the
// same folder first, which replaces the target only once everything is written: on any failure the old
// file is untouched, no temporary file stays behind, and the result is false.
bool WriteBytesToFile(std::wstring_view path, std::initializer_list<std::span<const std::uint8_t>> buffers);
bool WriteBytesToFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> buffers);

// Opens the address with the shell; reports nothing, whether or not a browser opened. The first call on a
// thread gives it a single-threaded COM apartment (unless it has one), kept until EndShellServices; after
// that, each call holds one only while it runs.
void OpenWebPage(std::string_view url);
// Ends the apartment that OpenWebPage started on this thread, if it did; call it before the thread ends.
void EndShellServices();

// Tests put their own opener here so that no browser starts; returns the previous one.
using WebPageOpener = void (*)(std::string_view url);
WebPageOpener SetWebPageOpener(WebPageOpener opener);

}  // namespace sw
