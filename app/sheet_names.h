// The names the settings window's 纸张 list offers, in the sheet table's order (row 0: the whole page).
#pragma once

#include <span>
#include <string_view>

namespace sw::app {

std::span<const std::string_view> SheetNames();  // GBK

}  // namespace sw::app
