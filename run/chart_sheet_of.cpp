#include "run/chart_sheet_of.h"

#include <cstdlib>

#include "astro/civil_day.h"
#include "run/chart_picture_of.h"
#include "run/time_zones.h"
#include "run/vedic_text.h"

namespace orbisca {
namespace {

// The zone's name: the zone list's name (its text up to the first comma),
// the IANA zone an offset came from, or none.
std::string ZoneName(const BirthZone& zone) {
  if (const ZoneOffset* offset = std::get_if<ZoneOffset>(&zone)) return offset->iana;
  const int row = std::get<ZoneRow>(zone).row;
  if (row < 0 || row >= kTimeZoneCount) return {};
  const std::string_view text = TimeZoneTable[static_cast<std::size_t>(row)].text;
  return std::string(text.substr(0, text.find(',')));
}

std::vector<std::string> BirthLines(const Birth& birth, const Chart& chart, const std::string& placeName) {
  const std::string zone = ZoneName(birth.zone);
  const std::string place = placeName.empty() ? PlaceCoordinates(birth) : placeName + ", " + PlaceCoordinates(birth);
  return {"Born " + BirthClockText(birth) + " local time" + (birth.dst ? ", daylight saving" : ""),
          (zone.empty() ? "Clock at " : "Zone " + zone + ", clock at ") + ClockOffsetName(chart.instant.clockOffsetHours),
          "Place " + place};
}

std::string VaraValue(const Chart& chart) {
  const orbisca::Vara& v = chart.particulars.vara;
  const WeekdayRow& day = kWeekdays[static_cast<std::size_t>(v.weekday)];
  // The civil weekday has a row of its own: the vara gives its Sanskrit name.
  const std::string name(day.sanskrit);
  if (v.sunrise.kind != SunriseKind::Rises) return name + ", the civil day: no sunrise";
  return name + " from sunrise " + ClockDateTime(v.sunrise.julianDay, chart.instant.clockOffsetHours).substr(11);
}

std::vector<std::pair<std::string, std::string>> ParticularRows(const Chart& chart) {
  const ZodiacPosition& lagna = chart.ascendant.where;
  const ZodiacPosition& moon = chart.bodies[Index(Body::Moon)].where;
  const orbisca::Particulars& d = chart.particulars.day;
  return {
      {"Lagna", SignName(lagna.sign) + " " + FormatInSign(lagna)},
      {"Rasi", SignName(moon.sign)},
      {"Nakshatra", std::string(NakshatraName(moon.nakshatra)) + ", pada " + std::to_string(moon.pada)},
      {"Weekday", std::string(kWeekdays[static_cast<std::size_t>(chart.particulars.weekday)].english)},
      {"Vara", VaraValue(chart)},
      {"Tithi", std::to_string(d.tithi) + ", " + std::string(PakshaName(d.paksha)) + " " + std::string(TithiName(d.tithi))},
      {"Yoga", std::to_string(d.yoga) + ", " + std::string(YogaName(d.yoga))},
      {"Karana", std::to_string(d.karana) + ", " + std::string(KaranaName(d.karana))},
      // What the chart was computed with, so that a printed sheet can be checked.
      {"Nodes", chart.nodeKind == NodeKind::True ? "true node" : "mean node"},
      {"Dasha year", std::string(DashaYearName(chart.dasha.year))},
  };
}

std::vector<std::array<std::string, 6>> Positions(const Chart& chart) {
  const std::array<int, kVargaPointCount> navamsa = VargaSignsOf(chart, Varga::D9);
  std::vector<std::array<std::string, 6>> rows;
  const auto add = [&](std::string name, const ZodiacPosition& p, std::size_t point) {
    rows.push_back({std::move(name), SignName(p.sign), FormatInSign(p), std::string(NakshatraName(p.nakshatra)),
                    std::to_string(p.pada), SignName(navamsa[point])});
  };
  for (const BodyPosition& b : chart.bodies) add(std::string(BodyName(b.body)), b.where, Index(b.body));
  add(std::string(NodeName(Node::Rahu)), chart.nodes[0].where, kVargaRahu);
  add(std::string(NodeName(Node::Ketu)), chart.nodes[1].where, kVargaKetu);
  add("Lagna", chart.ascendant.where, kVargaAscendant);
  return rows;
}

// A picture for the sheet: the page's head gives the name, the date and the
// place, so the centre names the chart alone.
ChartPicture SheetPicture(const Birth& birth, const Chart& chart, Varga varga) {
  ChartPicture p = PictureOfVarga(birth, chart, "", varga);
  p.name = std::string(VargaRowOf(varga).name);
  p.localDateTime.clear();
  p.placeLines.clear();
  return p;
}

std::vector<std::array<std::string, 3>> Mahadashas(const Chart& chart) {
  std::vector<DashaPeriod> computed;
  const std::vector<DashaPeriod>* periods = &chart.dasha.periods;
  if (periods->empty()) {
    computed = VimshottariDasha(chart.instant.julianDay, chart.bodies[Index(Body::Moon)].longitude,
                                DashaYearDays(chart.dasha.year), 1);
    periods = &computed;
  }
  const double offset = chart.instant.clockOffsetHours;
  std::vector<std::array<std::string, 3>> rows;
  for (const DashaPeriod& d : *periods)
    rows.push_back({std::string(LordName(d.lord)), ClockDateTime(d.start, offset).substr(0, 10),
                    ClockDateTime(d.end, offset).substr(0, 10)});
  return rows;
}

// Each kind's entries in the tabs' order, as "Sun-Moon, 118°": the report's
// heading of the pair with the separation it was found at, as a distance
// (a conjunction's is signed by the pair's order, listed both ways).
std::vector<ChartSheet::AspectKind> Aspects(const Chart& chart) {
  std::vector<ChartSheet::AspectKind> kinds;
  for (const AspectKindInfo& info : kAspectKinds) {
    ChartSheet::AspectKind kind{std::string(info.caption), {}};
    for (const AspectEntry& e : chart.aspects)
      if (e.kind == info.kind)
        kind.lines.push_back(std::string(BodyName(e.first)) + "-" + std::string(BodyName(e.second)) + ", " +
                             std::to_string(std::abs(e.separation)) + "\u00B0");
    if (!kind.lines.empty()) kinds.push_back(std::move(kind));
  }
  return kinds;
}

}  // namespace

ChartSheet ChartSheetOf(const Birth& birth, const Chart& chart, const std::string& placeName, ChartStyle style) {
  ChartSheet sheet;
  sheet.name = birth.name;
  sheet.birthLines = BirthLines(birth, chart, placeName);
  sheet.instantLine = InstantLine(chart.instant);
  sheet.particulars = ParticularRows(chart);
  sheet.positions = Positions(chart);
  sheet.rasi = SheetPicture(birth, chart, Varga::D1);
  sheet.navamsa = SheetPicture(birth, chart, Varga::D9);
  sheet.style = style;
  sheet.dashaBalance = BalanceLine(chart.dasha.balance);
  sheet.mahadashas = Mahadashas(chart);
  sheet.aspects = Aspects(chart);
  return sheet;
}

}  // namespace orbisca
