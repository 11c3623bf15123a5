#pragma once

// The Astrological Exchange Format (AAF) of 1997, read and written as its
// published description gives it: "AAF Format Definition", 3 Feb 1997
// (astrowissen.de/aaf/eng/lib/aafspecs.htm, sections 2.1 to 2.5) and the
// German "AAF-Definition" pages AAFX0030 (#A93) and AAFX0031 (#B93).
//
// A file is a stream of records; a record starts with an #A93 chunk and runs
// to the next. A chunk starts at the left of a line with '#', its id and ':',
// then fields separated by commas, each trimmed of C white space; a line that
// does not start with '#' continues the chunk before it (the long #COM texts
// of the description's examples). '*' stands for an unknown field. "#:" starts
// a comment line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbisca::births {

enum class AafZoneKind {
  Unknown,    // '*'
  Offset,     // "1he00", "1he", "5h45", "10hw30", "0e21:48", "1", "-5"
  LocalMean,  // 'L' in the zone or the daylight-saving field: the place's mean time
};

struct AafRecord {
  std::size_t line = 0;  // the line of the #A93 chunk, from 1
  // #A93: name, first name, type, date, time, place, country; "" where '*'.
  std::string name, firstName;
  char type = 0;  // 'm', 'f', 'w', 'e', 'l', 'o', ... lower case; 0 unknown
  std::optional<int> year, month, day;
  std::optional<int> hour, minute, second;
  std::string place, country;
  // #B93: Julian day (universal time), latitude and longitude in arc seconds
  // (north and east positive), the zone, daylight-saving hours.
  bool hasB93 = false;
  std::optional<double> julianDay;
  int julianDayDecimals = 6;  // as written: the Julian day's precision
  std::optional<long> latitudeSeconds, longitudeSeconds;
  AafZoneKind zone = AafZoneKind::Unknown;
  int zoneSecondsEast = 0;
  std::optional<int> dstHours;
  std::string zoneName;  // #ZNAM
  std::string comment;   // #COM, its lines joined by '\n'
  std::string source;    // #SRC
  // Every other chunk of the record (#VIA, #LPOS, ...) and the comment lines
  // before it, verbatim with their continuation lines, to be written back.
  std::vector<std::string> kept;
  bool operator==(const AafRecord&) const = default;
};

struct AafError {
  std::size_t line = 0;
  std::string message;
};

// Reads a whole file. A record with a damaged chunk is left out and named by
// the chunk's line in `errors`; the reading goes on with the next record.
struct AafContents {
  std::vector<AafRecord> records;
  std::vector<AafError> errors;
};
AafContents ReadAaf(std::string_view text);

// AAF files from before UTF-8 are mostly Windows-1252 (a superset of
// ISO 8859-1 for the printable range): the text in UTF-8, byte for byte.
std::string Windows1252ToUtf8(std::string_view text);

// Appends the record as chunks: #A93, #B93 when it has one, #ZNAM, #COM,
// #SRC, then the kept chunks. Fields are written so that a reader of the
// description takes them back: commas in texts become ';', and a text that
// would read as '*' or be trimmed is written without the white space.
void AppendAaf(const AafRecord& record, std::string& out);

// The field forms, also for the conversions to and from births.
std::string FormatAafCoordinate(long arcSeconds, bool latitude);  // "49n05", "8e11", "43n31:20"
std::string FormatAafZone(int secondsEast);                       // "1he00", "5he45", "3hw30", "0he21:48"
std::optional<int> ParseAafZone(std::string_view text);            // seconds east; not for '*' or 'L'

}  // namespace orbisca::births
