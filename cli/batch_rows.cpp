#include "cli/batch_rows.h"

#include <cctype>
#include <charconv>

#include "aspects/interpretation.h"
#include "cli/chart_json.h"
#include "cli/birth_options.h"
#include "run/plain_words.h"

namespace orbisca::cli {
namespace {

// A CSV field, quoted when it has to be.
void AppendCsvField(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendNumber(std::string& out, std::size_t n) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
  out.append(buffer, result.ptr);
}

// Fills the row's zone and position from its place; returns the refusal, or
// nothing when the place was applied.
std::string ApplyRowPlace(const OptionTexts& texts, std::optional<bool> dst, RowBirth& birth) {
  // Loaded by the first row that needs it, once for the process; the
  // workers then only read it.
  std::string error;
  const places::Atlas* atlas = ProcessAtlas(error);
  if (!atlas) return "--place: " + error;
  const places::DstChoice choice = !dst    ? places::DstChoice::Unspecified
                                   : *dst ? places::DstChoice::Dst
                                          : places::DstChoice::NoDst;
  PlaceApplied applied = ApplyPlace(*atlas, texts.place, !texts.zone.empty(), choice, birth.birth);
  if (!applied.facts) return "--place: " + applied.error;
  birth.place = std::move(applied.facts);
  return {};
}

}  // namespace

std::optional<BatchColumn> ColumnNamed(std::string_view key) {
  for (const BatchColumnInfo& info : kBatchColumns) {
    if (info.key == key) return info.column;
  }
  return std::nullopt;
}

std::string MissingColumn(const std::array<bool, kBatchColumnCount>& given) {
  for (const BatchColumnInfo& info : kBatchColumns) {
    const bool needed = info.need == BatchNeed::Required ||
                        (info.need == BatchNeed::RequiredWithoutPlace && !given[Index(BatchColumn::Place)]);
    if (!needed || given[Index(info.column)]) continue;
    return info.column == BatchColumn::Dst ? std::string("dst is required (true or false)")
                                           : "--" + std::string(info.key) + " is required";
  }
  return {};
}

std::variant<RowBirth, std::string> BirthFromRow(const RowCells& cells) {
  const auto cell = [&cells](BatchColumn c) { return cells.text[Index(c)]; };
  // An optional column left empty takes the option's default.
  const auto given = [&cells](BatchColumn c) { return cells.given[Index(c)] && !cells.text[Index(c)].empty(); };
  // An empty place cell is no place: the row then needs its zone and dst.
  const bool hasPlace = given(BatchColumn::Place);
  std::array<bool, kBatchColumnCount> present = cells.given;
  present[Index(BatchColumn::Place)] = hasPlace;
  // In a file with a place column, an empty zone cell is no zone either.
  if (cells.given[Index(BatchColumn::Place)]) present[Index(BatchColumn::Zone)] = given(BatchColumn::Zone);
  if (std::string missing = MissingColumn(present); !missing.empty()) return missing;
  if (hasPlace && (given(BatchColumn::Lon) || given(BatchColumn::Lat))) {
    return std::string("place sets the longitude and latitude; leave out lon and lat");
  }
  OptionTexts texts;
  if (given(BatchColumn::Name)) texts.name = cell(BatchColumn::Name);
  texts.date = cell(BatchColumn::Date);
  texts.time = cell(BatchColumn::Time);
  texts.zone = cell(BatchColumn::Zone);
  if (hasPlace) texts.place = cell(BatchColumn::Place);
  // With a place, an empty dst leaves a repeated hour unsettled, as giving
  // neither --dst nor --no-dst does.
  std::optional<bool> dst;
  if (!hasPlace || given(BatchColumn::Dst)) {
    dst = DstWord(cell(BatchColumn::Dst));
    if (!dst) return "dst expects true or false, not \"" + std::string(cell(BatchColumn::Dst)) + "\"";
  }
  texts.dst = dst.value_or(false);
  if (given(BatchColumn::Lon)) texts.lon = cell(BatchColumn::Lon);
  if (given(BatchColumn::Lat)) texts.lat = cell(BatchColumn::Lat);
  std::variant<Birth, UsageError> read = BirthFromTexts(texts);
  if (const UsageError* error = std::get_if<UsageError>(&read)) return error->message;
  RowBirth birth{std::get<Birth>(std::move(read)), std::nullopt};
  if (hasPlace) {
    if (std::string error = ApplyRowPlace(texts, dst, birth); !error.empty()) return error;
  }
  return birth;
}

std::string OutputHeader(const BatchOutput& output) {
  if (output.format == BatchFormat::Jsonl) return {};
  return std::string(output.rowKey) + (output.paragraphs ? ",name,kind,first,second,separation,paragraph\n"
                                                         : ",name,kind,first,second,separation\n");
}

void RefuseRow(std::size_t line, std::string_view message, const BatchOutput& output, RowSink& sink) {
  if (output.format == BatchFormat::Jsonl) {
    sink.json.BeginObject();
    sink.json.Member(output.rowKey, line);
    sink.json.Member("error", message);
    sink.json.EndObject();
    sink.json.Finish(sink.out);
    sink.out += '\n';
  } else {
    sink.messages += "orbisca-chart: ";
    sink.messages += output.rowKey;
    sink.messages += ' ';
    AppendNumber(sink.messages, line);
    sink.messages += ": ";
    sink.messages += message;
    sink.messages += '\n';
  }
}

bool ChartRow(std::size_t line, const RowCells& cells, const BatchOutput& output, RowSink& sink) {
  const std::variant<RowBirth, std::string> row = BirthFromRow(cells);
  if (const std::string* refusal = std::get_if<std::string>(&row)) {
    RefuseRow(line, *refusal, output, sink);
    return false;
  }
  return ChartBirthRow(line, std::get<RowBirth>(row).birth, std::get<RowBirth>(row).place, output, sink);
}

bool ChartBirthRow(std::size_t line, const Birth& birth, const std::optional<PlaceFacts>& place,
                   const BatchOutput& output, RowSink& sink) {
  if (const std::string refusal = BirthRefusal(birth); !refusal.empty()) {
    RefuseRow(line, refusal, output, sink);
    return false;
  }
  const Chart chart = ComputeChart(birth, output.chart);
  std::string& out = sink.out;
  if (output.format == BatchFormat::Jsonl) {
    JsonWriter& json = sink.json;
    json.BeginObject();
    json.Member(output.rowKey, line);
    WriteChartMembers(json, chart, {.paragraphs = output.paragraphs, .vargas = output.chart.vargas});
    if (place) WritePlaceMember(json, *place);
    json.EndObject();
    json.Finish(out);
    out += '\n';
    return true;
  }
  for (const AspectEntry& e : chart.aspects) {
    AppendNumber(out, line);
    out += ',';
    AppendCsvField(out, birth.name);
    out += ',';
    AppendCsvField(out, Info(e.kind).caption);
    out += ',';
    out += BodyName(e.first);
    out += ',';
    out += BodyName(e.second);
    out += ',';
    out += std::to_string(e.separation);
    if (output.paragraphs) {
      out += ',';
      AppendCsvField(out, GetInterpretation(e.kind, e.first, e.second));
    }
    out += '\n';
  }
  return true;
}

}  // namespace orbisca::cli
