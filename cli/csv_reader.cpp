#include "cli/csv_reader.h"

#include <algorithm>

namespace orbisca::cli {

void CsvReader::SkipRestOfLine() {
  const std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) {
    pos_ = text_.size();
  } else {
    pos_ = end + 1;
    ++line_;
  }
}

bool CsvReader::ReadField(std::string& field, std::string& error) {
  field.clear();
  if (pos_ < text_.size() && text_[pos_] == '"') {
    ++pos_;
    for (;;) {
      const std::size_t quote = text_.find('"', pos_);
      if (quote == std::string_view::npos) {
        line_ += static_cast<std::size_t>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_), text_.end(), '\n'));
        pos_ = text_.size();
        error = "a quoted field is not closed";
        return false;
      }
      const std::string_view part = text_.substr(pos_, quote - pos_);
      line_ += static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
      field.append(part);
      pos_ = quote + 1;
      if (pos_ < text_.size() && text_[pos_] == '"') {  // a doubled quote
        field += '"';
        ++pos_;
        continue;
      }
      break;
    }
    const bool ends = pos_ == text_.size() || text_[pos_] == ',' || text_[pos_] == '\n' ||
                      (text_[pos_] == '\r' && (pos_ + 1 == text_.size() || text_[pos_ + 1] == '\n'));
    if (!ends) {
      error = "a quoted field must end at a comma or at the end of the line";
      SkipRestOfLine();
      return false;
    }
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    return true;
  }
  const std::size_t start = pos_;
  const std::size_t end = std::min(text_.find(',', pos_), text_.find('\n', pos_));
  pos_ = end == std::string_view::npos ? text_.size() : end;
  std::size_t stop = pos_;
  // The CR of a CR LF line end, or of the text's last line, is no part of the field.
  if (stop > start && text_[stop - 1] == '\r' && (stop == text_.size() || text_[stop] == '\n')) --stop;
  field.assign(text_.data() + start, stop - start);
  return true;
}

bool CsvReader::Next(CsvRecord& record) {
  // Blank lines hold no record.
  while (pos_ < text_.size() && (text_[pos_] == '\n' || (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n'))) {
    pos_ += text_[pos_] == '\r' ? 2 : 1;
    ++line_;
  }
  if (pos_ >= text_.size()) return false;
  record.line = line_;
  recordStart_ = pos_;
  record.error.clear();
  std::size_t count = 0;
  for (;;) {
    if (record.fields.size() <= count) record.fields.emplace_back();
    if (!ReadField(record.fields[count], record.error)) {
      record.fields.resize(count);
      return true;
    }
    ++count;
    if (pos_ >= text_.size()) break;
    if (text_[pos_] == ',') {
      ++pos_;
      continue;
    }
    // A line break ends the record.
    ++pos_;
    ++line_;
    break;
  }
  record.fields.resize(count);
  return true;
}

}  // namespace orbisca::cli
