// UTF-8 (the layout sources) to GBK (the program's texts), on the build machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw::tools {

// None when the text is not valid UTF-8 or holds a character that GBK cannot encode.
std::optional<std::string> GbkFromUtf8(std::string_view utf8);

}  // namespace sw::tools
