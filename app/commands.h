// The parts of the commands that are plain text rules: what counts as no content, the saved file's path,
// the save command's outcome message and the word on characters the bars leave out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sw::app {

// The box shows the cue text when the user left it empty; an empty text is no content either.
bool IsEmptyContent(std::string_view box_text);

// The saved file's path: the program folder, then "\Bar_Code_" + content + ".bmp". The part after the
// folder is also given alone, for a folder that is kept wide because GBK may not spell its name.
std::string SavedFilePath(std::string_view program_directory, std::string_view content);
std::string SavedPathAfterFolder(std::string_view content);

// What a generate says about the characters of `content` the bars leave out (up to kLeftOutShown of them,
// in order): empty when they carry it all.
inline constexpr std::size_t kLeftOutShown = 40;
std::string LeftOutMessage(std::string_view content);

// The success message: the full path after its start, the thanks on a second line.
std::string SavedMessage(std::string_view path);
// A run's save cancelled after `saved` of `total` files, all of them whole, in `folder`.
std::string CancelledSaveMessage(std::size_t saved, std::size_t total, std::string_view folder);
// The question before a run's files replace `count` files already in the folder.
std::string ReplaceQuestion(std::size_t count);

}  // namespace sw::app
