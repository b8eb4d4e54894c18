// The layout sources compile into exactly the embedded table, and a mistake in a source is a clear error.
#include "tools/layout_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "tests/support/case_table.h"
#include "tools/gbk_text.h"
#include "ui/description/window_description.h"
#include "ui/description/window_description_writer.h"

namespace sw::resources {
extern const std::span<const unsigned char> kWindowDescriptions;
}

namespace sw {
namespace {

TEST(LayoutSource, SourcesReadBackFromTheEmbeddedTableExactly) {
  const tools::LayoutLoad load = tools::LoadLayout(SW_LAYOUT_PROJECT);
  ASSERT_TRUE(load.ok()) << load.message();
  const DescriptionRead embedded = ReadDescriptionTable(resources::kWindowDescriptions);
  ASSERT_TRUE(embedded.ok()) << embedded.message();
  DescriptionTable expected = load.value().table;
  ASSERT_EQ(expected.windows.size(), embedded.value().windows.size());
  for (std::size_t i = 0; i < expected.windows.size(); ++i) {
    expected.windows[i].check_value = embedded.value().windows[i].check_value;
  }
  EXPECT_EQ(embedded.value(), expected);
  // And the bytes are what the writer makes of the sources today: the embedded table is not stale.
  const DescriptionWrite written = WriteDescriptionTable(load.value().table);
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_TRUE(std::equal(written.value().begin(), written.value().end(),
                         resources::kWindowDescriptions.begin(), resources::kWindowDescriptions.end()));
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
  tools::LayoutLoad Load(const std::string& window_json) {
    Write("project.json", R"({ "handlers": ["Go"], "windows": ["w.json"] })");
    Write("w.json", window_json);
    return tools::LoadLayout(dir_ / "project.json");
  }
  std::filesystem::path dir_;
};

TEST_F(SourceErrors, NameTheFileTheUnitAndTheMistake) {
  using enum tools::LayoutError;
  const std::string head = R"({ "window": "W", "position": [0, 0], "size": [10, 10], )";
  struct Row {
    std::string units;
    tools::LayoutError code;
    const char* reason;
  };
  const Row rows[] = {
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "colour": "#FFFFFF" }])",
       kUnknownKey, "a key the unit type does not have"},
      {R"([{ "unit": "A", "type": "Slider", "position": [0, 0], "size": [1, 1] }])", kUnknownUnitType,
       "no such unit type"},
      {R"([{ "unit": "A", "type": "PicBtn", "position": [0, 0], "size": [1, 1], "events": { "clicked": "Stop" } }])",
       kUnknownHandler, "a handler the project does not list"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "events": { "clicked": "Go" } }])",
       kUnknownEvent, "an event the unit type does not raise"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "background": "teal" }])",
       kBadValue, "a colour that is not #RRGGBB"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "parent": "B" }])",
       kBadParent, "a parent that is not a unit of the window"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1], "image": "missing.png" }])",
       kUnreadableFile, "a picture file that is not there"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [-1, 1] }])", kBadValue,
       "negative size"},
      {R"([{ "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1] },
           { "unit": "A", "type": "PicBox", "position": [0, 0], "size": [1, 1] }])",
       kDuplicateName, "code name used twice"},
      {R"([{ "unit": "A", "type": "TransLabel", "position": [0, 0], "size": [1, 1], "text": "\ud83d\ude00" }])",
       kBadText, "a character GBK cannot hold"},
      {R"([{ "unit": "A", "type": "EditBox", "position": [0, 0], "size": [1, 1],
             "font": { "face": "abcdefghijklmnopqrstuvwxyzabcdefgh" } }])",
       kBadText, "a font face longer than 31 GBK bytes"},
      {R"([{ "unit": "A", "type": "PicBox", "size": [1, 1] }])", kMissingKey, "no position"},
      {R"([{ "unit": "2A", "type": "PicBox", "position": [0, 0], "size": [1, 1] }])", kBadValue,
       "a code name that is not an identifier"},
  };
  testing::ForEachRow(rows, [&](const Row& row) {
    const tools::LayoutLoad load = Load(head + "\"units\": " + row.units + " }");
    ASSERT_FALSE(load.ok());
    EXPECT_EQ(load.code(), row.code) << load.message();
  });
  // A message says where the mistake is, file and unit, before what it is.
  EXPECT_EQ(Load(head + "\"units\": " + rows[0].units + " }").message(),
            "w.json A: a PicBox has no key \"colour\"");
  const tools::LayoutLoad syntax = Load("{ not json");
  EXPECT_EQ(syntax.code(), kSyntax);
  EXPECT_NE(syntax.message().find("w.json"), std::string::npos) << "a syntax error names its file";
}

TEST_F(SourceErrors, ParentsBecomeIdsAndContainersListTheirChildren) {
  const tools::LayoutLoad load = Load(R"({ "window": "W", "position": [0, 0], "size": [10, 10],
    "events": { "created": "Go" },
    "units": [
      { "unit": "Inner", "type": "PicBox", "position": [1, 1], "size": [2, 2], "parent": "Outer" },
      { "unit": "Outer", "type": "PicBox", "position": [0, 0], "size": [5, 5] }
    ] })");
  ASSERT_TRUE(load.ok()) << load.message();
  const WindowDescription& window = load.value().table.windows.at(0);
  ASSERT_EQ(window.units.size(), 3u);
  EXPECT_EQ(window.units[1].parent, window.units[2].id);
  EXPECT_EQ(window.units[2].children, std::vector<std::uint32_t>{window.units[1].id});
  EXPECT_EQ(window.units[0].events, (std::vector<EventBinding>{{0, 1}})) << "handler Go is reference 1";
  EXPECT_NE(tools::LayoutIdsHeader(load.value(), "project.json")
                .find("static constexpr uint32_t kInner = 0x16000002;"),
            std::string::npos);
}

}  // namespace
}  // namespace sw
