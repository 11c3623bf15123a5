// The library file: changes, bad files left alone, the upgrade from the
// first schema, two writers at once, and an import killed midway.

#include <gtest/gtest.h>

#include <algorithm>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <chrono>
#include <filesystem>
#include <functional>
#include <limits>
#include <fstream>
#include <set>
#include <thread>

#include "births/exchange.h"
#include "births/library.h"
#include "run/time_zones.h"

namespace orbisca::births {
namespace {

namespace fs = std::filesystem;

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("births_test_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }
  fs::path folder_;
};

SavedBirth Sample(const std::string& name) {
  SavedBirth s;
  s.birth.name = name;
  s.birth.year = 1970, s.birth.month = 9, s.birth.day = 27, s.birth.hour = 11, s.birth.minute = 4;
  s.birth.zone = ZoneOffset{345, "Asia/Kathmandu"};
  s.birth.place = BirthPlace{1283240, "Kathmandu, Bagmati, NP"};
  s.tags = {"family"};
  return s;
}

std::string Bytes(const std::string& path) {
  if (fs::is_directory(path)) return "(a folder)";
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LibraryPath, ExplicitThenXdgThenHome) {
  const struct {
    const char *library, *xdg, *home, *path;
  } cases[] = {
      {"/x/mine.sqlite", "/data", "/home/u", "/x/mine.sqlite"},
      {"", "/data", "/home/u", "/data/orbisca/births.sqlite"},
      {nullptr, "relative/ignored", "/home/u", "/home/u/.local/share/orbisca/births.sqlite"},
      {nullptr, nullptr, nullptr, ""},
  };
  const auto set = [](const char* name, const char* value) {
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  };
  const char* const names[] = {"ORBISCA_LIBRARY", "XDG_DATA_HOME", "HOME"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
  for (const auto& c : cases) {
    set("ORBISCA_LIBRARY", c.library);
    set("XDG_DATA_HOME", c.xdg);
    set("HOME", c.home);
    EXPECT_EQ(DefaultLibraryPath(), c.path);
  }
  for (std::size_t i = 0; i < std::size(names); ++i) set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
  EXPECT_THROW(Library("", Access::Write), LibraryError);
}

TEST_F(LibraryTest, SavesFindsReplacesListsAndRemoves) {
  const std::string path = PathOf("deep/folder/births.sqlite");
  Library library(path, Access::Write);
  SavedBirth ada = Sample("Ada Lovelace"), bob = Sample("Bob");
  library.Add(ada);
  library.Add(bob);
  EXPECT_NE(ada.id, bob.id);
  EXPECT_GT(ada.created, 0);
  ASSERT_TRUE(library.Find(ada.id));
  EXPECT_TRUE(library.Find(ada.id)->SameBirth(ada));
  ada.birth.zone = ZoneRow{34};
  ada.note = "edited";
  EXPECT_TRUE(library.Replace(ada));
  EXPECT_TRUE(library.Find(ada.id)->SameBirth(ada));
  EXPECT_EQ(library.List("LOVE").size(), 1u);
  EXPECT_EQ(library.List("bagmati").size(), 2u);
  EXPECT_EQ(library.List("edit").size(), 1u);
  ASSERT_EQ(library.Summaries("love").size(), 1u);
  EXPECT_EQ(library.Summaries("love")[0].place, "Kathmandu, Bagmati, NP");
  EXPECT_TRUE(library.Remove(bob.id));
  EXPECT_FALSE(library.Remove(bob.id));
  SavedBirth ghost = Sample("Ghost");
  ghost.id = 999;
  EXPECT_FALSE(library.Replace(ghost));
  ghost.birth.month = 13;
  EXPECT_THROW(library.Add(ghost), LibraryError);
  EXPECT_EQ(library.Count(), 1);
  // Another program sees the change at once.
  EXPECT_EQ(Library(path, Access::Read).List().size(), 1u);
}

// Every stored field comes back as it was at the ends of its range: the
// date and time share one column, and each coordinate keeps its hemisphere
// at zero.
TEST_F(LibraryTest, EveryFieldComesBackAtTheEndsOfItsRange) {
  Library library(PathOf("edges.sqlite"), Access::Write);
  const struct {
    int year, month, day, hour, minute, second;
    int lonDegrees, lonMinutes;
    bool east;
    int latDegrees, latMinutes;
    bool south;
    BirthZone zone;
  } cases[] = {
      {1, 1, 1, 0, 0, 0, 0, 0, false, 0, 0, true, ZoneRow{0}},
      {9999, 12, 31, 23, 59, 59, 180, 0, false, 90, 0, true, ZoneRow{kTimeZoneCount - 1}},
      {2000, 2, 29, 12, 30, 1, 179, 59, true, 89, 59, false, ZoneOffset{-840, ""}},
      {1901, 10, 9, 9, 9, 9, 0, 1, true, 0, 1, false, ZoneOffset{840, "Pacific/Kiritimati"}},
  };
  for (const auto& c : cases) {
    SavedBirth s = Sample("Edge");
    Birth& b = s.birth;
    std::tie(b.year, b.month, b.day, b.hour, b.minute, b.second) =
        std::tie(c.year, c.month, c.day, c.hour, c.minute, c.second);
    std::tie(b.lonDegrees, b.lonMinutes, b.east, b.latDegrees, b.latMinutes, b.south) =
        std::tie(c.lonDegrees, c.lonMinutes, c.east, c.latDegrees, c.latMinutes, c.south);
    b.zone = c.zone;
    library.Add(s);
    SCOPED_TRACE(DateText(b) + " " + TimeText(b));
    const std::optional<SavedBirth> back = library.Find(s.id);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->SameBirth(s));
    const std::vector<BirthSummary> summaries = library.Summaries();
    const auto summary = std::find_if(summaries.begin(), summaries.end(), [&](const BirthSummary& x) { return x.id == s.id; });
    ASSERT_NE(summary, summaries.end());
    EXPECT_EQ(std::vector<int>({summary->year, summary->month, summary->day, summary->hour, summary->minute, summary->second}),
              std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}));
  }
}

// The names of the births a search finds, sorted; List and Summaries agree.
std::vector<std::string> Found(const Library& library, const std::string& search) {
  std::vector<std::string> found;
  for (const SavedBirth& s : library.List(search)) found.push_back(s.birth.name);
  std::sort(found.begin(), found.end());
  std::vector<std::string> summarised;
  for (const BirthSummary& s : library.Summaries(search)) summarised.push_back(s.name);
  std::sort(summarised.begin(), summarised.end());
  EXPECT_EQ(summarised, found) << search;
  return found;
}

// SQLite's own check that the word index holds exactly the births' words
// (FTS5 'integrity-check' with rank 1 compares it with the births).
void ExpectExactIndex(const std::string& path) {
  SQLite::Database db(path, SQLite::OPEN_READWRITE);
  EXPECT_NO_THROW(db.exec("INSERT INTO births_words (births_words, rank) VALUES ('integrity-check', 1)"));
}

// Each word of a search starts a word of the name, place, tags or note, in
// any case and with or without accents; quotes, *, :, -, (, NEAR, AND, OR and
// NOT are plain text, never search syntax, and a text without a word finds
// all.
TEST_F(LibraryTest, SearchFindsWordStarts) {
  const std::string path = PathOf("search.sqlite");
  Library library(path, Access::Write);
  const char* names[] = {"100% Ada", "O'Brien-Smith", "ÉMILE", "Émile Zola", "Person 4242",
                         "Person 42420", "Plain", "NEAR AND OR NOT"};
  for (const char* name : names) {
    SavedBirth s = Sample(name);
    s.birth.place.reset();
    library.Add(s);
  }
  SavedBirth tagged = Sample("Tagged");
  tagged.tags = {"Clients"};
  tagged.note = "met in 1990";
  library.Add(tagged);
  std::vector<std::string> all(std::begin(names), std::end(names));
  all.push_back("Tagged");
  std::sort(all.begin(), all.end());
  const struct {
    const char* search;
    std::vector<std::string> found;
  } cases[] = {
      {"person 4242", {"Person 4242", "Person 42420"}},
      {"4242 PERSON", {"Person 4242", "Person 42420"}},
      {"person 42420", {"Person 42420"}},
      {"emi", {"ÉMILE", "Émile Zola"}},
      {"ÉMILE", {"ÉMILE", "Émile Zola"}},
      {"émile zola", {"Émile Zola"}},
      {"mile", {}},  // not the start of a word
      {"smith", {"O'Brien-Smith"}},
      {"o'brien", {"O'Brien-Smith"}},
      {"100%", {"100% Ada"}},
      {"client", {"Tagged"}},       // tags
      {"1990", {"Tagged"}},         // note
      {"bagmati", {"Tagged"}},      // place
      {"\"plain", {"Plain"}},
      {"pla\"in", {}},             // two words, "pla" and "in"
      {"pla*", {"Plain"}},
      {"(plain", {"Plain"}},
      {"-plain", {"Plain"}},
      {"^plain", {"Plain"}},
      {"note:1990", {}},            // no word "note": not a column filter
      {"name : plain", {}},
      {"plain OR person", {}},      // every word must be found
      {"NOT plain", {}},
      {"near", {"NEAR AND OR NOT"}},
      {"NEAR(plain person)", {}},
      {"and or not", {"NEAR AND OR NOT"}},
      {"zzz", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.search);
    EXPECT_EQ(Found(library, c.search), c.found);
  }
  for (const char* wordless : {"", " ", "%", "***", "\"\"", "-:()"}) EXPECT_EQ(Found(library, wordless), all) << wordless;
  ExpectExactIndex(path);
}

// A search word that starts many words of the library finds them all,
// however many they are.
TEST_F(LibraryTest, SearchWordStartingManyWordsFindsThemAll) {
  Library library(PathOf("many.sqlite"), Access::Write);
  std::vector<SavedBirth> births;
  for (int i = 100; i < 170; ++i) births.push_back(Sample("Kin" + std::to_string(i) + " Row"));
  library.AddAll(births);
  const struct {
    const char* search;
    std::size_t found;
  } cases[] = {{"kin", 70}, {"kin1", 70}, {"kin1 row", 70}, {"row KIN16", 10}, {"kin169", 1}, {"kin17", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(library.List(c.search).size(), c.found) << c.search;
    EXPECT_EQ(library.Summaries(c.search).size(), c.found) << c.search;
  }
}

// The word index follows every kind of change, in the change's transaction.
TEST_F(LibraryTest, SearchFollowsEveryChange) {
  const std::string path = PathOf("changes.sqlite");
  Library library(path, Access::Write);
  SavedBirth first = Sample("Alpha Quill");
  first.note = "harbour";
  library.Add(first);
  SavedBirth renamed = first;
  renamed.birth.name = "Beta Quill";
  renamed.note = "meadow";
  std::vector<SavedBirth> imported = {Sample("Gamma One"), Sample("Gamma Two")};
  imported[1].id = 90;  // its own id, apart from the new ones
  std::string text = ExportText({Sample("Delta")}, FileFormat::Csv);
  text += "0,Epsilon,1970-13-01,12:00,GMT,false,0:00E,0:00N,,,,,,,,\n";  // refused
  std::vector<SavedBirth> rolledBack = {Sample("Zeta"), Sample("Eta")};
  rolledBack[1].birth.month = 13;
  const struct {
    const char* change;
    std::function<void()> make;
    std::vector<std::pair<const char*, std::size_t>> counts;  // search, births found
  } steps[] = {
      {"add", [] {}, {{"alpha", 1}, {"harbour", 1}, {"quill", 1}}},
      {"replace", [&] { ASSERT_TRUE(library.Replace(renamed)); },
       {{"alpha", 0}, {"harbour", 0}, {"beta", 1}, {"meadow", 1}, {"quill", 1}}},
      {"import", [&] { library.AddAll(imported); }, {{"gamma", 2}, {"gamma two", 1}, {"quill", 1}}},
      {"refused import", [&] { EXPECT_TRUE(ImportText(library, text, FileFormat::Csv, false).refused); },
       {{"delta", 0}, {"epsilon", 0}}},
      {"skip-bad import", [&] { EXPECT_EQ(ImportText(library, text, FileFormat::Csv, true).added, 1u); },
       {{"delta", 1}, {"epsilon", 0}}},
      {"rolled-back import", [&] { EXPECT_THROW(library.AddAll(rolledBack), LibraryError); },
       {{"zeta", 0}, {"eta", 0}, {"gamma", 2}}},
      {"remove", [&] { ASSERT_TRUE(library.Remove(renamed.id)); ASSERT_TRUE(library.Remove(90)); },
       {{"beta", 0}, {"meadow", 0}, {"quill", 0}, {"gamma", 1}, {"gamma two", 0}}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.make();
    for (const auto& [search, count] : step.counts) EXPECT_EQ(library.List(search).size(), count) << search;
    ExpectExactIndex(path);
  }
  EXPECT_EQ(Found(library, ""), (std::vector<std::string>{"Delta", "Gamma One"}));
}

TEST_F(LibraryTest, BadFilesGetAMessageAndStayAsTheyWere) {
  const std::string text = PathOf("text.sqlite"), newer = PathOf("newer.sqlite"), other = PathOf("other.sqlite");
  std::ofstream(text) << "name,date\nnot a database\n";
  {
    SQLite::Database db(newer, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec("PRAGMA application_id = 1330790985; PRAGMA user_version = 9; CREATE TABLE births (id INTEGER)");
    SQLite::Database db2(other, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db2.exec("CREATE TABLE invoices (id INTEGER)");
  }
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {text, "is not an SQLite file"},
      {newer, "has schema version 9, newer than this program reads (" + std::to_string(kSchemaVersion) + ")"},
      {other, "an SQLite file of another program"},
      {folder_.string(), "is not a regular file"},
  };
  for (const auto& c : cases) {
    const std::string before = Bytes(c.path);
    for (Access access : {Access::Read, Access::Write}) {
      try {
        Library library(c.path, access);
        ADD_FAILURE() << c.path << " opened";
      } catch (const LibraryError& e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
      }
    }
    EXPECT_EQ(Bytes(c.path), before) << c.path;
    EXPECT_FALSE(fs::exists(c.path + "-wal")) << c.path;
  }
}

// Runs `work` in a child process; returns its id.
template <typename Work>
pid_t Child(Work work) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int status = 0;
    try {
      work();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "child: %s\n", e.what());
      status = 1;
    }
    ::_exit(status);
  }
  return pid;
}

int ExitStatus(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Opens the library in a child process, as nobody when run as root (who
// writes to any file); 0 when the opening is refused with `message`.
int RefusedAsNobody(const std::string& path, Access access, const char* message) {
  return ExitStatus(Child([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
    try {
      Library library(path, access);
    } catch (const LibraryError& e) {
      std::_Exit(std::string(e.what()).find(message) != std::string::npos ? 0 : 4);
    }
    std::_Exit(5);
  }));
}

TEST_F(LibraryTest, ReadOnlyFileIsRefusedForWriting) {
  const std::string path = PathOf("ro.sqlite");
  { Library(path, Access::Write); }
  ::chmod(path.c_str(), 0444);
  const std::string before = Bytes(path);
  EXPECT_EQ(RefusedAsNobody(path, Access::Write, "is read-only; nothing was changed"), 0);
  EXPECT_EQ(Bytes(path), before);
}

TEST_F(LibraryTest, ExportWritesFilesAndNeverASpecialFile) {
  Library library(PathOf("export.sqlite"), Access::Write);
  SavedBirth s = Sample("Exported");
  library.Add(s);
  const std::string fifo = PathOf("pipe.csv"), file = PathOf("out.jsonl");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::optional<std::string> refused = ExportFile(library, fifo, FileFormat::Csv);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("not a regular file"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(ExportFile(library, file, FileFormat::Jsonl), std::nullopt);
  std::string error;
  const ParsedBirths back = ParseBirths(ReadWholeFile(file, error).value_or(""), FileFormat::Jsonl);
  ASSERT_EQ(back.births.size(), 1u);
  EXPECT_TRUE(back.births[0].SameBirth(s));
  EXPECT_FALSE(ReadWholeFile(fifo, error));  // and reading one does not hang
  EXPECT_NE(error.find("not a regular file"), std::string::npos);
}

// Files of each older schema, as those versions wrote them, open upgraded:
// their births kept, and found by a search.
TEST_F(LibraryTest, OlderSchemasAreUpgraded) {
  const std::string firstSchema =
      "CREATE TABLE births (id INTEGER PRIMARY KEY, name TEXT NOT NULL, year INTEGER NOT NULL,"
      " month INTEGER NOT NULL, day INTEGER NOT NULL, hour INTEGER NOT NULL, minute INTEGER NOT NULL,"
      " second INTEGER NOT NULL, zone_row INTEGER, zone_minutes INTEGER, dst INTEGER NOT NULL,"
      " lon_degrees INTEGER NOT NULL, lon_minutes INTEGER NOT NULL, east INTEGER NOT NULL,"
      " lat_degrees INTEGER NOT NULL, lat_minutes INTEGER NOT NULL, south INTEGER NOT NULL,"
      " place_text TEXT, geonames_id INTEGER, kind TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '',"
      " source TEXT NOT NULL DEFAULT '', tags TEXT NOT NULL DEFAULT '', created INTEGER NOT NULL,"
      " changed INTEGER NOT NULL, CHECK ((zone_row IS NULL) <> (zone_minutes IS NULL)));"
      "INSERT INTO births VALUES (7, 'Old One', 1950, 3, 1, 6, 5, 9, NULL, 330, 0, 77, 12, 1, 28, 36, 0,"
      " 'New Delhi, Delhi, IN', 1261481, 'female', 'kept', 'BC', 'a;b', 100, 200);"
      "PRAGMA application_id = 1330790985;";
  const std::string secondSchema =
      "ALTER TABLE births ADD COLUMN tz TEXT NOT NULL DEFAULT '';"
      "ALTER TABLE births ADD COLUMN aaf TEXT NOT NULL DEFAULT '';"
      "UPDATE births SET tz = 'Asia/Kolkata';";
  const struct {
    int version;
    std::string sql;
  } files[] = {
      {1, firstSchema + "PRAGMA user_version = 1;"},
      {2, firstSchema + secondSchema + "PRAGMA user_version = 2;"},
      {3, firstSchema + secondSchema +
              "CREATE VIRTUAL TABLE births_words USING fts5(name, place_text, tags, note, content='births',"
              " content_rowid='id', tokenize='unicode61 remove_diacritics 2', detail=none, columnsize=0);"
              "INSERT INTO births_words (rowid, name, place_text, tags, note)"
              " SELECT id, name, place_text, tags, note FROM births;"
              "CREATE VIRTUAL TABLE births_vocabulary USING fts5vocab(births_words, row);"
              "PRAGMA user_version = 3;"},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.version);
    const std::string path = PathOf(("v" + std::to_string(file.version) + ".sqlite").c_str());
    SQLite::Database(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE).exec(file.sql);
    // Unless it can be written, a reader refuses it and leaves it as it is.
    ::chmod(path.c_str(), 0444);
    const std::string before = Bytes(path);
    EXPECT_EQ(RefusedAsNobody(path, Access::Read, "open it for writing once to upgrade it"), 0);
    EXPECT_EQ(Bytes(path), before);
    ::chmod(path.c_str(), 0644);
    // A reader upgrades a file it can write, and finds its births.
    EXPECT_EQ(Found(Library(path, Access::Read), "old"), std::vector<std::string>{"Old One"});
    Library library(path, Access::Write);
    EXPECT_EQ(SQLite::Database(path).execAndGet("PRAGMA user_version").getInt(), kSchemaVersion);
    const std::optional<SavedBirth> old = library.Find(7);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->birth.name, "Old One");
    const Birth& b = old->birth;
    EXPECT_EQ(std::vector<int>({b.year, b.month, b.day, b.hour, b.minute, b.second}),
              std::vector<int>({1950, 3, 1, 6, 5, 9}));
    EXPECT_EQ(std::vector<int>({b.lonDegrees, b.lonMinutes, b.east, b.latDegrees, b.latMinutes, b.south}),
              std::vector<int>({77, 12, 1, 28, 36, 0}));
    EXPECT_EQ(old->birth.zone, BirthZone(ZoneOffset{330, file.version == 1 ? "" : "Asia/Kolkata"}));
    EXPECT_EQ(old->birth.place, (BirthPlace{1261481, "New Delhi, Delhi, IN"}));
    EXPECT_EQ(old->kind, Kind::Female);
    EXPECT_EQ(old->tags, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(old->created, 100);
    for (const char* search : {"old", "delhi", "kept", "b"}) EXPECT_EQ(Found(library, search), std::vector<std::string>{"Old One"}) << search;
    SavedBirth fresh = Sample("New");
    fresh.aaf = "#ZNAM:NPT\n";
    library.Add(fresh);
    EXPECT_EQ(library.Find(fresh.id)->aaf, "#ZNAM:NPT\n");
    EXPECT_EQ(Found(library, "new"), (std::vector<std::string>{"New", "Old One"}));
    ExpectExactIndex(path);
  }
}

TEST_F(LibraryTest, TwoProcessesAddingAtOnceLoseNothing) {
  const std::string path = PathOf("shared.sqlite");
  { Library(path, Access::Write); }
  std::vector<pid_t> children;
  for (const char* who : {"first", "second"}) {
    children.push_back(Child([&] {
      Library library(path, Access::Write);
      for (int i = 0; i < 1000; ++i) {
        SavedBirth s = Sample(std::string(who) + " " + std::to_string(i));
        library.Add(s);
      }
    }));
  }
  for (pid_t pid : children) EXPECT_EQ(ExitStatus(pid), 0);
  const std::vector<SavedBirth> all = Library(path, Access::Read).List();
  EXPECT_EQ(all.size(), 2000u);
  std::set<std::string> names;
  for (const SavedBirth& s : all) names.insert(s.birth.name);
  EXPECT_EQ(names.size(), 2000u);
}

TEST_F(LibraryTest, ImportKilledMidwayLeavesTheLibraryAsItWas) {
  const std::string path = PathOf("killed.sqlite");
  {
    Library library(path, Access::Write);
    for (const char* name : {"Kept 1", "Kept 2", "Kept 3"}) {
      SavedBirth s = Sample(name);
      library.Add(s);
    }
  }
  std::vector<SavedBirth> many(200000, Sample("Imported"));
  for (SavedBirth& s : many) s.id = 0;
  const std::string text = ExportText(many, FileFormat::Jsonl);
  const pid_t pid = Child([&] {
    Library library(path, Access::Write);
    const ImportReport report = ImportText(library, text, FileFormat::Jsonl, false);
    (void)report;
  });
  // Killed once the import's pages reach the write-ahead log, before it ends.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  bool exited = false;
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ec;
    if (fs::file_size(path + "-wal", ec) > 4'000'000) break;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      exited = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_FALSE(exited) << "the import ended before it could be killed";
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  Library library(path, Access::Write);
  const std::vector<SavedBirth> left = library.List();
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left.front().birth.name, "Kept 1");
}

// An import keeps each free id, and numbers the other births above every id
// kept, in the file's order; the births are written several to a statement,
// so there are more of them than one statement holds.
TEST_F(LibraryTest, AddAllKeepsFreeIdsAndNumbersTheRestAboveThem) {
  Library library(PathOf("ids.sqlite"), Access::Write);
  SavedBirth existing = Sample("Existing");
  library.Add(existing);
  std::vector<SavedBirth> births;
  const std::int64_t givenIds[] = {existing.id, 50, 50, 0, 7};
  for (std::int64_t id : givenIds) {
    births.push_back(Sample("Given " + std::to_string(births.size())));
    births.back().id = id;
  }
  for (int i = 0; i < 40; ++i) births.push_back(Sample("Plain " + std::to_string(i)));
  births[3].birth.second = 59;
  births[3].tags = {"xy", "Ünïcode"};
  const std::vector<SavedBirth> given = births;
  EXPECT_EQ(library.AddAll(births), 2u);  // the taken id and the second 50
  std::vector<std::int64_t> ids;
  for (const SavedBirth& s : births) ids.push_back(s.id);
  std::vector<std::int64_t> expected = {51, 50, 52, 53, 7};
  for (std::int64_t id = 54; id < 94; ++id) expected.push_back(id);
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(library.Count(), 1 + static_cast<std::int64_t>(births.size()));
  for (std::size_t i = 0; i < births.size(); ++i) {
    SavedBirth back = library.Find(births[i].id).value_or(SavedBirth{});
    back.id = given[i].id;
    EXPECT_TRUE(back.SameBirth(given[i])) << given[i].birth.name;
  }
  // An import smaller than the library leaves FTS5 merging as it goes, as
  // the large one above did once it had merged the whole index.
  std::vector<SavedBirth> few = {Sample("Few one"), Sample("Few two")};
  library.AddAll(few);
  EXPECT_EQ(Found(library, "few"), (std::vector<std::string>{"Few one", "Few two"}));
  EXPECT_EQ(SQLite::Database(PathOf("ids.sqlite")).execAndGet("SELECT v FROM births_words_config WHERE k = 'automerge'").getInt(), 4);
  ExpectExactIndex(PathOf("ids.sqlite"));
  // A birth CheckSaved refuses refuses them all, unless the caller has checked them.
  std::vector<SavedBirth> more = {Sample("Fine"), Sample("Bad")};
  more[1].birth.month = 13;
  EXPECT_THROW(library.AddAll(more), LibraryError);
  EXPECT_EQ(library.Count(), 3 + static_cast<std::int64_t>(births.size()));
  ExpectExactIndex(PathOf("ids.sqlite"));
  // No id is left above the highest one: refused, nothing added.
  Library full(PathOf("full.sqlite"), Access::Write);
  SavedBirth last = Sample("Last");
  last.id = std::numeric_limits<std::int64_t>::max();
  full.Add(last);
  std::vector<SavedBirth> one = {Sample("One more")};
  EXPECT_THROW(full.AddAll(one), LibraryError);
  EXPECT_EQ(full.Count(), 1);
}

TEST_F(LibraryTest, ImportIsAllOrNothingUnlessBadRecordsAreSkipped) {
  Library library(PathOf("import.sqlite"), Access::Write);
  SavedBirth existing = Sample("Existing");
  library.Add(existing);
  std::vector<SavedBirth> births = {Sample("One"), Sample("Two")};
  births[0].id = existing.id;  // taken: gets a new id
  births[1].id = 50;           // free: kept
  std::string text = ExportText(births, FileFormat::Csv);
  text += "0,Bad,1970-13-01,12:00,GMT,false,0:00E,0:00N,,,,,,,,\n";
  const ImportReport refused = ImportText(library, text, FileFormat::Csv, false);
  EXPECT_TRUE(refused.refused);
  ASSERT_EQ(refused.messages.size(), 1u);
  EXPECT_TRUE(refused.messages[0].starts_with("line 4: date expects")) << refused.messages[0];
  EXPECT_EQ(library.Count(), 1);
  const ImportReport skipped = ImportText(library, text, FileFormat::Csv, true);
  EXPECT_FALSE(skipped.refused);
  EXPECT_EQ(skipped.added, 2u);
  EXPECT_EQ(skipped.skipped, 1u);
  EXPECT_EQ(skipped.renumbered, 1u);
  EXPECT_EQ(library.Count(), 3);
  ASSERT_TRUE(library.Find(50));
  EXPECT_EQ(library.Find(50)->birth.name, "Two");
}

}  // namespace
}  // namespace orbisca::births
