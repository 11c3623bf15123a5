// The batch input's readers, CSV and JSON Lines, on any bytes, with a
// differential invariant: the rows (their lines, fields and errors) that one
// read of the whole text gives are the rows that the splitter's pieces give,
// whatever the sizes of the reads and of the pieces. No row is invented or
// lost. With a small record limit, each record longer than it is instead one
// "too long" row on the record's own line.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/input_pieces.h"
#include "cli/standard_output.h"
#include "tests/cli/record_rows.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace orbisca::cli;

using orbisca::testing_cli::AppendCsvRows;
using orbisca::testing_cli::AppendJsonLines;
using orbisca::testing_cli::Rows;
using orbisca::testing_cli::TooLongRow;

// One read of the whole text; a record longer than `limit` is a "too long" row.
Rows WholeRows(RecordGrammar grammar, std::string_view text, std::size_t limit) {
  Rows rows;
  if (grammar == RecordGrammar::Lines) {
    std::size_t line = 1;
    for (std::size_t start = 0; start < text.size(); ++line) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      const std::string_view one = text.substr(start, end - start);
      if (one.size() > limit) {
        rows.push_back(TooLongRow(line));
      } else {
        AppendJsonLines(one, line, rows);
      }
      start = end + 1;
    }
    return rows;
  }
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  CsvReader reader(text);
  CsvRecord record;
  while (reader.Next(record)) {
    // The record's bytes, without the line break that ends it (a quoted
    // field never closed runs to the end of the text: its last line break
    // is its own).
    std::size_t length = reader.Offset() - reader.RecordStart();
    const bool open = record.error == "a quoted field is not closed";
    if (!open && reader.Offset() > reader.RecordStart() && text[reader.Offset() - 1] == '\n') --length;
    if (length > limit) {
      rows.push_back(TooLongRow(record.line));
      continue;
    }
    Rows one;
    AppendCsvRows(text.substr(reader.RecordStart(), reader.Offset() - reader.RecordStart()), record.line, one);
    FUZZ_CHECK(one.size() == 1, "a record read again on its own is one record");
    rows.push_back(one.front());
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const RecordGrammar grammar = in.ConsumeBool() ? RecordGrammar::Csv : RecordGrammar::Lines;
  const std::size_t limit = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::size_t>(1, 64) : kRecordLimit;
  std::vector<std::size_t> steps(4);
  for (std::size_t& step : steps) step = in.ConsumeIntegralInRange<std::size_t>(1, 97);
  const std::size_t pieceBytes = in.ConsumeIntegralInRange<std::size_t>(0, 200);
  const bool records = in.ConsumeBool();  // as the header is read
  const std::string text = in.ConsumeRemainingBytesAsString();
  FuzzContext() = text;

  RecordSplitter splitter(grammar, pieceBytes, limit);
  Rows pieces;
  InputPiece piece;
  std::size_t consumed = 0;
  bool lastTooLong = false;  // its end is where it passed the limit
  const auto take = [&] {
    while (records ? splitter.TakeRecords(piece) : splitter.Take(piece)) {
      lastTooLong = piece.tooLong;
      FUZZ_CHECK(piece.end >= consumed, "pieces come in input order");
      consumed = piece.end;
      FUZZ_CHECK(!piece.tooLong || piece.text.empty(), "a record too long is not kept");
      orbisca::testing_cli::AppendPieceRows(grammar, piece, pieces);
    }
  };
  for (std::size_t at = 0, i = 0; at < text.size(); ++i) {
    const std::size_t step = steps[i % steps.size()];
    splitter.Add(std::string_view(text).substr(at, step));
    take();
    at += step;
  }
  splitter.End();
  take();
  const bool onlyMark = grammar == RecordGrammar::Csv && text == "\xEF\xBB\xBF";
  FUZZ_CHECK(consumed <= text.size(), "the pieces end within the input");
  FUZZ_CHECK(consumed == text.size() || onlyMark || lastTooLong, "the pieces end where the input ends");
  const Rows whole = WholeRows(grammar, text, limit);
  if (pieces != whole) {
    FuzzContext() = (grammar == RecordGrammar::Csv ? "CSV, limit " : "JSON Lines, limit ") + std::to_string(limit) + ", " + std::to_string(text.size()) + " bytes" +
                    "\n" + text + "\nwhole:";
    for (const std::string& row : whole) FuzzContext() += "\n  " + row;
    FuzzContext() += "\npieces:";
    for (const std::string& row : pieces) FuzzContext() += "\n  " + row;
    FuzzContext() = EscapeControls(FuzzContext(), true);
  }
  FUZZ_CHECK(pieces == whole, "the pieces give the whole text's rows");
  return 0;
}
