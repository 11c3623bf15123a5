#pragma once

// One row of the batch mode: its cells by column, their conversion to the
// form's entries, and the chart or the refusal written in the output format.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cli/json_writer.h"
#include "cli/place_option.h"
#include "run/birth.h"
#include "run/chart.h"

namespace orbisca::cli {

enum class BatchColumn : unsigned char { Name, Date, Time, Zone, Dst, Lon, Lat, Place };

// Whether a row must have the column: always, unless the row names a place
// of the atlas (which gives the zone and settles daylight saving), or never.
enum class BatchNeed : unsigned char { Optional, Required, RequiredWithoutPlace };

struct BatchColumnInfo {
  BatchColumn column;
  std::string_view key;  // the CSV header's name and the JSON key
  BatchNeed need;
};

// The columns a batch file may have; the values are written as the options
// of the same names (`place` as --place).
inline constexpr std::size_t kBatchColumnCount = 8;
inline constexpr std::array<BatchColumnInfo, kBatchColumnCount> kBatchColumns = {{
    {BatchColumn::Name, "name", BatchNeed::Optional},
    {BatchColumn::Date, "date", BatchNeed::Required},
    {BatchColumn::Time, "time", BatchNeed::Required},
    {BatchColumn::Zone, "zone", BatchNeed::RequiredWithoutPlace},
    {BatchColumn::Dst, "dst", BatchNeed::RequiredWithoutPlace},
    {BatchColumn::Lon, "lon", BatchNeed::Optional},
    {BatchColumn::Lat, "lat", BatchNeed::Optional},
    {BatchColumn::Place, "place", BatchNeed::Optional},
}};

inline constexpr std::size_t Index(BatchColumn c) { return static_cast<std::size_t>(c); }
// The column of a header name or key, nothing when there is none.
std::optional<BatchColumn> ColumnNamed(std::string_view key);

// A row's cells; a column that the file does not have is not given.
struct RowCells {
  std::array<std::string_view, kBatchColumnCount> text{};
  std::array<bool, kBatchColumnCount> given{};

  void Set(BatchColumn c, std::string_view value) {
    text[Index(c)] = value;
    given[Index(c)] = true;
  }
};

// The message that refuses a row for a column it lacks, empty when it has
// all it needs. `given` says which columns the row (or the header) has.
std::string MissingColumn(const std::array<bool, kBatchColumnCount>& given);

// A row's birth, and the atlas's facts when the row
// names a place.
struct RowBirth {
  Birth birth;
  std::optional<PlaceFacts> place;
};

// The row's birth, or the message that refuses it: the single chart's option
// messages (a place as --place's, from the process's atlas). The form's
// checks come after, when the birth is charted (ChartBirthRow).
std::variant<RowBirth, std::string> BirthFromRow(const RowCells& cells);

enum class BatchFormat { Jsonl, Csv };

struct BatchOutput {
  BatchFormat format = BatchFormat::Jsonl;
  // What numbers a row: "line", its line in the input, or "id", a birth of
  // the library. The first key of a JSON row, the first column of the CSV,
  // and the word before the number in a refusal on standard error.
  std::string_view rowKey = "line";
  bool paragraphs = false;
  // --node and --dasha-year; a row carries the balance at birth, not the
  // dasha's periods. --vargas sets `vargas`, and the JSON rows then carry them.
  ChartOptions chart{.dashaLevels = 0, .vargas = false};
};

// Where rows are written: the output, the messages for standard error, and
// the JSON writer the rows reuse.
struct RowSink {
  std::string out;
  std::string messages;
  JsonWriter json;
};

// The first line of the output, if the format has one.
std::string OutputHeader(const BatchOutput& output);

// Charts one row and appends it to the sink's output, or, when the row is
// refused, appends the refusal to the output (JSON Lines) or to the messages
// (CSV: one line for standard error). Returns whether the row was charted.
bool ChartRow(std::size_t line, const RowCells& cells, const BatchOutput& output, RowSink& sink);

// Appends a refusal of the row on `line`, as ChartRow does.
void RefuseRow(std::size_t line, std::string_view message, const BatchOutput& output, RowSink& sink);

// Charts a birth read already (a row's, or the library's) as ChartRow does,
// or refuses it with the form's checks. Returns whether it was charted.
bool ChartBirthRow(std::size_t number, const Birth& birth, const std::optional<PlaceFacts>& place,
                   const BatchOutput& output, RowSink& sink);

}  // namespace orbisca::cli
