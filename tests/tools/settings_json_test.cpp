// The JSON reader that import relies on: what it accepts, what it refuses, and that
// the writer's output reads back to the same values.
#include <gtest/gtest.h>

#include "json.h"

namespace kx::settings_tool {
namespace {

TEST(SettingsJsonTest, ReadsStringsAsUtf8) {
  const struct {
    const char* json;
    std::string expected;
  } cases[] = {
      {R"("plain")", "plain"},
      {R"("a\"b\\c\/d\n")", "a\"b\\c/d\n"},
      {R"("\uAE30\uBC00")", "기밀"},
      {R"("\uD83D\uDE00")", "\xF0\x9F\x98\x80"},
      {"\"기밀\"", "기밀"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    Json value;
    std::string error;
    ASSERT_TRUE(ParseJson(c.json, &value, &error)) << error;
    EXPECT_EQ(value.type(), Json::Type::kString);
    EXPECT_EQ(value.text(), c.expected);
  }
}

TEST(SettingsJsonTest, RefusesWhatIsNotOneValue) {
  const char* const cases[] = {
      "", "{", "[1,]", "{\"a\":1,}", "{\"a\" 1}", "{\"a\":1,\"a\":2}", "\"open", "\"\\x\"",
      "\"\\uD800\"", "\"\\uDC00x\"", "01x", "-", "1.", "1e", "tru", "[1] [2]", "\"tab\there\"",
      "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    Json value;
    std::string error;
    EXPECT_FALSE(ParseJson(text, &value, &error));
    EXPECT_NE(error.find("JSON error at byte"), std::string::npos);
  }
}

TEST(SettingsJsonTest, WrittenDocumentReadsBack) {
  Json document = Json::Object();
  document.Add("text", Json::String("q\"uote\\ \x01 line\nend 한글"));
  document.Add("number", Json::Number("-306"));
  Json& list = document.Add("list", Json::Array());
  list.Push(Json::Bool(true));
  list.Push(Json::Object());
  Json read;
  std::string error;
  ASSERT_TRUE(ParseJson(WriteJson(document), &read, &error)) << error;
  EXPECT_EQ(read.Find("text")->text(), document.Find("text")->text());
  EXPECT_EQ(read.Find("number")->text(), "-306");
  ASSERT_EQ(read.Find("list")->items().size(), 2u);
  EXPECT_TRUE(read.Find("list")->items()[0].boolean());
  EXPECT_EQ(read.Find("list")->items()[1].type(), Json::Type::kObject);
}

}  // namespace
}  // namespace kx::settings_tool
