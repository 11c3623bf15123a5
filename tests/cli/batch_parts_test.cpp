// The batch mode's readers and writers on their own: the CSV reader against
// the rules of RFC 4180, and the JSON writer against nlohmann-json's dump.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "cli/csv_reader.h"
#include "aspects/aspect_kind.h"
#include "astro/body.h"
#include "astro/civil_day.h"
#include "astro/dasha.h"
#include "astro/nodes.h"
#include "astro/panchanga.h"
#include "astro/zodiac.h"
#include "cli/json_writer.h"
#include "cli/input_pieces.h"
#include "tests/cli/record_rows.h"

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

using testing_cli::AppendCsvRows;
using testing_cli::AppendJsonLines;
using testing_cli::Rows;

// The rows of `text` fed to a splitter `step` bytes at a time and read piece
// by piece, as the batch reads them (or as its header is read: taking the
// whole records kept so far).
Rows SplitRows(RecordGrammar grammar, std::string_view text, std::size_t step, std::size_t pieceBytes,
               std::size_t limit = kRecordLimit, bool records = false) {
  RecordSplitter splitter(grammar, pieceBytes, limit);
  Rows rows;
  InputPiece piece;
  const auto take = [&] {
    while (records ? splitter.TakeRecords(piece) : splitter.Take(piece)) {
      testing_cli::AppendPieceRows(grammar, piece, rows);
    }
  };
  for (std::size_t at = 0; at < text.size(); at += step) {
    splitter.Add(text.substr(at, step));
    take();
  }
  splitter.End();
  take();
  return rows;
}

// Whatever the read size and the piece size, the pieces give the rows of
// one read of the whole text: a quote inside an unquoted field ("O"Neil",
// 5") is an ordinary character to the cutter as it is to the reader.
TEST(RecordSplitter, PiecesGiveTheRowsOfTheWholeText) {
  const std::string multiLine = "\"Two\nlines\",x\n";
  const struct {
    const char* what;
    RecordGrammar grammar;
    std::string text;
  } cases[] = {
      {"stray quotes, then quoted line breaks", RecordGrammar::Csv,
       "name,h\nO\"Neil,5\"\n" + multiLine + multiLine + "a,\"b\nc\"\n" + multiLine},
      {"a doubled quote across the cut", RecordGrammar::Csv, "\"a\"\"\nb\",1\n\"\"\"\",2\nc,3"},
      {"text after a closing quote skips its line", RecordGrammar::Csv, "\"a\"b\"c\n\"d\ne\",f\nx\n"},
      {"a CR after a closing quote", RecordGrammar::Csv, "\"a\"\r\nb\n\"c\"\rd\"\ne\n\"f\"\r"},
      {"blank lines, CR LF", RecordGrammar::Csv, "\n\r\n\ra\r\n\n\"\n\"\r\n"},
      {"a quote never closed", RecordGrammar::Csv, "a\n\"b\nc,d\ne\n"},
      {"a byte-order mark before a quoted header", RecordGrammar::Csv, "\xEF\xBB\xBF\"a\nb\",c\n1,2\n"},
      {"JSON Lines, blank and spaced lines", RecordGrammar::Lines, "\n {\"a\":\"\\n\"}\t\r\n\r\n \n{\"b\":1}"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rows whole;
    const bool bom = c.grammar == RecordGrammar::Csv && c.text.starts_with("\xEF\xBB\xBF");
    if (c.grammar == RecordGrammar::Csv) {
      AppendCsvRows(std::string_view(c.text).substr(bom ? 3 : 0), 1, whole);
    } else {
      AppendJsonLines(c.text, 1, whole);
    }
    for (std::size_t step = 1; step <= c.text.size(); ++step) {
      for (std::size_t piece : {std::size_t{1}, std::size_t{7}, c.text.size() + 1}) {
        ASSERT_EQ(SplitRows(c.grammar, c.text, step, piece), whole) << "step " << step << ", piece " << piece;
      }
      ASSERT_EQ(SplitRows(c.grammar, c.text, step, 7, kRecordLimit, true), whole) << "step " << step;
    }
  }
}

// A record longer than the limit is one refused row on its own line; the
// rows around it are kept, and their lines stay right.
TEST(RecordSplitter, ARecordPastTheLimitIsRefusedOnItsLine) {
  const std::string tooLong(kRecordTooLong);
  const struct {
    const char* what;
    RecordGrammar grammar;
    std::string text;
    Rows rows;
  } cases[] = {
      {"a long unquoted line", RecordGrammar::Csv, "a,b\n0123456789abcdef\nc\n", {"1:|a|b", "2:" + tooLong, "3:|c"}},
      {"a long quoted field over lines", RecordGrammar::Csv, "a\n\"0123\n4567\n89abcdef\",x\nc\n",
       {"1:|a", "2:" + tooLong, "5:|c"}},
      {"a long record at the end, no line break", RecordGrammar::Csv, "a\n0123456789abcdef", {"1:|a", "2:" + tooLong}},
      {"a quote never closed", RecordGrammar::Csv, "a\n\"b\nc,d\ne\nfghijklmnop\n", {"1:|a", "2:" + tooLong}},
      {"exactly the limit", RecordGrammar::Csv, "0123456789\nx", {"1:|0123456789", "2:|x"}},
      {"a long JSON line", RecordGrammar::Lines, "{}\n{\"a\":\"0123456789\"}\n{}", {"1:{}", "2:" + tooLong, "3:{}"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (std::size_t step : {std::size_t{1}, std::size_t{3}, c.text.size()}) {
      EXPECT_EQ(SplitRows(c.grammar, c.text, step, 4, 10), c.rows) << "step " << step;
    }
  }
}

// The writer's text against the library's dump of the same document, on one
// line and indented: containers empty and nested, every kind of value, and
// numbers whose shortest digits std::to_chars gives differently (the last
// digit of 2426728.0807511956, the 17th of 4.9488224057634556).
TEST(JsonWriter, WritesAsTheLibraryDumps) {
  const struct {
    const char* what;
    std::function<void(JsonWriter&)> write;
    nlohmann::ordered_json expected;
  } cases[] = {
      {"empty containers",
       [](JsonWriter& j) {
         j.BeginObject();
         j.Key("a");
         j.BeginArray();
         j.EndArray();
         j.Key("o");
         j.BeginObject();
         j.EndObject();
         j.EndObject();
       },
       {{"a", nlohmann::ordered_json::array()}, {"o", nlohmann::ordered_json::object()}}},
      {"every kind of value",
       [](JsonWriter& j) {
         j.BeginObject();
         j.Member("s", "Zoë \"Q\"");
         j.Member("i", -42);
         j.Member("u", 7ul);
         j.Member("b", false);
         j.Key("n");
         j.Null();
         j.Member("x", 365.25);
         j.EndObject();
       },
       {{"s", "Zoë \"Q\""}, {"i", -42}, {"u", 7u}, {"b", false}, {"n", nullptr}, {"x", 365.25}}},
      {"numbers at the formatter's edges",
       [](JsonWriter& j) {
         j.BeginArray();
         for (double v : {2426728.0807511956, 4.9488224057634556, 0.0, -0.0, 1e-5, 1e21, 123456789012345678.0, 0.1,
                          -23.532849305689314, std::numeric_limits<double>::quiet_NaN(), 1e300 * 1e300}) {
           j.Number(v);
         }
         j.EndArray();
       },
       {2426728.0807511956, 4.9488224057634556, 0.0, -0.0, 1e-5, 1e21, 123456789012345678.0, 0.1,
        -23.532849305689314, nullptr, nullptr}},
      {"nesting",
       [](JsonWriter& j) {
         j.BeginArray();
         j.BeginObject();
         j.Key("p");
         j.BeginArray();
         j.Number(1.5);
         j.BeginObject();
         j.Member("q", 2.25);
         j.EndObject();
         j.EndArray();
         j.EndObject();
         j.Integer(3);
         j.EndArray();
       },
       nlohmann::ordered_json::array({{{"p", {1.5, {{"q", 2.25}}}}}, 3})},
  };
  JsonWriter compact, indented(2);  // each used for every case: Finish starts over
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string one, two;
    c.write(compact);
    compact.Finish(one);
    c.write(indented);
    indented.Finish(two);
    EXPECT_EQ(one, c.expected.dump());
    EXPECT_EQ(two, c.expected.dump(2));
  }
}

// Random numbers and byte strings, hostile ones included (quotes, control
// bytes, non-Latin letters, broken, overlong and surrogate UTF-8), written as
// the library dumps them with its replace handler.
TEST(JsonWriter, RandomValuesMatchTheLibrary) {
  std::mt19937_64 random(20261208);
  const std::string alphabet[] = {"a", "\"", "\\", "\x01", "\x1f", "\n", "\t", "\x7f", "\xC3\xA9", "\xE2\x82\xAC",
                                  "\xF0\x9F\x98\x80", "\xE2\x82", "\xC3", "\x80", "\xFF", "\xC0\xAF", "\xED\xA0\x80",
                                  "\xF4\x90\x80\x80", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "/"};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(alphabet) - 1);
  std::uniform_real_distribution<double> degrees(-400.0, 2470000.0);
  JsonWriter writer;
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    for (std::size_t k = random() % 8; k > 0; --k) text += alphabet[piece(random)];
    const double number = degrees(random);
    writer.BeginArray();
    writer.String(text);
    writer.Number(number);
    writer.EndArray();
    std::string written;
    writer.Finish(written);
    const nlohmann::json expected = {text, number};
    ASSERT_EQ(written, expected.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)) << n;
  }
}

// The chart's JSON writes the names of the program's tables without
// scanning them for escapes: each must be one that escaping leaves as it is.
TEST(JsonWriter, TableNamesNeedNoEscape) {
  std::vector<std::string> names;
  for (int i = 1; i <= 12; ++i) names.push_back(SignName(i));
  for (int i = 1; i <= 27; ++i) names.emplace_back(NakshatraName(i));
  for (int i = 1; i <= 27; ++i) names.emplace_back(YogaName(i));
  for (int i = 1; i <= 30; ++i) names.emplace_back(TithiName(i));
  for (int i = 1; i <= 60; ++i) names.emplace_back(KaranaName(i));
  for (Paksha p : {Paksha::Shukla, Paksha::Krishna}) names.emplace_back(PakshaName(p));
  for (std::string_view n : kSlotNames) names.emplace_back(n);
  for (const auto& n : kNodes) names.emplace_back(n.name);
  for (const auto& d : kWeekdays) names.emplace_back(d.english);
  for (const auto& l : kVimshottariLords) names.emplace_back(l.name);
  for (const auto& k : kAspectKinds) names.emplace_back(k.caption);
  for (const std::string& name : names) {
    std::string escaped;
    AppendJsonEscaped(escaped, name);
    EXPECT_EQ(escaped, name);
    EXPECT_FALSE(name.empty());
  }
  EXPECT_EQ(names.size(), 12u + 27 + 27 + 30 + 60 + 2 + kSlotNames.size() + 2 + 7 + 9 + 7);
}

}  // namespace
}  // namespace orbisca::cli
