#pragma once

// AAF records to saved births and back.

#include <string>
#include <variant>

#include "births/aaf.h"
#include "births/saved_birth.h"

namespace orbisca::births {

// The birth of an AAF record, or the reason it cannot be one (an unknown
// date, time, zone or coordinate that nothing else settles). The record's
// Julian day holds where it and the civil time disagree, as the description
// says of #B93 ("hat im Zweifelsfall das Juldatum den Vorrang"): the local
// time is then the Julian day's universal time on the record's zone. An
// unknown zone is the difference between the two where both are given; 'L'
// is the mean time of the longitude. `note` tells when the Julian day ruled.
struct AafBirth {
  SavedBirth saved;
  std::string note;
};
std::variant<AafBirth, std::string> BirthFromAaf(const AafRecord& record);

// The AAF record of a birth: #A93, #B93 with the Julian day of its universal
// time, #ZNAM (the zone row's abbreviation, or the one kept), #COM (the
// note), #SRC (the source) and the kept chunks. What AAF cannot hold exactly
// (a name with commas, the tags, a zone row, the IANA name, the GeoNames id,
// the id) goes into one "#ORBISCA:" chunk, a JSON object of the fields that
// would otherwise come back different; other readers skip a chunk they do not
// know, and BirthFromAaf applies it.
void AppendBirthAaf(const SavedBirth& saved, std::string& out);

}  // namespace orbisca::births
