// The layout sources compile into exactly the embedded table, and a mistake in a source is a clear error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "tests/support/case_table.h"
#include "tools/gbk_text.h"
#include "tools/layout_source.h"
#include "ui/description/window_description.h"
#include "ui/description/window_description_writer.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw {
namespace {

TEST(LayoutSource, SourcesReadBackFromTheEmbeddedTableExactly) {
  const tools::LayoutLoad load = tools::LoadLayout(SW_LAYOUT_PROJECT);
  ASSERT_TRUE(load.ok()) << load.error;
  const DescriptionRead embedded = ReadDescriptionTable(resources::kWindowDescriptions);
  ASSERT_TRUE(embedded.ok()) << embedded.message();
  DescriptionTable expected = load.layout.table;
  ASSERT_EQ(expected.windows.size(), embedded.value().windows.size());
  for (std::size_t i = 0; i < expected.windows.size(); ++i) {
    expected.windows[i].check_value = embedded.value().windows[i].check_value;
  }
  EXPECT_EQ(embedded.value(), expected);
  // And the bytes are what the writer makes of the sources today: the embedded table is not stale.
  const DescriptionWrite written = WriteDescriptionTable(load.layout.table);
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_TRUE(std::equal(written.value().begin(), written.value().end(), resources::kWindowDescriptions.begin(),
                         resources::kWindowDescriptions.end()));
}

TEST(LayoutSource, TextsBecomeGbkBytes) {
  struct Row {
    const char* utf8;
    std::optional<std::string> gbk;
    const char* reason;
  };
  const Row rows[] = {
      {"Tips", "Tips", "ASCII stays"},
      {"\xE6\x9D\xA1\xE7\xA0\x81", "\xCC\xF5\xC2\xEB", "two characters, two bytes each"},
      {"\xEF\xBC\x8C", "\xA3\xAC", "full-width comma"},
      {"\xF0\x9F\x98\x80", std::nullopt, "an emoji has no GBK form"},
      {"\xE6\x9D", std::nullopt, "cut UTF-8"},
  };
  testing::ForEachRow(rows, [](const Row& row) { EXPECT_EQ(tools::GbkFromUtf8(row.utf8), row.gbk); });
}

class SourceErrors : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("sw-layout-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  std::string LoadError(const std::string& window_json) {
    Write("project.json", R"({ "handlers": ["Go"], "windows": ["w.json"] })");
    Write("w.json", window_json);
    return tools::LoadLayout(dir_ / "project.json").error;
  }
  std::filesystem::path dir_;
};

TEST_F(SourceErrors, NameTheFileTheUnitAndTheMistake) {
  const std::string head = R"({ "window": "W", "position": [0, 0], "size": [10, 10], )";
  struct Row {
    std::string units;
    const char* message;
  };
  const Row rows[] = {
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "colour": "#FFFFFF" }])",
       "w.json A: a PicBox has no key \"colour\""},
      {R"([{ "unit": "A", "type": "Slider", "position": [0, 0], "size": [1, 1] }])", "unknown unit type \"Slider\""},
      {R"([{ "unit": "A", "type": "PicBtn", "position": [0, 0], "size": [1, 1], "events": { "clicked": "Stop" } }])",
       "names a handler that the project does not list"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "events": { "clicked": "Go" } }])",
       "a PicBox has no event \"clicked\""},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "background": "teal" }])",
       "\"teal\" is not #RRGGBB"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "parent": "B" }])",
       "parent \"B\" is not another unit of this window"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "image": "missing.png" }])",
       "cannot read"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [-1, 1] }])", "negative size"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1] },
           { "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1] }])",
       "code name used twice"},
      {R"([{ "unit": "A", "type": "TransLabel", "position": [0, 0], "size": [1, 1], "text": "\ud83d\ude00" }])",
       "GBK cannot hold"},
      {R"([{ "unit": "A", "type": "EditBox", "position": [0, 0], "size": [1, 1],
             "font": { "face": "abcdefghijklmnopqrstuvwxyzabcdefgh" } }])",
       "longer than 31 GBK bytes"},
      {R"([{ "unit": "A", "type": "PicBox", "size": [1, 1] }])", "\"position\" is missing"},
      {R"([{ "unit": "2A", "type": "PicBox", "position": [0, 0], "size": [1, 1] }])", "is not an identifier"},
  };
  for (const Row& row : rows) {
    const std::string error = LoadError(head + "\"units\": " + row.units + " }");
    EXPECT_NE(error.find(row.message), std::string::npos) << "got \"" << error << "\" for " << row.units;
  }
  EXPECT_NE(LoadError("{ not json").find("w.json"), std::string::npos) << "a syntax error names its file";
}

TEST_F(SourceErrors, ParentsBecomeIdsAndContainersListTheirChildren) {
  const std::string error = LoadError(R"({ "window": "W", "position": [0, 0], "size": [10, 10],
    "events": { "created": "Go" },
    "units": [
      { "unit": "Inner", "type": "PicBox", "position": [1, 1], "size": [2, 2], "parent": "Outer" },
      { "unit": "Outer", "type": "PicBox", "position": [0, 0], "size": [5, 5] }
    ] })");
  ASSERT_EQ(error, "");
  const tools::LayoutLoad load = tools::LoadLayout(dir_ / "project.json");
  const WindowDescription& window = load.layout.table.windows.at(0);
  ASSERT_EQ(window.units.size(), 3u);
  EXPECT_EQ(window.units[1].parent, window.units[2].id);
  EXPECT_EQ(window.units[2].children, std::vector<std::uint32_t>{window.units[1].id});
  EXPECT_EQ(window.units[0].events, (std::vector<EventBinding>{{0, 1}})) << "handler Go is reference 1";
  EXPECT_NE(tools::LayoutIdsHeader(load.layout, "project.json").find("static constexpr uint32_t kInner = 0x16000002;"),
            std::string::npos);
}

}  // namespace
}  // namespace sw
