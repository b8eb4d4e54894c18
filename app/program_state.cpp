#include "app/program_state.h"

#include "app/barcode_settings.h"

namespace sw::app {
namespace {

std::string tips_message;
std::string saved_path;
std::vector<std::uint8_t> full_size_barcode;
std::string generated_content;
std::wstring save_as_folder;
BarcodeSettings current_settings;

// Gives the text's memory back, not just its length.
void Release(std::string& text) {
  if (!text.empty() || text.capacity() > 0) std::string().swap(text);
}

}  // namespace

std::string& TipsMessage() { return tips_message; }
std::string& SavedPath() { return saved_path; }
std::vector<std::uint8_t>& FullSizeBarcode() { return full_size_barcode; }
std::string& GeneratedContent() { return generated_content; }
std::wstring& SaveAsFolder() { return save_as_folder; }
BarcodeSettings& CurrentSettings() { return current_settings; }

void ReleaseProgramTexts() {
  Release(tips_message);
  Release(saved_path);
  Release(generated_content);
  std::wstring().swap(save_as_folder);
  std::vector<std::uint8_t>().swap(full_size_barcode);
}

}  // namespace sw::app
