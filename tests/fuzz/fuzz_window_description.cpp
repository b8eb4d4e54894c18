// The description reader on any bytes: it refuses or accepts, never reads past the end; and whatever it
// accepts, the writer writes back into a table that reads back the same.
#include <cstdlib>

#include "ui/description/window_description.h"
#include "ui/description/window_description_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const sw::DescriptionRead read = sw::ReadDescriptionTable({data, size});
  if (!read.ok()) return 0;
  const sw::DescriptionWrite written = sw::WriteDescriptionTable(read.value());
  if (!written.ok()) std::abort();
  sw::DescriptionRead again = sw::ReadDescriptionTable(written.value());
  if (!again.ok() || again.value().windows.size() != read.value().windows.size()) std::abort();
  for (std::size_t i = 0; i < again.value().windows.size(); ++i) {
    again.value().windows[i].check_value = read.value().windows[i].check_value;  // the writer makes its own
  }
  if (!(again.value() == read.value())) std::abort();
  return 0;
}
