#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbisca::cli {

// One record of comma-separated text (RFC 4180): fields may be quoted, and a
// quoted field may hold commas, doubled quotes and line breaks. Lines end in
// LF or CR LF. A record that breaks the rules carries an error message
// instead of trustworthy fields.
struct CsvRecord {
  std::size_t line = 0;  // the line the record starts on, counting from 1
  std::vector<std::string> fields;
  std::string error;
};

// Reads the records of a text one by one; blank lines are skipped.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text, std::size_t firstLine = 1) : text_(text), line_(firstLine) {}
  // The next record, false at the end of the text. The record's strings are
  // reused from call to call.
  bool Next(CsvRecord& record);
  // How far the reader has come.
  std::size_t Offset() const { return pos_; }
  std::size_t Line() const { return line_; }
  // Where the last record read starts.
  std::size_t RecordStart() const { return recordStart_; }

 private:
  // Reads one field into `field`; false when the record is broken (the
  // reader then stands at the start of the next line).
  bool ReadField(std::string& field, std::string& error);
  void SkipRestOfLine();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_;
  std::size_t recordStart_ = 0;
};

}  // namespace orbisca::cli
