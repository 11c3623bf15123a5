#pragma once

// Import and export of births: AAF, CSV and JSON Lines files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "births/library.h"
#include "births/saved_birth.h"

namespace orbisca::births {

enum class FileFormat { Aaf, Csv, Jsonl };

// The format of a file name's extension (.aaf, .csv, .jsonl, any case), or
// of a --format value (aaf, csv, jsonl).
std::optional<FileFormat> FormatOfPath(std::string_view path);
std::optional<FileFormat> FormatNamed(std::string_view name);

// The births of a file's text, each with the line it starts on; the records
// that cannot be births, as "line N: reason"; and notes on births read (where
// an AAF Julian day ruled).
struct ParsedBirths {
  std::vector<SavedBirth> births;
  std::vector<std::size_t> lines;
  std::vector<std::string> problems;
  std::vector<std::string> notes;
};
// Each birth found has passed CheckSaved.
ParsedBirths ParseBirths(std::string_view text, FileFormat format);

// The whole text of an export.
std::string ExportText(const std::vector<SavedBirth>& births, FileFormat format);

struct ImportReport {
  bool refused = false;  // nothing was added
  std::size_t added = 0, skipped = 0, renumbered = 0;
  std::vector<std::string> messages;  // the problems, then the notes
};
// Adds the file's births in one transaction. A record that is not a birth
// refuses the whole import, unless `skipBad`: it is then left out and
// reported. Throws LibraryError when the library cannot take them (nothing
// is added then either).
ImportReport ImportText(Library& library, std::string_view text, FileFormat format, bool skipBad);

// A file read whole, or the reason it cannot be (not a regular file, a
// system error).
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

// Writes every birth of the library to `path` in `format`, whole or not at
// all; the reason on failure.
std::optional<std::string> ExportFile(const Library& library, const std::string& path, FileFormat format);

}  // namespace orbisca::births
