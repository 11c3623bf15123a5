#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orbisca::places {

// One city of the GeoNames "cities15000" list.
struct Place {
  std::int64_t geonameId = 0;
  std::string name;       // UTF-8, as the place writes it ("São Paulo")
  std::string asciiName;  // the same in plain ASCII ("Sao Paulo")
  double latitude = 0;    // degrees, north positive
  double longitude = 0;   // degrees, east positive
  std::string countryCode;  // ISO 3166 ("US")
  std::string admin1Code;   // GeoNames' code of the state or province ("NY")
  std::string admin1Name;   // "New York"; empty when GeoNames has none
  std::string countryName;  // "United States"
  std::string timeZone;     // IANA zone ("America/New_York")
  std::int64_t population = 0;
};

// "Chennai, Tamil Nadu, India": the name, the state when known, the country.
std::string DisplayName(const Place& place);

// Where the three GeoNames files are read from.
struct AtlasFiles {
  std::string cities;     // cities15000.txt
  std::string admin1;     // admin1Codes.txt
  std::string countries;  // countryInfo.txt
};

// The files in a folder.
AtlasFiles AtlasFilesIn(const std::string& folder);
// The folder of Debian's libtimezonemap-data, or $ORBISCA_ATLAS_DIR when set
// and not empty (tests point it at a small fixture).
std::string DefaultAtlasFolder();

// The three files' contents, as read.
struct AtlasTexts {
  std::string cities, admin1, countries;
};

class Atlas;
// A loaded atlas, or why it could not be loaded (a file and the reason).
struct AtlasLoad {
  std::shared_ptr<const Atlas> atlas;
  std::string error;
};

// The cities, largest first, with an index for search by name.
class Atlas {
 public:
  // Reads the files, each of which must be a regular file.
  static AtlasLoad Load(const AtlasFiles& files);
  // The same from texts already read; `files` names them in messages.
  static AtlasLoad FromTexts(const AtlasFiles& files, const AtlasTexts& texts);

  std::size_t size() const { return places_.size(); }
  const Place* FindById(std::int64_t geonameId) const;

  // Places whose name or ASCII name starts with the query's first part,
  // ignoring case and accents; a second and third part after commas narrow
  // by state and country ("Springfield, IL", "Springfield, Illinois, US",
  // "Paris, France"). With two parts, the second may name either. Largest
  // population first, at most `limit`.
  std::vector<const Place*> Search(std::string_view query,
                                   std::size_t limit = std::numeric_limits<std::size_t>::max()) const;

 private:
  struct Key {
    std::string folded;
    std::uint32_t index;
  };
  Atlas() = default;
  void BuildKeys();
  std::vector<Place> places_;  // population descending
  std::vector<Key> keys_;      // folded names and ASCII names, sorted
};

// The parts of a "City, State, Country" query, each folded for search.
struct PlaceQuery {
  std::string name;
  std::string admin;    // empty: any
  std::string country;  // empty: any
  bool secondPartIsEither = false;  // "City, X": X may be a state or a country
};
PlaceQuery ParsePlaceQuery(std::string_view text);

}  // namespace orbisca::places
