#include "births/library.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>
#include <unordered_set>

namespace orbisca::births {
namespace {

// 'ORBI': marks the file as ours (PRAGMA application_id, sqlite.org/pragma.html).
constexpr int kApplicationId = 0x4F524249;
// Long enough for the other program's largest transaction (an import).
constexpr int kBusyTimeoutMs = 30000;

constexpr const char* kColumns =
    "id, name, born, zone_row, zone_minutes, tz, dst, lon, east, lat, south, place_text, geonames_id, kind, "
    "note, source, tags, aaf, created, changed";
constexpr int kColumnCount = [] {
  int count = 1;
  for (const char* c = kColumns; *c; ++c) count += *c == ',';
  return count;
}();
// The births an import writes with each statement: SQLite's own work for a
// statement, apart from its rows, is about a fifth of a birth's.
constexpr int kRowsPerInsert = 16;

// The first schema: as today without the IANA name and the kept AAF chunks.
constexpr const char* kSchemaVersion1 =
    "CREATE TABLE births ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " year INTEGER NOT NULL, month INTEGER NOT NULL, day INTEGER NOT NULL,"
    " hour INTEGER NOT NULL, minute INTEGER NOT NULL, second INTEGER NOT NULL,"
    " zone_row INTEGER, zone_minutes INTEGER,"  // one of the two: a row of the list or an offset east
    " dst INTEGER NOT NULL,"
    " lon_degrees INTEGER NOT NULL, lon_minutes INTEGER NOT NULL, east INTEGER NOT NULL,"
    " lat_degrees INTEGER NOT NULL, lat_minutes INTEGER NOT NULL, south INTEGER NOT NULL,"
    " place_text TEXT, geonames_id INTEGER,"  // NULL: no place
    " kind TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '', source TEXT NOT NULL DEFAULT '',"
    " tags TEXT NOT NULL DEFAULT '',"  // separated by ';'
    " created INTEGER NOT NULL, changed INTEGER NOT NULL,"
    " CHECK ((zone_row IS NULL) <> (zone_minutes IS NULL)));";

// Version 1 to 2: the zone's IANA name and the kept AAF chunks. (No index
// by name: sorting 100,000 names costs less than keeping it at each import.)
constexpr const char* kUpgradeTo2 =
    "ALTER TABLE births ADD COLUMN tz TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE births ADD COLUMN aaf TEXT NOT NULL DEFAULT '';";

// Version 2 to 3: a word index over the searched texts, so that a search
// reads a few index pages instead of every birth (FTS5, sqlite.org/fts5.html).
// External content: the words point at the births' ids and the texts stay
// in `births` alone. unicode61 with remove_diacritics 2 folds case and
// accents ("emi" finds "Émile"); detail=none and columnsize=0 keep only
// which births hold a word, all a word-start search needs, and index 100,000
// births in about a tenth of a second. Filled from the births in bulk.
constexpr const char* kTokenizer = "unicode61";
constexpr const char* kTokenizerArguments[] = {"remove_diacritics", "2"};
constexpr const char* kUpgradeTo3 =
    "CREATE VIRTUAL TABLE births_words USING fts5(name, place_text, tags, note, content='births',"
    " content_rowid='id', tokenize='unicode61 remove_diacritics 2', detail=none, columnsize=0);"
    "INSERT INTO births_words (rowid, name, place_text, tags, note)"
    " SELECT id, name, place_text, tags, note FROM births;"
    // Its words, read-only, for spelling out the words that a search word
    // starts (Impl::LongerWords); kept in the file so that a search need not
    // create it each time (0.1 ms of a search).
    "CREATE VIRTUAL TABLE births_vocabulary USING fts5vocab(births_words, row);";
// Version 3 to 4: the local date and time in one number, YYYYMMDDhhmmss,
// and each coordinate in arcminutes beside its hemisphere, 20 columns for 27:
// SQLite's work on a row grows with its columns, and an import of 100,000
// births is about 7% faster. The births keep their ids, so the word
// index (over columns that stay) stays valid.
constexpr const char* kUpgradeTo4 =
    "CREATE TABLE births_4 ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " born INTEGER NOT NULL,"  // the local civil time, YYYYMMDDhhmmss
    " zone_row INTEGER, zone_minutes INTEGER,"  // one of the two: a row of the list or an offset east
    " tz TEXT NOT NULL DEFAULT '',"  // the offset's IANA name, if any
    " dst INTEGER NOT NULL,"
    " lon INTEGER NOT NULL, east INTEGER NOT NULL,"  // arcminutes, 0 to 10800
    " lat INTEGER NOT NULL, south INTEGER NOT NULL,"  // arcminutes, 0 to 5400
    " place_text TEXT, geonames_id INTEGER,"  // NULL: no place
    " kind TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '', source TEXT NOT NULL DEFAULT '',"
    " tags TEXT NOT NULL DEFAULT '',"  // separated by ';'
    " aaf TEXT NOT NULL DEFAULT '',"  // the AAF chunks kept from an import
    " created INTEGER NOT NULL, changed INTEGER NOT NULL,"
    " CHECK ((zone_row IS NULL) <> (zone_minutes IS NULL)));"
    "INSERT INTO births_4 SELECT id, name,"
    " ((((year * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second,"
    " zone_row, zone_minutes, tz, dst, lon_degrees * 60 + lon_minutes, east, lat_degrees * 60 + lat_minutes,"
    " south, place_text, geonames_id, kind, note, source, tags, aaf, created, changed FROM births;"
    "DROP TABLE births;"
    "ALTER TABLE births_4 RENAME TO births;";

// The index follows every change in the change's own transaction: the words
// of the births with ids from ?1 to ?2 are added once the rows are in, and a
// birth's old words are taken out (with its old texts, as an external content
// table needs) before its row changes or goes. Statements, not triggers: one
// statement over the new ids of an import indexes 10 to 20 times faster.
constexpr const char* kIndexIds =
    "INSERT INTO births_words (rowid, name, place_text, tags, note)"
    " SELECT id, name, place_text, tags, note FROM births WHERE id BETWEEN ?1 AND ?2";
// FTS5's own number of segments merged at a time, put back after an import
// that merged the whole index.
constexpr int kAutomerge = 4;
// The page size of a new library, in bytes (sqlite.org/pragma.html#pragma_page_size).
constexpr int kPageSize = 16384;
// The page cache of an import, in KiB as PRAGMA cache_size takes it when
// negative: the pages of about 300,000 births.
constexpr int kImportCacheKiB = -32768;
// The most longer words a search word is spelled out as (MatchExpression).
constexpr std::size_t kMostSpelled = 64;
constexpr const char* kUnindexId =
    "INSERT INTO births_words (births_words, rowid, name, place_text, tags, note)"
    " SELECT 'delete', id, name, place_text, tags, note FROM births WHERE id = ?1";

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

// Throws, naming the birth, when CheckSaved refuses it.
void RefuseUnsaveable(const SavedBirth& s) {
  if (std::string refusal = CheckSaved(s); !refusal.empty()) {
    throw LibraryError("the birth \"" + s.birth.name + "\" cannot be saved: " + refusal);
  }
}

bool StartsAsSqlite(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char header[16] = {};
  in.read(header, sizeof header);
  // An empty file is an empty database to SQLite.
  return in.gcount() == 0 || (in.gcount() == 16 && std::memcmp(header, "SQLite format 3", 16) == 0);
}

void MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      throw LibraryError("cannot create the folder " + folder + ": " + std::strerror(errno));
    }
  }
}

// The local date and time as the column `born` holds them: YYYYMMDDhhmmss.
std::int64_t BornNumber(const Birth& b) {
  std::int64_t n = b.year;
  for (int v : {b.month, b.day, b.hour, b.minute, b.second}) n = n * 100 + v;
  return n;
}

// Fills the date and time fields of a Birth or a BirthSummary.
template <typename Dated>
void SetBorn(Dated& b, std::int64_t n) {
  for (int* v : {&b.second, &b.minute, &b.hour, &b.day, &b.month}) {
    *v = static_cast<int>(n % 100);
    n /= 100;
  }
  b.year = static_cast<int>(n);
}

// The statement that writes `rows` whole births: `verb` is INSERT or REPLACE.
std::string WriteSql(std::string_view verb, int rows = 1) {
  std::string row = "(?";
  for (int column = 1; column < kColumnCount; ++column) row += ",?";
  row += ')';
  std::string sql = std::string(verb) + " INTO births (" + kColumns + ") VALUES " + row;
  for (int more = 1; more < rows; ++more) sql += ',' + row;
  return sql;
}

// A statement through SQLite's own calls, for the rows written one by one.
using RowStatement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

RowStatement PrepareRow(SQLite::Database& db, const std::string& sql) {
  sqlite3_stmt* q = nullptr;
  const int status = sqlite3_prepare_v2(db.getHandle(), sql.c_str(), -1, &q, nullptr);
  RowStatement prepared(q, sqlite3_finalize);
  if (status != SQLITE_OK) throw SQLite::Exception(db.getHandle(), status);
  return prepared;
}

// Runs the statement to its end and readies it for the next row.
void RunRow(SQLite::Database& db, sqlite3_stmt* q) {
  const int status = sqlite3_step(q);
  if (status != SQLITE_DONE) {
    SQLite::Exception failure(db.getHandle(), status);  // its message, before the reset clears it
    sqlite3_reset(q);
    throw failure;
  }
  sqlite3_reset(q);
}

// Binds the birth's columns from parameter `first` on (its id NULL when it
// has none yet), through SQLite's own calls: the wrapper's checks on each
// made up a quarter of the binding, and the binding a tenth of an import.
// The texts are bound without a copy: the statement runs before `s` and
// `tags` go.
void Bind(sqlite3_stmt* q, int first, const SavedBirth& s, const std::string& tags) {
  const Birth& b = s.birth;
  int i = first;
  const auto text = [&](std::string_view t) {
    sqlite3_bind_text(q, i++, t.data(), static_cast<int>(t.size()), SQLITE_STATIC);
  };
  const auto number = [&](std::int64_t v) { sqlite3_bind_int64(q, i++, v); };
  const auto null = [&] { sqlite3_bind_null(q, i++); };
  if (s.id > 0) number(s.id);
  else null();
  text(b.name);
  number(BornNumber(b));
  if (const ZoneRow* row = std::get_if<ZoneRow>(&b.zone)) {
    number(row->row);
    null();
    text("");
  } else {
    const ZoneOffset& offset = std::get<ZoneOffset>(b.zone);
    null();
    number(offset.minutesEast);
    text(offset.iana);
  }
  for (int v : {b.dst ? 1 : 0, b.lonDegrees * 60 + b.lonMinutes, b.east ? 1 : 0, b.latDegrees * 60 + b.latMinutes,
                b.south ? 1 : 0}) {
    number(v);
  }
  if (b.place) {
    text(b.place->text);
    number(b.place->geonameId);
  } else {
    null();
    null();
  }
  text(KindText(s.kind));  // a string literal
  text(s.note);
  text(s.source);
  text(tags);
  text(s.aaf);
  number(s.created);
  number(s.changed);
}

SavedBirth RowOf(SQLite::Statement& q) {
  SavedBirth s;
  Birth& b = s.birth;
  int i = 0;
  s.id = q.getColumn(i++).getInt64();
  b.name = q.getColumn(i++).getString();
  SetBorn(b, q.getColumn(i++).getInt64());
  const SQLite::Column row = q.getColumn(i++);
  const SQLite::Column minutes = q.getColumn(i++);
  const std::string tz = q.getColumn(i++).getString();
  if (row.isNull()) b.zone = ZoneOffset{minutes.getInt(), tz};
  else b.zone = ZoneRow{row.getInt()};
  b.dst = q.getColumn(i++).getInt() != 0;
  const int lon = q.getColumn(i++).getInt();
  b.lonDegrees = lon / 60;
  b.lonMinutes = lon % 60;
  b.east = q.getColumn(i++).getInt() != 0;
  const int lat = q.getColumn(i++).getInt();
  b.latDegrees = lat / 60;
  b.latMinutes = lat % 60;
  b.south = q.getColumn(i++).getInt() != 0;
  const SQLite::Column place = q.getColumn(i++);
  const SQLite::Column geonames = q.getColumn(i++);
  if (!place.isNull()) b.place = BirthPlace{geonames.getInt64(), place.getString()};
  s.kind = KindFromText(q.getColumn(i++).getString()).value_or(Kind::Unknown);
  s.note = q.getColumn(i++).getString();
  s.source = q.getColumn(i++).getString();
  s.tags = TagsFromText(q.getColumn(i++).getString());
  s.aaf = q.getColumn(i++).getString();
  s.created = q.getColumn(i++).getInt64();
  s.changed = q.getColumn(i++).getInt64();
  return s;
}

}  // namespace

std::string DefaultLibraryPath() {
  if (const char* explicitPath = std::getenv("ORBISCA_LIBRARY"); explicitPath && *explicitPath) return explicitPath;
  // freedesktop.org XDG base directories: a relative XDG_DATA_HOME is invalid
  // and ignored.
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
    return std::string(data) + "/orbisca/births.sqlite";
  }
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share/orbisca/births.sqlite";
  return {};
}

struct Library::Impl {
  std::unique_ptr<SQLite::Database> db;
  std::string path;
  RowStatement insert{nullptr, sqlite3_finalize};      // prepared once, for one birth
  RowStatement insertMany{nullptr, sqlite3_finalize};  // and for kRowsPerInsert
  std::unique_ptr<SQLite::Statement> vocabulary;  // the words of the index, for MatchExpression
  std::unique_ptr<SQLite::Statement> idTaken;     // whether a birth has an id (IdTaken)

  [[noreturn]] void Fail(const std::string& what, const std::exception& e) const {
    throw LibraryError("the library " + path + ": " + what + ": " + e.what());
  }

  // Prepared once: an import with ids asks it for each birth.
  bool IdTaken(std::int64_t id) {
    if (!idTaken) idTaken = std::make_unique<SQLite::Statement>(*db, "SELECT 1 FROM births WHERE id = ?");
    idTaken->reset();
    idTaken->bind(1, static_cast<std::int64_t>(id));
    const bool taken = idTaken->executeStep();
    idTaken->reset();  // ends its read
    return taken;
  }

  // Inserts the birth, with its own id when it has one (the caller has seen
  // that it is free), else with a new one; the caller has set its times.
  void Insert(SavedBirth& s) {
    if (!insert) insert = PrepareRow(*db, WriteSql("INSERT"));
    const std::string tags = TagsText(s.tags);
    Bind(insert.get(), 1, s, tags);
    RunRow(*db, insert.get());
    s.id = db->getLastInsertRowid();
  }

  // Inserts births that CheckSaved accepts and whose ids are set and free,
  // kRowsPerInsert to a statement.
  void InsertMany(std::vector<SavedBirth>& births) {
    if (!insertMany) insertMany = PrepareRow(*db, WriteSql("INSERT", kRowsPerInsert));
    const std::int64_t now = Now();
    std::string tags[kRowsPerInsert];
    std::size_t done = 0;
    for (; births.size() - done >= kRowsPerInsert; done += kRowsPerInsert) {
      for (int k = 0; k < kRowsPerInsert; ++k) {
        SavedBirth& s = births[done + k];
        s.created = s.changed = now;
        tags[k] = TagsText(s.tags);
        Bind(insertMany.get(), 1 + k * kColumnCount, s, tags[k]);
      }
      RunRow(*db, insertMany.get());
    }
    for (; done < births.size(); ++done) {
      births[done].created = births[done].changed = now;
      Insert(births[done]);
    }
  }

  // Adds the words of the births with these ids (all of them new to the
  // index), one statement for each run of consecutive ids.
  void Index(std::vector<std::int64_t> ids) {
    std::sort(ids.begin(), ids.end());
    SQLite::Statement q(*db, kIndexIds);
    for (std::size_t first = 0, last = 0; first < ids.size(); first = ++last) {
      while (last + 1 < ids.size() && ids[last + 1] == ids[last] + 1) ++last;
      q.reset();
      q.bind(1, ids[first]);
      q.bind(2, ids[last]);
      q.exec();
    }
  }

  // FTS5's 'automerge': how many segments of a size it merges as it goes
  // (sqlite.org/fts5.html, "The Automerge Option"); 0 merges none.
  void SetAutomerge(int segments) {
    db->exec("INSERT INTO births_words (births_words, rank) VALUES ('automerge', " + std::to_string(segments) + ")");
  }

  void Unindex(std::int64_t id) {
    SQLite::Statement q(*db, kUnindexId);
    q.bind(1, id);
    q.exec();
  }

  // The words of a search as the index's own tokenizer finds them, so split
  // and folded as the births' words were (sqlite.org/fts5.html, "Custom
  // Tokenizers").
  std::vector<std::string> Words(std::string_view search) const {
    std::vector<std::string> words;
    fts5_api* api = nullptr;
    sqlite3_stmt* q = nullptr;
    if (sqlite3_prepare_v2(db->getHandle(), "SELECT fts5(?1)", -1, &q, nullptr) == SQLITE_OK) {
      sqlite3_bind_pointer(q, 1, &api, "fts5_api_ptr", nullptr);
      sqlite3_step(q);
    }
    sqlite3_finalize(q);
    void* context = nullptr;
    fts5_tokenizer tokenizer{};
    Fts5Tokenizer* made = nullptr;
    const char* arguments[std::size(kTokenizerArguments)];
    std::copy(std::begin(kTokenizerArguments), std::end(kTokenizerArguments), arguments);
    if (!api || api->xFindTokenizer(api, kTokenizer, &context, &tokenizer) != SQLITE_OK ||
        tokenizer.xCreate(context, arguments, static_cast<int>(std::size(arguments)), &made) != SQLITE_OK) {
      throw LibraryError("the library " + path + ": this SQLite has no FTS5 " + kTokenizer + " tokenizer to search with");
    }
    const auto addWord = [](void* found, int flags, const char* word, int size, int, int) {
      if (!(flags & FTS5_TOKEN_COLOCATED)) {
        static_cast<std::vector<std::string>*>(found)->emplace_back(word, static_cast<std::size_t>(size));
      }
      return SQLITE_OK;
    };
    const int status = tokenizer.xTokenize(made, &words, FTS5_TOKENIZE_QUERY, search.data(),
                                           static_cast<int>(search.size()), addWord);
    tokenizer.xDelete(made);
    if (status != SQLITE_OK) throw LibraryError("the library " + path + ": the search text cannot be read");
    return words;
  }

  // The FTS5 query of a search: each word of it starts a word of the birth.
  // Each word is an FTS5 string (quoted, its `"` doubled), so that the text's
  // quotes, *, :, -, (, NEAR, AND, OR and NOT are plain text, never syntax.
  // A word is spelled out as itself OR each longer word of the index that it
  // starts, read from the index's vocabulary: SQLite 3.40 merges a prefix
  // query's whole list of births first (19 ms for "person"* over 100,000
  // births), where listed words are skipped through (0.1 ms). A word that
  // starts many words stays a prefix query. Empty when the text has no word.
  std::string MatchExpression(std::string_view search) {
    std::string expression;
    if (search.empty()) return expression;
    const auto quoted = [](std::string_view word) {
      std::string text = "\"";
      for (char c : word) text += c == '"' ? std::string("\"\"") : std::string(1, c);
      return text + '"';
    };
    for (const std::string& word : Words(search)) {
      if (!expression.empty()) expression += " AND ";
      const std::vector<std::string> longer = LongerWords(word);
      if (longer.size() > kMostSpelled) {
        expression += quoted(word) + '*';
        continue;
      }
      expression += '(' + quoted(word);
      for (const std::string& other : longer) expression += " OR " + quoted(other);
      expression += ')';
    }
    return expression;
  }

  // Up to kMostSpelled + 1 words of the index longer than `word` that it
  // starts. (The vocabulary counts each word's births as it passes it, so
  // the word itself is left below the range: no token holds a byte under
  // '0', and none holds 0xFF, which UTF-8 never uses.)
  std::vector<std::string> LongerWords(const std::string& word) {
    if (!vocabulary) {
      vocabulary = std::make_unique<SQLite::Statement>(
          *db, "SELECT term FROM births_vocabulary WHERE term >= ?1 AND term < ?2 LIMIT ?3");
    }
    SQLite::Statement& q = *vocabulary;
    q.reset();
    q.bind(1, word + '\x01');
    q.bind(2, word + '\xff');
    q.bind(3, static_cast<std::int64_t>(kMostSpelled + 1));
    std::vector<std::string> words;
    while (q.executeStep()) words.push_back(q.getColumn(0).getString());
    q.reset();  // ends its read
    return words;
  }

  int UserVersion() const { return db->execAndGet("PRAGMA user_version").getInt(); }

  // Creates the schema of an empty file, or upgrades an older one, in one
  // transaction; refuses a file that is not ours or is newer.
  void Prepare(Access access) {
    const int version = UserVersion();
    const int application = db->execAndGet("PRAGMA application_id").getInt();
    const int tables = db->execAndGet("SELECT count(*) FROM sqlite_master").getInt();
    if ((application != kApplicationId && (application != 0 || tables != 0)) || (tables != 0 && version == 0)) {
      throw LibraryError("the library " + path + " is an SQLite file of another program, not a births library");
    }
    if (version > kSchemaVersion) {
      throw LibraryError("the library " + path + " has schema version " + std::to_string(version) +
                         ", newer than this program reads (" + std::to_string(kSchemaVersion) +
                         "); it is left as it is");
    }
    if (version == kSchemaVersion) {
      if (access == Access::Write) db->exec("PRAGMA journal_mode = WAL");
      return;
    }
    if (access == Access::Read) {
      if (version == 0) return;  // an empty file: an empty library
      // The library of an older build is upgraded once when it can be
      // written, so that a reader of this build (a list, the window) reads
      // it; its births are kept as they are.
      if (::access(path.c_str(), W_OK) == 0) {
        Library upgraded(path, Access::Write);
        return Prepare(access);
      }
      throw LibraryError("the library " + path + " has schema version " + std::to_string(version) +
                         "; open it for writing once to upgrade it");
    }
    // A new file gets larger pages than SQLite's 4 KiB: fewer pages for the
    // log to write and the checkpoint to copy (an import of 100,000 births
    // is about 6% faster). Only an empty file takes a page size.
    if (tables == 0) db->exec("PRAGMA page_size = " + std::to_string(kPageSize));
    // Readers and one writer at a time, without blocking the readers; set
    // only once the file is known to be ours, since it stays in the file.
    db->exec("PRAGMA journal_mode = WAL");
    SQLite::Transaction transaction(*db, SQLite::TransactionBehavior::IMMEDIATE);
    // Another process may have prepared it while this one waited.
    const int now = UserVersion();
    if (now == 0) {
      db->exec(kSchemaVersion1);
      db->exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    }
    if (now <= 1) db->exec(kUpgradeTo2);
    if (now <= 2) db->exec(kUpgradeTo3);
    if (now <= 3) db->exec(kUpgradeTo4);
    db->exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    transaction.commit();
  }
};

Library::Library(const std::string& path, Access access) : impl_(std::make_unique<Impl>()), path_(path) {
  impl_->path = path;
  if (path.empty()) throw LibraryError("no library file: set ORBISCA_LIBRARY, XDG_DATA_HOME or HOME");
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) throw LibraryError("the library " + path + " is not a regular file");
  if (!exists && access == Access::Read) throw LibraryError("there is no library at " + path);
  if (exists && !StartsAsSqlite(path)) {
    throw LibraryError("the library " + path + " is not an SQLite file; it is left as it is");
  }
  if (!exists) MakeFolders(path);
  // A Library serves one thread at a time, so SQLite need not lock each of
  // its calls (5% of an import).
  const int flags = SQLite::OPEN_NOMUTEX |
                    (access == Access::Read ? SQLite::OPEN_READONLY : SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
  try {
    impl_->db = std::make_unique<SQLite::Database>(path, flags, kBusyTimeoutMs);
  } catch (const std::exception& e) {
    impl_->Fail("cannot open it", e);
  }
  if (access == Access::Write && sqlite3_db_readonly(impl_->db->getHandle(), "main") == 1) {
    throw LibraryError("the library " + path + " is read-only; nothing was changed");
  }
  try {
    impl_->Prepare(access);
  } catch (const LibraryError&) {
    throw;
  } catch (const SQLite::Exception& e) {
    if (e.getErrorCode() == SQLITE_NOTADB) {
      throw LibraryError("the library " + path + " is not an SQLite file; it is left as it is");
    }
    if (e.getErrorCode() == SQLITE_READONLY) {
      throw LibraryError("the library " + path + " is read-only; nothing was changed");
    }
    impl_->Fail("cannot read it", e);
  }
}

Library::~Library() = default;
Library::Library(Library&&) noexcept = default;
Library& Library::operator=(Library&&) noexcept = default;

void Library::Add(SavedBirth& saved) {
  RefuseUnsaveable(saved);
  try {
    SQLite::Transaction transaction(*impl_->db, SQLite::TransactionBehavior::IMMEDIATE);
    if (saved.id > 0 && impl_->IdTaken(saved.id)) saved.id = 0;
    saved.created = saved.changed = Now();
    impl_->Insert(saved);
    impl_->Index({saved.id});
    transaction.commit();
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot add the birth", e);
  }
}

bool Library::Replace(SavedBirth& saved) {
  RefuseUnsaveable(saved);
  try {
    SQLite::Transaction transaction(*impl_->db, SQLite::TransactionBehavior::IMMEDIATE);
    SQLite::Statement created(*impl_->db, "SELECT created FROM births WHERE id = ?");
    created.bind(1, static_cast<std::int64_t>(saved.id));
    if (!created.executeStep()) return false;
    saved.created = created.getColumn(0).getInt64();
    saved.changed = Now();
    impl_->Unindex(saved.id);
    const RowStatement q = PrepareRow(*impl_->db, WriteSql("REPLACE"));
    const std::string tags = TagsText(saved.tags);
    Bind(q.get(), 1, saved, tags);
    RunRow(*impl_->db, q.get());
    impl_->Index({saved.id});
    transaction.commit();
    return true;
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot save the birth", e);
  }
}

bool Library::Remove(std::int64_t id) {
  try {
    SQLite::Transaction transaction(*impl_->db, SQLite::TransactionBehavior::IMMEDIATE);
    impl_->Unindex(id);
    SQLite::Statement q(*impl_->db, "DELETE FROM births WHERE id = ?");
    q.bind(1, static_cast<std::int64_t>(id));
    const bool removed = q.exec() == 1;
    transaction.commit();
    return removed;
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot remove the birth", e);
  }
}

std::optional<SavedBirth> Library::Find(std::int64_t id) const {
  try {
    SQLite::Statement q(*impl_->db, std::string("SELECT ") + kColumns + " FROM births WHERE id = ?");
    q.bind(1, static_cast<std::int64_t>(id));
    if (!q.executeStep()) return std::nullopt;
    return RowOf(q);
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot read it", e);
  }
}

std::int64_t Library::Count() const {
  try {
    if (impl_->UserVersion() == 0) return 0;
    return impl_->db->execAndGet("SELECT count(*) FROM births").getInt64();
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot read it", e);
  }
}

namespace {

// The births that match the FTS5 query ?1 when `matching`, else all.
std::string Searched(std::string_view columns, bool matching, std::string_view order) {
  std::string sql = "SELECT " + std::string(columns) + " FROM births";
  if (matching) sql += " WHERE id IN (SELECT rowid FROM births_words WHERE births_words MATCH ?1)";
  return sql + " ORDER BY " + std::string(order);
}

}  // namespace

std::vector<BirthSummary> Library::Summaries(std::string_view search) const {
  std::vector<BirthSummary> births;
  try {
    if (impl_->UserVersion() == 0) return births;
    // The words looked up and the births found in one snapshot of the file.
    SQLite::Transaction snapshot(*impl_->db, SQLite::TransactionBehavior::DEFERRED);
    const std::string match = impl_->MatchExpression(search);
    SQLite::Statement q(*impl_->db, Searched("id, name, born, ifnull(place_text, ''), tags", !match.empty(), "id"));
    if (!match.empty()) q.bind(1, match);
    while (q.executeStep()) {
      BirthSummary& b = births.emplace_back();
      b.id = q.getColumn(0).getInt64();
      b.name = q.getColumn(1).getString();
      SetBorn(b, q.getColumn(2).getInt64());
      b.place = q.getColumn(3).getString();
      b.tags = q.getColumn(4).getString();
    }
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot read it", e);
  }
  return births;
}

std::vector<SavedBirth> Library::List(std::string_view search) const {
  std::vector<SavedBirth> births;
  try {
    if (impl_->UserVersion() == 0) return births;
    // The words looked up and the births found in one snapshot of the file.
    SQLite::Transaction snapshot(*impl_->db, SQLite::TransactionBehavior::DEFERRED);
    const std::string match = impl_->MatchExpression(search);
    SQLite::Statement q(*impl_->db, Searched(kColumns, !match.empty(), "name COLLATE NOCASE, id"));
    if (!match.empty()) q.bind(1, match);
    while (q.executeStep()) births.push_back(RowOf(q));
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot read it", e);
  }
  return births;
}

std::size_t Library::AddAll(std::vector<SavedBirth>& births, Checked checked) {
  for (std::size_t i = 0; checked == Checked::No && i < births.size(); ++i) RefuseUnsaveable(births[i]);
  std::size_t renumbered = 0;
  try {
    // The pages of a large import stay in memory until its commit instead of
    // being written to the log and read back by the indexing (about 20 ms of
    // an import of 100,000 births); the connection's own size comes back after.
    const int cacheSize = impl_->db->execAndGet("PRAGMA cache_size").getInt();
    impl_->db->exec("PRAGMA cache_size = " + std::to_string(kImportCacheKiB));
    struct RestoreCache {
      SQLite::Database& db;
      int size;
      ~RestoreCache() {
        try {
          db.exec("PRAGMA cache_size = " + std::to_string(size));
        } catch (const SQLite::Exception&) {
          // Left larger, the cache only holds more pages until the library closes.
        }
      }
    } restoreCache{*impl_->db, cacheSize};
    SQLite::Transaction transaction(*impl_->db, SQLite::TransactionBehavior::IMMEDIATE);
    // A birth keeps its id when no birth of the library, nor an earlier one
    // of the file, has it. The others take new ids above all of those, in
    // the file's order.
    const std::int64_t libraryHighest = impl_->db->execAndGet("SELECT ifnull(max(id), 0) FROM births").getInt64();
    std::int64_t highest = libraryHighest;
    std::unordered_set<std::int64_t> kept;
    for (SavedBirth& s : births) {
      if (s.id <= 0) continue;
      if (!impl_->IdTaken(s.id) && kept.insert(s.id).second) {
        highest = std::max<std::int64_t>(highest, s.id);
      } else {
        s.id = 0;
        ++renumbered;
      }
    }
    for (SavedBirth& s : births) {
      if (s.id > 0) continue;
      if (highest == std::numeric_limits<std::int64_t>::max()) {
        throw LibraryError("the library " + impl_->path + " has no free id above " + std::to_string(highest) +
                           " for new births; none was added");
      }
      s.id = ++highest;
    }
    impl_->InsertMany(births);
    std::vector<std::int64_t> ids;
    ids.reserve(births.size());
    for (const SavedBirth& s : births) ids.push_back(s.id);
    // An import at least as large as the library was (by its highest id)
    // indexes its words without merging the index's segments on the way,
    // then merges them all into one: 5 to 10 ms more for 100,000 births,
    // after which a search reads one segment instead of four (0.1 ms of a
    // search in a new process). A smaller import leaves the merging to FTS5,
    // as every other change does.
    const bool merge = births.size() >= static_cast<std::size_t>(libraryHighest);
    if (merge) impl_->SetAutomerge(0);
    impl_->Index(std::move(ids));
    if (merge) {
      impl_->db->exec("INSERT INTO births_words (births_words) VALUES ('optimize')");
      impl_->SetAutomerge(kAutomerge);
    }
    transaction.commit();
  } catch (const SQLite::Exception& e) {
    impl_->Fail("cannot add the births; none was added", e);
  }
  return renumbered;
}

}  // namespace orbisca::births
