#include "births/exchange.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "births/aaf.h"
#include "births/aaf_births.h"
#include "births/text_records.h"
#include "report/atomic_file.h"

namespace orbisca::births {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string AtLine(std::size_t line, std::string_view message) {
  return "line " + std::to_string(line) + ": " + std::string(message);
}

}  // namespace

std::optional<FileFormat> FormatNamed(std::string_view name) {
  const std::string n = Lower(name);
  if (n == "aaf") return FileFormat::Aaf;
  if (n == "csv") return FileFormat::Csv;
  if (n == "jsonl") return FileFormat::Jsonl;
  return std::nullopt;
}

std::optional<FileFormat> FormatOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos) return std::nullopt;
  return FormatNamed(path.substr(dot + 1));
}

ParsedBirths ParseBirths(std::string_view text, FileFormat format) {
  ParsedBirths parsed;
  if (format == FileFormat::Aaf) {
    std::string converted;
    if (!IsUtf8(text)) {
      converted = Windows1252ToUtf8(text);
      text = converted;
      parsed.notes.emplace_back("the file is not UTF-8; it was read as Windows-1252");
    }
    AafContents contents = ReadAaf(text);
    for (const AafError& e : contents.errors) parsed.problems.push_back(AtLine(e.line, e.message));
    parsed.births.reserve(contents.records.size());
    parsed.lines.reserve(contents.records.size());
    for (const AafRecord& r : contents.records) {
      std::variant<AafBirth, std::string> birth = BirthFromAaf(r);
      if (const std::string* error = std::get_if<std::string>(&birth)) {
        parsed.problems.push_back(AtLine(r.line, *error));
        continue;
      }
      AafBirth& b = std::get<AafBirth>(birth);
      if (!b.note.empty()) parsed.notes.push_back(AtLine(r.line, b.note));
      parsed.births.push_back(std::move(b.saved));
      parsed.lines.push_back(r.line);
    }
    // The problems in file order, as the AAF reader and the conversion found them apart.
    std::stable_sort(parsed.problems.begin(), parsed.problems.end(), [](const std::string& a, const std::string& b) {
      return std::stoul(a.substr(5)) < std::stoul(b.substr(5));
    });
    return parsed;
  }
  const std::vector<TextRecord> records = format == FileFormat::Csv ? ReadCsv(text) : ReadJsonLines(text);
  for (const TextRecord& r : records) {
    SavedBirth saved;
    std::string error = r.error;
    if (error.empty()) error = ReadCells(r.cells, saved);
    if (error.empty() && format == FileFormat::Jsonl) {
      // CSV files are checked by their header; a JSON line by its keys.
      for (const FieldInfo& info : kFields) {
        if (info.required && !r.cells[Index(info.field)]) {
          error = "the record has no \"" + std::string(info.key) + "\"";
          break;
        }
      }
    }
    if (!error.empty()) {
      parsed.problems.push_back(AtLine(r.line, error));
      continue;
    }
    parsed.births.push_back(std::move(saved));
    parsed.lines.push_back(r.line);
  }
  return parsed;
}

std::string ExportText(const std::vector<SavedBirth>& births, FileFormat format) {
  std::string out;
  if (format == FileFormat::Csv) out = CsvHeader();
  for (const SavedBirth& s : births) {
    switch (format) {
      case FileFormat::Aaf: AppendBirthAaf(s, out); break;
      case FileFormat::Csv: AppendCsv(s, out); break;
      case FileFormat::Jsonl: AppendJsonLine(s, out); break;
    }
  }
  return out;
}

ImportReport ImportText(Library& library, std::string_view text, FileFormat format, bool skipBad) {
  ParsedBirths parsed = ParseBirths(text, format);
  ImportReport report;
  report.messages = parsed.problems;
  if (!parsed.problems.empty() && !skipBad) {
    report.refused = true;
    return report;
  }
  report.skipped = parsed.problems.size();
  report.renumbered = library.AddAll(parsed.births, Library::Checked::Yes);  // ParseBirths has checked them
  report.added = parsed.births.size();
  report.messages.insert(report.messages.end(), parsed.notes.begin(), parsed.notes.end());
  return report;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error) {
  // Non-blocking, so that a FIFO cannot hang the reading; then only a
  // regular file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    error = path + ": not a regular file";
    return std::nullopt;
  }
  std::string text(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = path + ": " + std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(done);
  return text;
}

std::optional<std::string> ExportFile(const Library& library, const std::string& path, FileFormat format) {
  // The export replaces a file, never a device, a pipe or a folder.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return path + ": not a regular file; nothing was written";
  if (std::optional<std::string> error = WriteFileAtomically(path, ExportText(library.List(), format))) {
    return path + ": " + *error;
  }
  return std::nullopt;
}

}  // namespace orbisca::births
