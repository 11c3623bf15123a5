// The rows a reader makes of a text, as lines of text to compare: each
// record's line, its error and its fields. For the batch input's tests and
// its fuzz target.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/input_pieces.h"

namespace orbisca::testing_cli {

using Rows = std::vector<std::string>;

inline void AppendCsvRows(std::string_view text, std::size_t firstLine, Rows& rows) {
  cli::CsvReader reader(text, firstLine);
  cli::CsvRecord record;
  while (reader.Next(record)) {
    std::string row = std::to_string(record.line) + ":" + record.error;
    for (const std::string& field : record.fields) row += "|" + field;
    rows.push_back(row);
  }
}

inline void AppendJsonLines(std::string_view text, std::size_t firstLine, Rows& rows) {
  cli::JsonLinesReader reader(text, firstLine);
  std::size_t line = 0;
  std::string_view found;
  while (reader.Next(line, found)) rows.push_back(std::to_string(line) + ":" + std::string(found));
}

// A record too long, as the splitter reports it.
inline std::string TooLongRow(std::size_t line) { return std::to_string(line) + ":" + std::string(cli::kRecordTooLong); }

// The rows of a piece the splitter gave.
inline void AppendPieceRows(cli::RecordGrammar grammar, const cli::InputPiece& piece, Rows& rows) {
  if (piece.tooLong) {
    rows.push_back(TooLongRow(piece.firstLine));
  } else if (grammar == cli::RecordGrammar::Csv) {
    AppendCsvRows(piece.text, piece.firstLine, rows);
  } else {
    AppendJsonLines(piece.text, piece.firstLine, rows);
  }
}

}  // namespace orbisca::testing_cli
