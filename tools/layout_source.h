// The readable layout sources (JSON, UTF-8) turned into a description table, with the code names of
// windows, units and handlers that the program refers to.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/description/window_description.h"

namespace sw::tools {

struct NamedUnit {
  std::string code_name;
  std::uint32_t id = 0;
};

struct NamedWindow {
  std::string code_name;
  std::uint32_t window_id = 0;
  std::uint32_t window_unit_id = 0;
  std::vector<NamedUnit> units;  // in description order, the window's own unit left out
};

struct Layout {
  DescriptionTable table;
  std::vector<std::string> handlers;  // a binding's handler reference is its index here + 1
  std::vector<NamedWindow> names;     // one per description, same order
  std::vector<std::filesystem::path> inputs;  // every file read, for the build's dependency list
};

struct LayoutLoad {
  Layout layout;
  std::string error;  // names the file and the unit
  bool ok() const { return error.empty(); }
};

// `project` lists the handlers and the window sources in stored order; paths are relative to it.
LayoutLoad LoadLayout(const std::filesystem::path& project);

// A C++ header with the ids of windows and units and the handler references, under sw::layout.
std::string LayoutIdsHeader(const Layout& layout, const std::string& source_name);

}  // namespace sw::tools
