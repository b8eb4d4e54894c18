#include "app/commands.h"

#include "app/app_texts.h"
#include "encode/carried_text.h"

namespace sw::app {

bool IsEmptyContent(std::string_view box_text) { return box_text.empty() || box_text == kCueText; }

std::string SavedFilePath(std::string_view program_directory, std::string_view content) {
  return std::string(program_directory) + SavedPathAfterFolder(content);
}

std::string SavedPathAfterFolder(std::string_view content) {
  std::string path(kSavedNameStart);
  path += content;
  path += kSavedNameEnd;
  return path;
}

std::string LeftOutMessage(std::string_view content) {
  const code128::CarriedText split = code128::SplitCarried(content);
  if (split.left_out.empty()) return {};
  std::string message(kLeftOutMessageStart);
  for (std::size_t i = 0; i < split.left_out.size() && i < kLeftOutShown; ++i) message += split.left_out[i];
  if (split.left_out.size() > kLeftOutShown) message += kListCutShort;
  return message;
}

std::string SavedMessage(std::string_view path) {
  std::string message(kSavedMessageStart);
  message += path;
  message += kSavedMessageEnd;
  return message;
}

std::string CancelledSaveMessage(std::size_t saved, std::size_t total, std::string_view folder) {
  std::string message(kCancelledSaveStart);
  message += std::to_string(saved);
  message += kCancelledSaveOf;
  message += std::to_string(total);
  message += kCancelledSaveTo;
  message += folder;
  return message;
}

std::string ReplaceQuestion(std::size_t count) {
  std::string message(kReplaceQuestionStart);
  message += std::to_string(count);
  message += kReplaceQuestionEnd;
  return message;
}

}  // namespace sw::app
