// Round trips of every format with hostile texts, and damaged lines named by
// their number.

#include <gtest/gtest.h>

#include "births/exchange.h"
#include "births/text_records.h"

namespace orbisca::births {
namespace {

std::vector<SavedBirth> HostileBirths() {
  const char* names[] = {
      "He said \"hi\", then left", "Tab\there", "Ünïcödé 日本語 Ελληνικά עברית", "  spaces at the ends  ",
      "*", "Smith, John", "Smith,John, Jr.", "#A93:not a chunk", "new\nline", "back\\slash;semi", "",
  };
  std::vector<SavedBirth> births;
  std::int64_t id = 1;
  for (const char* name : names) {
    SavedBirth s;
    s.id = id++;
    Birth& b = s.birth;
    b.name = name;
    b.year = 1901 + static_cast<int>(id) * 7;
    b.month = 1 + static_cast<int>(id % 12);
    b.day = 28;
    b.hour = 23;
    b.minute = 59;
    b.second = static_cast<int>(id * 5 % 60);
    b.dst = id % 2 == 0;
    b.lonDegrees = 179, b.lonMinutes = 59, b.east = id % 3 == 0;
    b.latDegrees = 89, b.latMinutes = 1, b.south = id % 2 == 1;
    // A row with an abbreviation of its own, a row whose abbreviation two
    // rows share (NST), an exact offset with and without an IANA name.
    switch (id % 4) {
      case 0: b.zone = ZoneRow{29}; break;
      case 1: b.zone = ZoneRow{52}; break;
      case 2: b.zone = ZoneOffset{345, "Asia/Kathmandu"}; break;
      case 3: b.zone = ZoneOffset{-211, ""}; break;
    }
    if (id % 2) b.place = BirthPlace{1283240, std::string("Kathmandu, Bagmati, NP ") + name};
    s.kind = static_cast<Kind>(id % 4);
    s.note = std::string("first line, \"quoted\"\n#second line\n\n  indented ") + name;
    s.source = std::string("Source: ") + name;
    if (id % 3) s.tags = {"family", "日本", std::string("tag \"") + std::to_string(id) + "\""};
    births.push_back(std::move(s));
  }
  return births;
}

// The fields that differ, as "key: got | wanted" lines.
std::string Differences(const SavedBirth& got, const SavedBirth& wanted) {
  const Cells a = CellsOf(got), b = CellsOf(wanted);
  std::string text;
  for (const FieldInfo& info : kFields) {
    if (a[Index(info.field)] != b[Index(info.field)]) {
      text += std::string(info.key) + ": " + *a[Index(info.field)] + " | " + *b[Index(info.field)] + "\n";
    }
  }
  return text;
}

TEST(Records, EveryFormatGivesBackHostileBirthsFieldByField) {
  const std::vector<SavedBirth> births = HostileBirths();
  for (FileFormat format : {FileFormat::Aaf, FileFormat::Csv, FileFormat::Jsonl}) {
    SCOPED_TRACE(static_cast<int>(format));
    const std::string text = ExportText(births, format);
    const ParsedBirths back = ParseBirths(text, format);
    ASSERT_TRUE(back.problems.empty()) << back.problems.front() << "\n" << text;
    ASSERT_EQ(back.births.size(), births.size());
    for (std::size_t i = 0; i < births.size(); ++i) {
      EXPECT_EQ(Differences(back.births[i], births[i]), "");
    }
  }
}

TEST(Records, CsvKeepsTheBatchColumnsFirstAndReadable) {
  SavedBirth s;
  s.birth.name = "Ada";
  s.birth.year = 1976, s.birth.month = 7, s.birth.day = 4, s.birth.hour = 10, s.birth.minute = 15;
  s.birth.zone = ZoneRow{27};
  s.birth.dst = true;
  s.birth.lonDegrees = 74, s.birth.east = false, s.birth.latDegrees = 40, s.birth.latMinutes = 42;
  const std::string csv = ExportText({s}, FileFormat::Csv);
  EXPECT_TRUE(csv.starts_with("id,name,date,time,zone,dst,lon,lat,")) << csv;
  EXPECT_NE(csv.find("\n0,Ada,1976-07-04,10:15,EST,true,74:00W,40:42N,"), std::string::npos) << csv;
}

TEST(Records, DamagedLinesAreNamedByTheirNumber) {
  const std::string header = "name,date,time,zone,dst,lon,lat,note\n";
  const std::string good = "A,1970-01-01,12:00,GMT,false,0:00E,0:00N,\n";
  const struct {
    FileFormat format;
    std::string text;
    const char* problem;
  } cases[] = {
      // A note over two lines comes before the damaged row on line 4.
      {FileFormat::Csv, header + "B,1970-01-01,12:00,GMT,false,0:00E,0:00N,\"two\nlines\"\n" + "C,1970-02-30,12:00,GMT,false,0:00E,0:00N,\n",
       "line 4: date expects a calendar date"},
      {FileFormat::Csv, header + good + "\"unended,1970-01-01\n", "line 3: a quoted field that never ends"},
      {FileFormat::Csv, header + good + good + "D,1970-01-01,12:00,GMT,false,0:00E\n", "line 4: the row has 6 fields"},
      {FileFormat::Csv, header + good + "E,1970-01-01,12:00,XYZ,false,0:00E,0:00N,\n", "line 3: zone expects"},
      {FileFormat::Csv, header + good + "F,1970-01-01,12:00,NST,false,0:00E,0:00N,\n", "line 3: zone: the abbreviation names several rows"},
      {FileFormat::Csv, header + "\xff\xfe,1970-01-01,12:00,GMT,false,0:00E,0:00N,\n", "line 2: the name is not UTF-8 text"},
      {FileFormat::Csv, "name,date,time,zone,dst,lon,lat,place\n" + good, "line 1: the header names an unknown column \"place\""},
      {FileFormat::Csv, "name,date,time,zone,lon,lat\n", "line 1: the header has no \"dst\" column"},
      {FileFormat::Jsonl,
       "{\"date\":\"1970-01-01\",\"time\":\"12:00\",\"zone\":\"0\",\"dst\":false,\"lon\":\"0:00E\",\"lat\":\"0:00N\"}\n\n"
       "{\"date\":\"1970-01-01\",\"time\":\"12:00\",\"zone\":\"0\",\"dst\":false,\"lon\":\"0:00E\"}\n",
       "line 3: the record has no \"lat\""},
      {FileFormat::Jsonl, "{\"name\":\"x\",\"name\":\"y\"}\n", "line 1: the key \"name\" is given twice"},
      {FileFormat::Jsonl, "{\"name\":\"\\ud800\"}\n", "line 1: the value of \"name\" is not a valid JSON string"},
      {FileFormat::Jsonl, "[1]\n", "line 1: a record is a JSON object"},
  };
  for (const auto& c : cases) {
    const ParsedBirths parsed = ParseBirths(c.text, c.format);
    ASSERT_FALSE(parsed.problems.empty()) << c.problem;
    EXPECT_TRUE(parsed.problems.back().starts_with(c.problem)) << parsed.problems.back();
  }
}

TEST(Records, AafInWindows1252IsReadAsSuch) {
  const ParsedBirths parsed = ParseBirths(
      "#A93:M\xfcller,J\xfcrgen,m,1.1.1950,12:00,K\xf6ln,D\n#B93:*,50n56,6e57,1he00,0\n#COM:\x80 5 \x96 cash\n",
      FileFormat::Aaf);
  ASSERT_EQ(parsed.births.size(), 1u);
  EXPECT_EQ(parsed.births[0].birth.name, "Müller, Jürgen");
  EXPECT_EQ(parsed.births[0].birth.place->text, "Köln, D");
  EXPECT_EQ(parsed.births[0].note, "€ 5 – cash");
  EXPECT_EQ(parsed.notes, (std::vector<std::string>{"the file is not UTF-8; it was read as Windows-1252"}));
  EXPECT_TRUE(ParseBirths("#A93:Müller,*,m,1.1.1950,12:00,*,*\n#B93:*,50n56,6e57,1he00,0\n", FileFormat::Aaf)
                  .notes.empty());
}

}  // namespace
}  // namespace orbisca::births
