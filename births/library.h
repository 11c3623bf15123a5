#pragma once

// The library of births: one SQLite file that the window and orbisca-chart
// share. WAL journal and a busy timeout let both write at once; every change
// is one transaction, so a change is whole or absent, also when the process
// is killed.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "births/saved_birth.h"

namespace orbisca::births {

// Every failure of the library, with a message for the user that names the
// file.
class LibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The schema this build writes; it opens files of this version and upgrades
// older ones (version 1 had no `tz` and `aaf` columns, version 2 no word
// index for searches, version 3 the date, time and coordinates in parts).
inline constexpr int kSchemaVersion = 4;

// Where the library is: ORBISCA_LIBRARY, else $XDG_DATA_HOME/orbisca/
// births.sqlite, else ~/.local/share/orbisca/births.sqlite. Empty when none
// of HOME and the two variables is set.
std::string DefaultLibraryPath();

enum class Access { Read, Write };

// What a list of births shows: the name, the local date and time, the place
// and the tags.
struct BirthSummary {
  std::int64_t id = 0;
  std::string name;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::string place;  // "City, State, Country"; empty without a place
  std::string tags;   // separated by ';'
};

class Library {
 public:
  // Opens the library at `path`. With Write access a missing file (and its
  // folder) is created and an older schema upgraded; with Read access an
  // older schema is upgraded when the file can be written, else refused.
  // Throws LibraryError, changing nothing, for a file that is not a births
  // library, one of a newer schema, a read-only file opened for writing, or
  // a folder.
  Library(const std::string& path, Access access);
  ~Library();
  Library(Library&&) noexcept;
  Library& operator=(Library&&) noexcept;

  const std::string& Path() const { return path_; }

  // Adds the birth with a new id (or with its own id when it has one that no
  // birth has); sets its id and times. Refuses a birth CheckSaved refuses.
  void Add(SavedBirth& saved);
  // Replaces the birth of the same id; false when there is none.
  bool Replace(SavedBirth& saved);
  bool Remove(std::int64_t id);
  std::optional<SavedBirth> Find(std::int64_t id) const;
  std::int64_t Count() const;
  // The births where each word of `search` starts a word of the name, place,
  // tags or note, case and accents ignored ("emi" finds "Émile"); words are
  // split at spaces and punctuation, which are never search syntax. All
  // births when `search` has no word. By name then id.
  std::vector<SavedBirth> List(std::string_view search = {}) const;
  // The same births as List, summarised, by id: less to read, for a list
  // that sorts and filters as it likes.
  std::vector<BirthSummary> Summaries(std::string_view search = {}) const;
  // Adds all the births in one transaction: all or none, refused when
  // CheckSaved refuses one, unless the caller has had it accept every birth
  // (`checked`, as ParseBirths does). A birth whose id is taken, by the
  // library or by an earlier birth of `births`, gets a new one above all the
  // ids kept. Returns how many got a new id.
  enum class Checked { No, Yes };
  std::size_t AddAll(std::vector<SavedBirth>& births, Checked checked = Checked::No);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::string path_;
};

}  // namespace orbisca::births
