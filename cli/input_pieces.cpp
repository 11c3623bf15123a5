#include "cli/input_pieces.h"

namespace orbisca::cli {

// Each state stands for a point of CsvReader::Next and ReadField.
bool CsvCutter::Ends(char c) {
  switch (state_) {
    case State::FieldStart:
      if (c == '"') {
        state_ = State::Quoted;
        return false;
      }
      [[fallthrough]];
    case State::Unquoted:
      // An unquoted field ends at a comma or a line break; a CR LF blank
      // line is an unquoted CR ended by its LF.
      state_ = c == ',' ? State::FieldStart : c == '\n' ? State::FieldStart : State::Unquoted;
      return c == '\n';
    case State::Quoted:
      if (c == '"') state_ = State::QuoteInQuoted;
      return false;
    case State::QuoteInQuoted:
      switch (c) {
        case '"': state_ = State::Quoted; return false;  // a doubled quote
        case ',': state_ = State::FieldStart; return false;
        case '\n': state_ = State::FieldStart; return true;
        case '\r': state_ = State::CrAfterQuote; return false;
        default: state_ = State::Broken; return false;
      }
    case State::CrAfterQuote:
    case State::Broken:
      // The reader skips a broken record up to the next line break.
      if (c == '\n') {
        state_ = State::FieldStart;
        return true;
      }
      state_ = State::Broken;
      return false;
  }
  return false;
}

RecordSplitter::RecordSplitter(RecordGrammar grammar, std::size_t pieceBytes, std::size_t limit)
    : grammar_(grammar), pieceBytes_(pieceBytes), limit_(limit) {}

void RecordSplitter::Add(std::string_view bytes) {
  if (started_) {
    Scan(bytes);
    return;
  }
  // A byte-order mark is no part of the first column's name; it may come in
  // more than one read.
  start_.append(bytes);
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (start_.size() < kBom.size() && kBom.starts_with(start_)) return;
  started_ = true;
  const bool bom = grammar_ == RecordGrammar::Csv && start_.starts_with(kBom);
  consumed_ = bom ? kBom.size() : 0;
  Scan(std::string_view(start_).substr(consumed_));
  start_ = std::string();
}

void RecordSplitter::End() {
  if (!started_) {
    started_ = true;
    Scan(start_);
  }
  ended_ = true;
}

void RecordSplitter::Scan(std::string_view bytes) {
  std::size_t keepFrom = 0;  // bytes[keepFrom..] follow text_
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const bool ends = Ends(c);
    if (skipping_) {
      ++consumed_;
      if (c == '\n') ++line_;
      if (ends) {
        skipping_ = false;
        keepFrom = i + 1;
      }
      continue;
    }
    if (c == '\n') ++linesAfterCut_;
    const std::size_t at = text_.size() + (i - keepFrom);  // the byte's place in text_
    if (ends) {
      cut_ = at + 1;
      linesToCut_ += linesAfterCut_;
      linesAfterCut_ = 0;
      if (cut_ >= pieceBytes_) {
        // A piece's worth: it goes now, so that a piece stays near its size
        // whatever the size of the reads.
        text_.append(bytes.substr(keepFrom, i + 1 - keepFrom));
        keepFrom = i + 1;
        TakeWhole(cut_, ready_.emplace_back());
      }
    } else if (at + 1 - cut_ > limit_) {
      // The record in progress passes the limit: the whole records before
      // it go as a piece, the record as its line alone, and its bytes up to
      // its end are dropped.
      text_.append(bytes.substr(keepFrom, i + 1 - keepFrom));
      keepFrom = i + 1;
      if (cut_ > 0) {
        InputPiece& whole = ready_.emplace_back();
        TakeWhole(cut_, whole);
      }
      ready_.push_back({std::string(), line_, consumed_ + text_.size(), true});
      consumed_ += text_.size();
      line_ += linesAfterCut_;
      linesAfterCut_ = 0;
      text_.clear();
      skipping_ = true;
    }
  }
  if (!skipping_) text_.append(bytes.substr(keepFrom));
}

void RecordSplitter::TakeWhole(std::size_t length, InputPiece& piece) {
  piece.tooLong = false;
  piece.firstLine = line_;
  piece.text.assign(text_, 0, length);
  text_.erase(0, length);
  consumed_ += length;
  piece.end = consumed_;
  if (length == cut_) {
    line_ += linesToCut_;
    linesToCut_ = 0;
    cut_ = 0;
  } else {  // the end of the input: the last record goes too
    line_ += linesToCut_ + linesAfterCut_;
    linesToCut_ = linesAfterCut_ = 0;
    cut_ = 0;
  }
}

bool RecordSplitter::Take(InputPiece& piece) {
  if (!ready_.empty()) {
    piece = std::move(ready_.front());
    ready_.pop_front();
    return true;
  }
  if (!ended_ || text_.empty()) return false;
  TakeWhole(text_.size(), piece);
  return true;
}

bool RecordSplitter::TakeRecords(InputPiece& piece) {
  if (Take(piece)) return true;
  if (cut_ == 0) return false;
  TakeWhole(cut_, piece);
  return true;
}

bool JsonLinesReader::Next(std::size_t& line, std::string_view& text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!rest_.empty()) {
    const std::size_t end = rest_.find('\n');
    std::string_view found = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    line = line_++;
    while (!found.empty() && blank(found.front())) found.remove_prefix(1);
    while (!found.empty() && blank(found.back())) found.remove_suffix(1);
    if (!found.empty() && found != "\r") {
      text = found;
      return true;
    }
  }
  return false;
}

}  // namespace orbisca::cli
