#pragma once

// The batch input cut into pieces of whole records as it is read, so that the
// workers can read the pieces side by side and give the rows a whole-text
// read would give, in the same order, with the same line numbers.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace orbisca::cli {

enum class RecordGrammar { Csv, Lines };

// The longest record the batch keeps: far more than any birth needs. A longer
// one is refused and skipped without being kept, so that memory stays bounded
// whatever the input.
inline constexpr std::size_t kRecordLimit = 1024 * 1024;
inline constexpr std::string_view kRecordTooLong = "the row is longer than 1 MiB";

// Follows CsvReader's states byte by byte, and says which bytes end a record:
// those after which the reader stands at the start of a record (or of a blank
// line). A '"' starts a quoted field only at the start of a field; elsewhere
// it is an ordinary character, as it is to the reader.
class CsvCutter {
 public:
  bool Ends(char c);

 private:
  enum class State : unsigned char {
    FieldStart,     // the start of a record or after a comma
    Unquoted,       // in a field that did not start with a quote
    Quoted,         // in a quoted field
    QuoteInQuoted,  // a quote in a quoted field: its end, or the first of a doubled quote
    CrAfterQuote,   // a CR after a closing quote: a CR LF line end, or a broken record
    Broken,         // text after a closing quote; the reader skips the rest of the line
  };
  State state_ = State::FieldStart;
};

// A piece of the input: whole records, or the place of one record too long.
struct InputPiece {
  std::string text;           // whole records; empty for a record too long
  std::size_t firstLine = 1;  // the line `text` (or the long record) starts on
  std::size_t end = 0;        // bytes of input up to the end of the piece
  bool tooLong = false;       // one record longer than the limit, skipped
};

// Takes the input's bytes as they are read and hands out pieces. Each byte is
// scanned once; what is kept is the pieces not yet taken and the record in
// progress, which is at most the limit.
class RecordSplitter {
 public:
  // A piece ends at the first record end at or past `pieceBytes`.
  RecordSplitter(RecordGrammar grammar, std::size_t pieceBytes, std::size_t limit = kRecordLimit);
  // The next bytes of the input. A CSV input's byte-order mark is dropped.
  void Add(std::string_view bytes);
  // The input has ended: what is left is the last record, without its line break.
  void End();
  // The next piece: a record too long, or whole records of at least
  // `pieceBytes` (what is left, at the end of the input). False when there
  // is none yet.
  bool Take(InputPiece& piece);
  // The same, but it also takes the whole records kept so far when no piece
  // is complete: for the header, which must not wait for a piece's worth.
  bool TakeRecords(InputPiece& piece);

 private:
  void Scan(std::string_view bytes);
  bool Ends(char c) { return grammar_ == RecordGrammar::Lines ? c == '\n' : cutter_.Ends(c); }
  void TakeWhole(std::size_t length, InputPiece& piece);

  RecordGrammar grammar_;
  std::size_t pieceBytes_;
  std::size_t limit_;
  CsvCutter cutter_;
  std::string start_;        // the first bytes, until a byte-order mark is ruled out
  bool started_ = false;
  bool ended_ = false;
  std::string text_;         // whole records up to cut_, then the record in progress
  std::size_t cut_ = 0;
  std::size_t line_ = 1;     // the line text_ starts on
  std::size_t linesToCut_ = 0;
  std::size_t linesAfterCut_ = 0;
  std::size_t consumed_ = 0;  // bytes of input before text_
  bool skipping_ = false;     // in a record too long, whose bytes are dropped
  std::deque<InputPiece> ready_;
};

// The lines of JSON Lines text that hold something, with their numbers; a
// line's surrounding spaces and tabs and its CR are no part of it.
class JsonLinesReader {
 public:
  explicit JsonLinesReader(std::string_view text, std::size_t firstLine = 1) : rest_(text), line_(firstLine) {}
  bool Next(std::size_t& line, std::string_view& text);

 private:
  std::string_view rest_;
  std::size_t line_;
};

}  // namespace orbisca::cli
