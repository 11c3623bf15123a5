#include "births/text_records.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace orbisca::births {
namespace {

std::optional<Field> FieldNamed(std::string_view key) {
  for (const FieldInfo& info : kFields) {
    if (info.key == key) return info.field;
  }
  return std::nullopt;
}

std::string KeyList() {
  std::string list;
  for (const FieldInfo& info : kFields) list += (list.empty() ? "" : ", ") + std::string(info.key);
  return list;
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
  std::int64_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 0) return std::nullopt;
  return n;
}

void AppendCsvField(std::string& out, std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                                        text.back() == '\t'));
  if (!quote) {
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

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

// A small reader of one JSON object whose values are strings, whole numbers,
// true, false, null or arrays of strings (RFC 8259).
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : s_(text) {}

  std::string ReadObject(Cells& cells) {
    SkipSpace();
    if (!Take('{')) return "a record is a JSON object in braces";
    SkipSpace();
    if (Take('}')) return End();
    for (;;) {
      std::string key;
      SkipSpace();
      if (!ReadString(key)) return "a key is a JSON string";
      SkipSpace();
      if (!Take(':')) return "':' after the key \"" + key + "\"";
      const std::optional<Field> field = FieldNamed(key);
      if (!field) return "unknown key \"" + key + "\"; the keys are " + KeyList();
      std::optional<std::string>& cell = cells[Index(*field)];
      if (cell) return "the key \"" + key + "\" is given twice";
      SkipSpace();
      std::string error = ReadValue(cell, key);
      if (!error.empty()) return error;
      SkipSpace();
      if (Take('}')) return End();
      if (!Take(',')) return "',' or '}' after the value of \"" + key + "\"";
    }
  }

 private:
  std::string End() {
    SkipSpace();
    return pos_ == s_.size() ? std::string() : std::string("text after the record's closing brace");
  }

  std::string ReadValue(std::optional<std::string>& cell, const std::string& key) {
    std::string text;
    if (Peek() == '"') {
      if (!ReadString(text)) return "the value of \"" + key + "\" is not a valid JSON string";
    } else if (Literal("true")) {
      text = "true";
    } else if (Literal("false")) {
      text = "false";
    } else if (Literal("null")) {
      cell.reset();
      return {};
    } else if (Take('[')) {
      SkipSpace();
      if (!Take(']')) {
        for (;;) {
          std::string item;
          SkipSpace();
          if (!ReadString(item)) return "the list \"" + key + "\" holds strings only";
          if (!text.empty()) text += ';';
          text += item;
          SkipSpace();
          if (Take(']')) break;
          if (!Take(',')) return "',' or ']' in the list \"" + key + "\"";
        }
      }
    } else {
      const std::size_t start = pos_;
      while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '-')) ++pos_;
      if (pos_ == start) return "the value of \"" + key + "\" is not one JSON value";
      text = s_.substr(start, pos_ - start);
    }
    cell = std::move(text);
    return {};
  }

  bool ReadString(std::string& out) {
    if (!Take('"')) return false;
    while (pos_ < s_.size()) {
      const char c = s_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) return false;
      const char e = s_[pos_++];
      switch (e) {
        case '"': case '\\': case '/': out += e; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          std::optional<unsigned> cp = Hex4();
          if (!cp) return false;
          if (*cp >= 0xD800 && *cp <= 0xDBFF) {  // a surrogate pair
            if (!Take('\\') || !Take('u')) return false;
            const std::optional<unsigned> low = Hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
            cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
          } else if (*cp >= 0xDC00 && *cp <= 0xDFFF) {
            return false;
          }
          AppendUtf8(out, *cp);
          break;
        }
        default: return false;
      }
    }
    return false;
  }

  std::optional<unsigned> Hex4() {
    if (s_.size() - pos_ < 4) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(s_.data() + pos_, s_.data() + pos_ + 4, value, 16);
    if (ec != std::errc() || end != s_.data() + pos_ + 4) return std::nullopt;
    pos_ += 4;
    return value;
  }

  static void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  bool Literal(std::string_view word) {
    if (s_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  void SkipSpace() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) ++pos_;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

Cells CellsOf(const SavedBirth& s) {
  const Birth& b = s.birth;
  Cells c;
  const auto set = [&c](Field f, std::string text) { c[Index(f)] = std::move(text); };
  set(Field::Id, std::to_string(s.id));
  set(Field::Name, b.name);
  set(Field::Date, DateText(b));
  set(Field::Time, TimeText(b));
  set(Field::Zone, ZoneText(b.zone));
  set(Field::Dst, b.dst ? "true" : "false");
  set(Field::Lon, LonText(b));
  set(Field::Lat, LatText(b));
  set(Field::Kind, std::string(KindText(s.kind)));
  set(Field::Note, s.note);
  set(Field::Source, s.source);
  set(Field::Tags, TagsText(s.tags));
  const ZoneOffset* offset = std::get_if<ZoneOffset>(&b.zone);
  set(Field::Tz, offset ? offset->iana : "");
  set(Field::PlaceName, b.place ? b.place->text : "");
  set(Field::GeonamesId, b.place && b.place->geonameId ? std::to_string(b.place->geonameId) : "");
  set(Field::Aaf, s.aaf);
  return c;
}

std::string ReadCells(const Cells& c, SavedBirth& s) {
  Birth& b = s.birth;
  const auto given = [&c](Field f) -> const std::string* { return c[Index(f)] ? &*c[Index(f)] : nullptr; };
  if (const std::string* id = given(Field::Id); id && !id->empty()) {
    const std::optional<std::int64_t> n = WholeNumber(*id);
    if (!n) return "id expects a whole number, not \"" + *id + "\"";
    s.id = *n;
  }
  if (const std::string* t = given(Field::Name)) b.name = *t;
  using Reader = std::string (*)(std::string_view, Birth&);
  for (const auto& [field, read] : std::initializer_list<std::pair<Field, Reader>>{
           {Field::Date, ReadDate}, {Field::Time, ReadTime}, {Field::Zone, ReadZone},
           {Field::Dst, ReadDst}, {Field::Lon, ReadLon}, {Field::Lat, ReadLat}}) {
    if (const std::string* t = given(field)) {
      if (std::string error = read(*t, b); !error.empty()) return error;
    }
  }
  if (const std::string* tz = given(Field::Tz); tz && !tz->empty()) {
    ZoneOffset* offset = std::get_if<ZoneOffset>(&b.zone);
    if (!offset) return "tz names the IANA zone of an offset; give the zone as UTC+HH:MM";
    offset->iana = *tz;
  }
  if (const std::string* t = given(Field::Kind)) {
    const std::optional<Kind> kind = KindFromText(*t);
    if (!kind) return "kind expects male, female or event, not \"" + *t + "\"";
    s.kind = *kind;
  }
  if (const std::string* t = given(Field::Note)) s.note = *t;
  if (const std::string* t = given(Field::Source)) s.source = *t;
  if (const std::string* t = given(Field::Tags)) s.tags = TagsFromText(*t);
  if (const std::string* t = given(Field::Aaf)) s.aaf = *t;
  const std::string* placeName = given(Field::PlaceName);
  const std::string* geonames = given(Field::GeonamesId);
  if (placeName || geonames) {
    BirthPlace place = b.place.value_or(BirthPlace{});  // a field not given keeps its value
    if (placeName) place.text = *placeName;
    if (geonames && !geonames->empty()) {
      const std::optional<std::int64_t> n = WholeNumber(*geonames);
      if (!n) return "geonames_id expects a whole number, not \"" + *geonames + "\"";
      place.geonameId = *n;
    }
    if (place.text.empty() && place.geonameId == 0) b.place.reset();
    else b.place = std::move(place);
  }
  return CheckSaved(s);
}

std::string CsvHeader() {
  std::string header;
  for (const FieldInfo& info : kFields) {
    if (!header.empty()) header += ',';
    header += info.key;
  }
  return header + "\n";
}

void AppendCsv(const SavedBirth& saved, std::string& out) {
  const Cells cells = CellsOf(saved);
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    if (i) out += ',';
    AppendCsvField(out, *cells[i]);
  }
  out += '\n';
}

void AppendJson(const Cells& cells, std::string& out) {
  out += '{';
  bool first = true;
  for (const FieldInfo& info : kFields) {
    const std::optional<std::string>& cell = cells[Index(info.field)];
    if (!cell) continue;
    if (!first) out += ',';
    first = false;
    AppendJsonString(out, info.key);
    out += ':';
    switch (info.json) {
      case FieldType::Text: AppendJsonString(out, *cell); break;
      case FieldType::Number: out += cell->empty() ? "null" : *cell; break;
      case FieldType::Bool: out += *cell; break;
      case FieldType::List: {
        out += '[';
        bool firstTag = true;
        for (const std::string& tag : TagsFromText(*cell)) {
          if (!firstTag) out += ',';
          firstTag = false;
          AppendJsonString(out, tag);
        }
        out += ']';
        break;
      }
    }
  }
  out += '}';
}

std::string ReadJsonObject(std::string_view text, Cells& cells) { return JsonReader(text).ReadObject(cells); }

std::vector<TextRecord> ReadJsonLines(std::string_view text) {
  std::vector<TextRecord> records;
  std::size_t line = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view row = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++line;
    if (line == 1 && row.starts_with("\xEF\xBB\xBF")) row.remove_prefix(3);
    if (row.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    TextRecord& r = records.emplace_back();
    r.line = line;
    r.error = ReadJsonObject(row, r.cells);
  }
  return records;
}

std::vector<TextRecord> ReadCsv(std::string_view text) {
  std::vector<TextRecord> records;
  std::size_t pos = 0, line = 1;
  if (text.starts_with("\xEF\xBB\xBF")) pos = 3;
  // One record (RFC 4180): fields, quoted ones across line breaks.
  const auto next = [&](std::vector<std::string>& fields, std::string& error) {
    fields.assign(1, std::string());
    bool quoted = false, wasQuoted = false;
    while (pos < text.size()) {
      const char c = text[pos++];
      if (quoted) {
        if (c == '"') {
          if (pos < text.size() && text[pos] == '"') {
            fields.back() += '"';
            ++pos;
          } else {
            quoted = false;
          }
        } else {
          if (c == '\n') ++line;
          fields.back() += c;
        }
      } else if (c == '"' && fields.back().empty() && !wasQuoted) {
        quoted = wasQuoted = true;
      } else if (c == ',') {
        fields.emplace_back();
        wasQuoted = false;
      } else if (c == '\n' || (c == '\r' && pos < text.size() && text[pos] == '\n')) {
        if (c == '\r') ++pos;
        ++line;
        return;
      } else if (wasQuoted) {
        error = "text after a closing quote";
      } else {
        if (c == '"') error = "a quote inside an unquoted field";
        fields.back() += c;
      }
    }
    if (quoted) error = "a quoted field that never ends";
  };
  std::vector<std::string> fields;
  std::string error;
  std::vector<Field> columns;
  while (pos < text.size()) {
    const std::size_t startLine = line;
    error.clear();
    next(fields, error);
    if (fields.size() == 1 && fields[0].empty() && error.empty()) continue;  // a blank line
    if (columns.empty()) {
      TextRecord header{startLine, {}, error};
      std::array<bool, kFieldCount> seen{};
      for (const std::string& key : fields) {
        const std::optional<Field> f = FieldNamed(key);
        if (!f) header.error = "the header names an unknown column \"" + key + "\"; the columns are " + KeyList();
        else if (seen[Index(*f)]) header.error = "the header names the column \"" + key + "\" twice";
        else seen[Index(*f)] = true, columns.push_back(*f);
        if (!header.error.empty()) break;
      }
      for (const FieldInfo& info : kFields) {
        if (header.error.empty() && info.required && !seen[Index(info.field)]) {
          header.error = "the header has no \"" + std::string(info.key) + "\" column";
        }
      }
      if (!header.error.empty()) return {header};
      continue;
    }
    TextRecord& r = records.emplace_back();
    r.line = startLine;
    r.error = error;
    if (r.error.empty() && fields.size() != columns.size()) {
      r.error = "the row has " + std::to_string(fields.size()) + " fields; the header has " +
                std::to_string(columns.size());
    }
    if (r.error.empty()) {
      for (std::size_t i = 0; i < fields.size(); ++i) r.cells[Index(columns[i])] = std::move(fields[i]);
    }
  }
  if (columns.empty()) return {TextRecord{1, {}, "the file has no header line"}};
  return records;
}

}  // namespace orbisca::births
