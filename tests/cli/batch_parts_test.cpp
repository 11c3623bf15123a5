// The batch mode's readers and writers on their own: the CSV reader against
// the rules of RFC 4180, and the JSON writer against nlohmann-json's dump.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/chart_json.h"

namespace orbisca::cli {
namespace {

struct ExpectedRecord {
  std::size_t line;
  std::vector<std::string> fields;
  std::string error;  // empty: a good record
};

struct CsvCase {
  const char* what;
  std::string text;
  std::vector<ExpectedRecord> records;
};

TEST(CsvReader, ReadsRecordsByTheRules) {
  const std::string notClosed = "a quoted field is not closed";
  const std::string junk = "a quoted field must end at a comma or at the end of the line";
  const std::vector<CsvCase> cases = {
      {"plain fields", "a,b,c\n1,2,3\n", {{1, {"a", "b", "c"}, ""}, {2, {"1", "2", "3"}, ""}}},
      {"empty fields", ",x,\n", {{1, {"", "x", ""}, ""}}},
      {"an embedded comma", "\"Doe, Jane\",2\n", {{1, {"Doe, Jane", "2"}, ""}}},
      {"doubled quotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{1, {"say \"hi\"", "\""}, ""}}},
      {"an embedded line break moves the next record's line",
       "\"two\nlines\",1\nnext,2\n",
       {{1, {"two\nlines", "1"}, ""}, {3, {"next", "2"}, ""}}},
      {"CR LF line ends", "a,\"b\"\r\nc,d\r\n", {{1, {"a", "b"}, ""}, {2, {"c", "d"}, ""}}},
      {"blank lines hold no record", "a\n\n\r\nb\n", {{1, {"a"}, ""}, {4, {"b"}, ""}}},
      {"the last line without its break", "a,b\nc,d", {{1, {"a", "b"}, ""}, {2, {"c", "d"}, ""}}},
      {"a quote inside an unquoted field is kept", "ab\"c,d\n", {{1, {"ab\"c", "d"}, ""}}},
      {"text after a closing quote", "\"a\"b,c\nd,e\n", {{1, {}, junk}, {2, {"d", "e"}, ""}}},
      {"a quote never closed", "x,1\n\"open,2\n3\n", {{1, {"x", "1"}, ""}, {2, {}, notClosed}}},
  };
  for (const CsvCase& c : cases) {
    CsvReader reader(c.text);
    CsvRecord record;
    std::size_t n = 0;
    while (reader.Next(record)) {
      ASSERT_LT(n, c.records.size()) << c.what;
      const ExpectedRecord& want = c.records[n++];
      EXPECT_EQ(record.line, want.line) << c.what;
      EXPECT_EQ(record.error, want.error) << c.what;
      if (want.error.empty()) {
        EXPECT_EQ(record.fields, want.fields) << c.what;
      }
    }
    EXPECT_EQ(n, c.records.size()) << c.what;
  }
}

TEST(CsvReader, WholeRecordsEndOutsideQuotes) {
  const struct {
    std::string text;
    std::size_t length;
  } cases[] = {
      {"", 0},
      {"a,b", 0},
      {"a,b\nc", 4},
      {"a,\"b\nc\",d\ne", 10},
      {"a,\"b\nc", 0},
      {"\"\"\"\"\n", 5},
  };
  for (const auto& c : cases) EXPECT_EQ(WholeRecordsLength(c.text), c.length) << c.text;
}

// A name or a place with invalid UTF-8 is written, not thrown on: each bad
// byte becomes U+FFFD, as the library's replace handler does.
TEST(JsonTextOf, InvalidUtf8BecomesReplacementCharacters) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"ok \xE2\x82\xAC", "ok \xE2\x82\xAC"},
      {"cut \xE2\x82", "cut \xEF\xBF\xBD"},
      {"lone \xFF", "lone \xEF\xBF\xBD"},
      {"quote \" and \x01", "quote \\\" and \\u0001"},
  };
  for (const auto& c : cases) {
    Json object;
    object["name"] = c.in;
    const std::string text = JsonTextOf(object);
    EXPECT_EQ(text, "{\"name\":\"" + c.out + "\"}") << c.in;
    EXPECT_TRUE(nlohmann::json::accept(text)) << c.in;
  }
}

}  // namespace
}  // namespace orbisca::cli
