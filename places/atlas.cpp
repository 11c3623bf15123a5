#include "places/atlas.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

#include "places/fold.h"

namespace orbisca::places {
namespace {

constexpr const char* kInstalledFolder = "/usr/share/libtimezonemap/ui";

// Columns of GeoNames' cities file (its readme, "geoname" table).
struct CityColumns {
  static constexpr std::size_t id = 0, name = 1, asciiName = 2, latitude = 4, longitude = 5,
                               countryCode = 8, admin1 = 10, population = 14, timeZone = 17,
                               count = 19;
};

struct FileText {
  std::string text;
  std::string error;
};

// Reads a regular file whole. Anything else is refused before it is read: a
// folder would read as a huge size, and a FIFO would block the open until a
// writer comes (hence the open without blocking, then the check).
FileText ReadWholeFile(const std::string& path) {
  const auto failed = [&path](const std::string& reason) {
    return FileText{{}, "Cannot read the atlas file " + path + ": " + reason};
  };
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return failed(std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = errno;
    close(fd);
    if (!S_ISREG(st.st_mode) && st.st_mode != 0) return failed(S_ISDIR(st.st_mode) ? "is a directory" : "is not a regular file");
    return failed(std::strerror(error));
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      close(fd);
      return failed(std::strerror(error));
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return {std::move(text), {}};
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

// Calls onLine(fields, lineNumber) for each line that is neither empty nor a
// '#' comment; stops at the first non-empty message it returns.
template <typename OnLine>
std::string ForEachRecord(const std::string& text, OnLine onLine) {
  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber;
    start = end + 1;
    if (line.empty() || line.front() == '#') continue;
    std::string message = onLine(SplitTabs(line), lineNumber);
    if (!message.empty()) return message;
  }
  return {};
}

template <typename Number>
bool ParseNumber(std::string_view field, Number& out) {
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), out);
  return !field.empty() && ec == std::errc() && end == field.data() + field.size();
}

std::string LineError(const std::string& path, std::size_t line, const std::string& what) {
  return "The atlas file " + path + " is damaged at line " + std::to_string(line) + ": " + what;
}

// Each file has a fixed number of columns (GeoNames' readme); a line with
// another count is damage, such as a file whose line breaks were lost.
constexpr std::size_t kAdmin1Columns = 4;    // code, name, ASCII name, GeoNames id
constexpr std::size_t kCountryColumns = 19;  // ISO ... EquivalentFipsCode

std::string ColumnCountError(std::size_t expected, std::size_t found) {
  return "expected " + std::to_string(expected) + " columns, found " + std::to_string(found);
}

using NameTable = std::unordered_map<std::string, std::string>;

std::string LoadAdmin1(const std::string& path, const std::string& text, NameTable& names) {
  return ForEachRecord(text, [&](const std::vector<std::string_view>& f, std::size_t line) -> std::string {
    if (f.size() != kAdmin1Columns) return LineError(path, line, ColumnCountError(kAdmin1Columns, f.size()));
    names.emplace(std::string(f[0]), std::string(f[1]));  // "US.NY" -> "New York"
    return {};
  });
}

std::string LoadCountries(const std::string& path, const std::string& text, NameTable& names) {
  return ForEachRecord(text, [&](const std::vector<std::string_view>& f, std::size_t line) -> std::string {
    if (f.size() != kCountryColumns) return LineError(path, line, ColumnCountError(kCountryColumns, f.size()));
    names.emplace(std::string(f[0]), std::string(f[4]));  // ISO code -> country name
    return {};
  });
}

std::string ParseCity(const std::vector<std::string_view>& f, Place& place) {
  using C = CityColumns;
  if (f.size() != C::count) return ColumnCountError(C::count, f.size());
  if (!ParseNumber(f[C::id], place.geonameId)) return "bad GeoNames id";
  if (!ParseNumber(f[C::latitude], place.latitude) || std::abs(place.latitude) > 90) return "bad latitude";
  if (!ParseNumber(f[C::longitude], place.longitude) || std::abs(place.longitude) > 180) return "bad longitude";
  if (!ParseNumber(f[C::population], place.population)) return "bad population";
  if (f[C::name].empty() || f[C::timeZone].empty()) return "missing name or time zone";
  place.name = f[C::name];
  place.asciiName = f[C::asciiName].empty() ? f[C::name] : f[C::asciiName];
  place.countryCode = f[C::countryCode];
  place.admin1Code = f[C::admin1];
  place.timeZone = f[C::timeZone];
  return {};
}

// The cities with their state and country names, in file order.
std::string LoadCities(const std::string& path, const std::string& text, const NameTable& admin1Names,
                       const NameTable& countryNames, std::vector<Place>& places) {
  places.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  return ForEachRecord(text, [&](const std::vector<std::string_view>& f, std::size_t line) {
    Place place;
    if (std::string what = ParseCity(f, place); !what.empty()) return LineError(path, line, what);
    if (auto it = admin1Names.find(place.countryCode + "." + place.admin1Code); it != admin1Names.end()) {
      place.admin1Name = it->second;
    }
    if (auto it = countryNames.find(place.countryCode); it != countryNames.end()) place.countryName = it->second;
    places.push_back(std::move(place));
    return std::string();
  });
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool MatchesAdmin(const Place& place, std::string_view folded) {
  return FoldForSearch(place.admin1Code) == folded ||
         (!place.admin1Name.empty() && StartsWith(FoldForSearch(place.admin1Name), folded));
}

bool MatchesCountry(const Place& place, std::string_view folded) {
  return FoldForSearch(place.countryCode) == folded || StartsWith(FoldForSearch(place.countryName), folded);
}

}  // namespace

std::string DisplayName(const Place& place) {
  std::string text = place.name;
  if (!place.admin1Name.empty() && place.admin1Name != place.name) text += ", " + place.admin1Name;
  text += ", " + (place.countryName.empty() ? place.countryCode : place.countryName);
  return text;
}

AtlasFiles AtlasFilesIn(const std::string& folder) {
  return {folder + "/cities15000.txt", folder + "/admin1Codes.txt", folder + "/countryInfo.txt"};
}

std::string DefaultAtlasFolder() {
  const char* overridden = std::getenv("ORBISCA_ATLAS_DIR");
  return (overridden && *overridden) ? overridden : kInstalledFolder;
}

AtlasLoad Atlas::Load(const AtlasFiles& files) {
  AtlasTexts texts;
  for (auto [path, text] : {std::pair{&files.admin1, &texts.admin1}, std::pair{&files.countries, &texts.countries},
                            std::pair{&files.cities, &texts.cities}}) {
    FileText file = ReadWholeFile(*path);
    if (!file.error.empty()) return {nullptr, file.error};
    *text = std::move(file.text);
  }
  return FromTexts(files, texts);
}

AtlasLoad Atlas::FromTexts(const AtlasFiles& files, const AtlasTexts& texts) {
  NameTable admin1Names, countryNames;
  if (std::string e = LoadAdmin1(files.admin1, texts.admin1, admin1Names); !e.empty()) return {nullptr, e};
  if (std::string e = LoadCountries(files.countries, texts.countries, countryNames); !e.empty()) return {nullptr, e};
  // A file of comments only (its line breaks lost after a '#') is no list.
  for (const auto& [path, names] : {std::pair{&files.admin1, &admin1Names}, std::pair{&files.countries, &countryNames}}) {
    if (names->empty()) return {nullptr, "The atlas file " + *path + " lists nothing"};
  }
  std::vector<Place> unordered;
  if (std::string e = LoadCities(files.cities, texts.cities, admin1Names, countryNames, unordered); !e.empty()) {
    return {nullptr, e};
  }
  if (unordered.empty()) return {nullptr, "The atlas file " + files.cities + " lists no places"};

  // Largest first; the places are moved once, in that order.
  std::vector<std::uint32_t> order(unordered.size());
  for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const Place& pa = unordered[a];
    const Place& pb = unordered[b];
    return pa.population != pb.population ? pa.population > pb.population : pa.geonameId < pb.geonameId;
  });
  std::shared_ptr<Atlas> atlas(new Atlas());
  atlas->places_.reserve(order.size());
  for (std::uint32_t i : order) atlas->places_.push_back(std::move(unordered[i]));
  atlas->BuildKeys();
  return {std::move(atlas), {}};
}

void Atlas::BuildKeys() {
  keys_.reserve(places_.size() * 2);
  for (std::uint32_t i = 0; i < places_.size(); ++i) {
    std::string name = FoldForSearch(places_[i].name);
    std::string ascii = FoldForSearch(places_[i].asciiName);
    if (ascii != name) keys_.push_back({std::move(ascii), i});
    keys_.push_back({std::move(name), i});
  }
  std::sort(keys_.begin(), keys_.end(),
            [](const Key& a, const Key& b) { return a.folded != b.folded ? a.folded < b.folded : a.index < b.index; });
}

const Place* Atlas::FindById(std::int64_t geonameId) const {
  for (const Place& place : places_) {
    if (place.geonameId == geonameId) return &place;
  }
  return nullptr;
}

PlaceQuery ParsePlaceQuery(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1) {
    parts.push_back(FoldForSearch(Trimmed(text.substr(start, comma - start))));
  }
  parts.push_back(FoldForSearch(Trimmed(text.substr(start))));
  PlaceQuery query;
  query.name = parts[0];
  if (parts.size() == 2) {
    query.admin = parts[1];
    query.secondPartIsEither = true;
  } else if (parts.size() >= 3) {
    query.admin = parts[1];
    query.country = parts[2];
  }
  return query;
}

std::vector<const Place*> Atlas::Search(std::string_view text, std::size_t limit) const {
  const PlaceQuery query = ParsePlaceQuery(text);
  if (query.name.empty() || limit == 0) return {};
  // Every key that starts with the name; the indices are ranks, as places_
  // is sorted by population.
  auto it = std::lower_bound(keys_.begin(), keys_.end(), query.name,
                             [](const Key& key, const std::string& name) { return key.folded < name; });
  std::vector<std::uint32_t> indices;
  for (; it != keys_.end() && StartsWith(it->folded, query.name); ++it) indices.push_back(it->index);
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());

  std::vector<const Place*> found;
  for (std::uint32_t index : indices) {
    const Place& place = places_[index];
    if (!query.admin.empty()) {
      const bool admin = MatchesAdmin(place, query.admin);
      if (!(admin || (query.secondPartIsEither && MatchesCountry(place, query.admin)))) continue;
    }
    if (!query.country.empty() && !MatchesCountry(place, query.country)) continue;
    found.push_back(&place);
    if (found.size() == limit) break;
  }
  return found;
}

}  // namespace orbisca::places
