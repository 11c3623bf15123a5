#pragma once

// Births as CSV (RFC 4180) and JSON Lines records: the batch mode's columns
// (name, date, time, zone, dst, lon, lat), so that an exported library charts
// with `orbisca-chart --batch`, and the library's own: id, kind, note, source,
// tags, the zone's IANA name (tz), the place's text and GeoNames id, and the
// AAF chunks kept from an import.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "births/saved_birth.h"

namespace orbisca::births {

enum class Field : unsigned char {
  Id, Name, Date, Time, Zone, Dst, Lon, Lat, Kind, Note, Source, Tags, Tz, PlaceName, GeonamesId, Aaf
};
enum class FieldType : unsigned char { Text, Number, Bool, List };
struct FieldInfo {
  Field field;
  std::string_view key;  // the CSV header's name and the JSON key
  FieldType json;        // how JSON Lines writes it
  bool required;         // a file without it is refused
};
inline constexpr std::size_t kFieldCount = 16;
inline constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    {Field::Id, "id", FieldType::Number, false},
    {Field::Name, "name", FieldType::Text, false},
    {Field::Date, "date", FieldType::Text, true},
    {Field::Time, "time", FieldType::Text, true},
    {Field::Zone, "zone", FieldType::Text, true},
    {Field::Dst, "dst", FieldType::Bool, true},
    {Field::Lon, "lon", FieldType::Text, true},
    {Field::Lat, "lat", FieldType::Text, true},
    {Field::Kind, "kind", FieldType::Text, false},
    {Field::Note, "note", FieldType::Text, false},
    {Field::Source, "source", FieldType::Text, false},
    {Field::Tags, "tags", FieldType::List, false},
    {Field::Tz, "tz", FieldType::Text, false},
    {Field::PlaceName, "place_name", FieldType::Text, false},
    {Field::GeonamesId, "geonames_id", FieldType::Number, false},
    {Field::Aaf, "aaf", FieldType::Text, false},
}};
inline constexpr std::size_t Index(Field f) { return static_cast<std::size_t>(f); }

// A record's texts by field; a field the record does not give is empty.
using Cells = std::array<std::optional<std::string>, kFieldCount>;

// The texts of a birth (every field given).
Cells CellsOf(const SavedBirth& saved);
// The birth of a record's texts, or the reason it is refused. A field not
// given keeps the value `saved` has.
std::string ReadCells(const Cells& cells, SavedBirth& saved);

// One record as a CSV line (with its line break) or a JSON Lines line. The
// JSON writes only the given fields.
std::string CsvHeader();
void AppendCsv(const SavedBirth& saved, std::string& out);
void AppendJson(const Cells& cells, std::string& out);
inline void AppendJsonLine(const SavedBirth& saved, std::string& out) {
  AppendJson(CellsOf(saved), out);
  out += '\n';
}

// Reading: every record of the text with its line, or the message naming
// what is wrong with it.
struct TextRecord {
  std::size_t line = 0;
  Cells cells;
  std::string error;
};
std::vector<TextRecord> ReadCsv(std::string_view text);
std::vector<TextRecord> ReadJsonLines(std::string_view text);
// One JSON object's fields; the reason when it is not one of ours.
std::string ReadJsonObject(std::string_view text, Cells& cells);

}  // namespace orbisca::births
