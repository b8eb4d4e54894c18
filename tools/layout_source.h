// The readable layout sources (JSON, UTF-8) turned into a description table, with the code names of
// windows, units and handlers that the program refers to.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
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
  std::vector<std::string> handlers;          // a binding's handler reference is its index here + 1
  std::vector<NamedWindow> names;             // one per description, same order
  std::vector<std::filesystem::path> inputs;  // every file read, for the build's dependency list
};

// Why the layout sources are refused; the message beside the code names the file and the unit.
enum class LayoutError {
  kUnreadableFile,   // a project, window or picture file that cannot be read
  kSyntax,           // a file that is not JSON
  kUnknownKey,       // a key the object does not have: a misspelling is refused, not defaulted
  kMissingKey,       // a key that must be there is not ("type", "handlers" and "windows" also when not a
                     // text or a list)
  kUnknownUnitType,  // a unit "type" that is none of the unit types
  kUnknownEvent,     // an event the unit's type does not raise
  kUnknownHandler,   // an event bound to a handler that the project does not list
  kBadValue,         // a value of the wrong kind or outside its range: a colour that is not #RRGGBB, a
                     // negative size, a code or handler name that is not an identifier
  kBadText,          // not UTF-8, a character GBK cannot hold, or a font face over 31 GBK bytes
  kDuplicateName,    // a unit, window or handler named twice, or a unit named as a generated id is
  kBadParent,        // a parent that is not another unit of the same window
};
using LayoutLoad = Result<Layout, LayoutError>;

// `project` lists the handlers and the window sources in stored order; paths are relative to it.
LayoutLoad LoadLayout(const std::filesystem::path& project);

// A C++ header with the ids of windows and units and the handler references, under sw::layout.
std::string LayoutIdsHeader(const Layout& layout, const std::string& source_name);

}  // namespace sw::tools
