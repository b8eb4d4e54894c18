#include "app/sheet_names.h"

#include <vector>

#include "render/label_sheet.h"

namespace sw::app {

std::span<const std::string_view> SheetNames() {
  static const std::vector<std::string_view> names = sw::SheetNames();
  return names;
}

}  // namespace sw::app
