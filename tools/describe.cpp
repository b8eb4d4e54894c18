// describe <project.json> <table.bin> <layout_ids.h> [<depfile>]
// Compiles the layout sources into the binary description table that the program embeds, and writes the
// header of window, unit and handler ids. The table is read back and compared before anything is written.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/layout_source.h"
#include "ui/description/window_description.h"
#include "ui/description/window_description_writer.h"

namespace {

// Written only when different, so an unchanged layout does not rebuild its dependents.
bool WriteIfChanged(const std::string& path, const std::string& content) {
  std::ifstream old(path, std::ios::binary);
  if (old && std::string{std::istreambuf_iterator<char>(old), {}} == content) return true;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  return static_cast<bool>(file);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "describe: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: describe <project.json> <table.bin> <layout_ids.h> [<depfile>]\n");
    return 2;
  }
  const sw::tools::LayoutLoad load = sw::tools::LoadLayout(argv[1]);
  if (!load.ok()) return Fail(load.message());
  const sw::DescriptionWrite written = sw::WriteDescriptionTable(load.value().table);
  if (!written.ok()) return Fail(written.message());

  // The round trip: what the program will read must be exactly what the sources say.
  const sw::DescriptionRead read = sw::ReadDescriptionTable(written.value());
  if (!read.ok()) return Fail("the written table does not read back: " + read.message());
  sw::DescriptionTable expected = load.value().table;
  for (std::size_t i = 0; i < expected.windows.size(); ++i) {
    expected.windows[i].check_value = read.value().windows[i].check_value;
  }
  if (!(read.value() == expected)) return Fail("the written table reads back differently from the sources");

  const std::string table(written.value().begin(), written.value().end());
  if (!WriteIfChanged(argv[2], table)) return Fail(std::string("cannot write ") + argv[2]);
  const std::string source_name = std::filesystem::path(argv[1]).filename().string();
  if (!WriteIfChanged(argv[3], sw::tools::LayoutIdsHeader(load.value(), source_name))) {
    return Fail(std::string("cannot write ") + argv[3]);
  }
  if (argc == 5) {
    std::string depfile = std::string(argv[2]) + ":";
    for (const auto& input : load.value().inputs) depfile += " \\\n  " + input.string();
    depfile += "\n";
    if (!WriteIfChanged(argv[4], depfile)) return Fail(std::string("cannot write ") + argv[4]);
  }
  return 0;
}
