#include "cli/births_command.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <iostream>
#include <nlohmann/json.hpp>

#include "births/exchange.h"
#include "births/library.h"
#include "births/text_records.h"
#include "cli/chart_options.h"
#include "cli/standard_output.h"

namespace orbisca::cli {
namespace {

namespace lib = orbisca::births;

constexpr int kExitRefused = 1;
constexpr int kExitBadUse = 2;

struct Failure {
  int status;
  std::string message;
};

// The library's file: --library, else the default place.
std::string LibraryPath(const std::string& given) { return given.empty() ? lib::DefaultLibraryPath() : given; }

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

int Print(std::string_view text) {
  if (const std::optional<std::string> reason = WriteStandardOutput(text)) {
    std::cerr << "orbisca-chart: cannot write standard output: " << *reason << '\n';
    return kExitRefused;
  }
  return 0;
}

// The format of an import or export: --format, else the file's extension.
lib::FileFormat FormatOf(const std::string& format, const std::string& path) {
  if (!format.empty()) {
    if (const std::optional<lib::FileFormat> f = lib::FormatNamed(format)) return *f;
    throw Failure{kExitBadUse, "--format expects aaf, csv or jsonl, not \"" + format + "\""};
  }
  if (const std::optional<lib::FileFormat> f = lib::FormatOfPath(path)) return *f;
  throw Failure{kExitBadUse, path + ": give the format with --format, or a file name ending in .aaf, .csv or .jsonl"};
}

nlohmann::ordered_json ListObject(const lib::SavedBirth& s) {
  const lib::Cells cells = lib::CellsOf(s);
  nlohmann::ordered_json o;
  const auto cell = [&cells](lib::Field f) { return *cells[lib::Index(f)]; };
  o["id"] = s.id;
  o["name"] = s.birth.name;
  o["date"] = cell(lib::Field::Date);
  o["time"] = cell(lib::Field::Time);
  o["zone"] = cell(lib::Field::Zone);
  o["tz"] = cell(lib::Field::Tz);
  o["dst"] = s.birth.dst;
  o["lat"] = cell(lib::Field::Lat);
  o["lon"] = cell(lib::Field::Lon);
  o["place"] = s.birth.place ? s.birth.place->text : "";
  o["geonames_id"] = s.birth.place ? s.birth.place->geonameId : 0;
  o["kind"] = cell(lib::Field::Kind);
  o["tags"] = s.tags;
  o["note"] = s.note;
  o["source"] = s.source;
  return o;
}

int List(const std::string& path, bool json, const std::string& search) {
  // No library yet is an empty one.
  const std::vector<lib::SavedBirth> births =
      Exists(path) ? lib::Library(path, lib::Access::Read).List(search) : std::vector<lib::SavedBirth>();
  if (json) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const lib::SavedBirth& s : births) array.push_back(ListObject(s));
    return Print(array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n");
  }
  std::string text;
  for (const lib::SavedBirth& s : births) {
    text += std::to_string(s.id) + '\t' + s.birth.name + '\t' + lib::DateText(s.birth) + ' ' +
            lib::TimeText(s.birth) + '\t' + (s.birth.place ? s.birth.place->text : "") + '\t' + lib::TagsText(s.tags) +
            '\n';
  }
  return Print(text);
}

int Show(const std::string& path, std::int64_t id) {
  const std::optional<lib::SavedBirth> s =
      Exists(path) ? lib::Library(path, lib::Access::Read).Find(id) : std::nullopt;
  if (!s) throw Failure{kExitRefused, "no birth has the id " + std::to_string(id)};
  const lib::Cells cells = lib::CellsOf(*s);
  std::string text;
  for (const lib::FieldInfo& info : lib::kFields) {
    const std::string& value = *cells[lib::Index(info.field)];
    if (!value.empty()) text += std::string(info.key) + ": " + value + '\n';
  }
  return Print(text);
}

struct AddTexts {
  OptionTexts birth;
  std::string kind, note, source, tags;
};

int Add(const std::string& path, const AddTexts& t) {
  std::variant<Birth, UsageError> read = BirthFromTexts(t.birth);
  if (const UsageError* error = std::get_if<UsageError>(&read)) throw Failure{kExitBadUse, error->message};
  lib::SavedBirth s;
  s.birth = std::get<Birth>(std::move(read));
  if (!t.birth.place.empty()) {
    std::string error;
    const places::Atlas* atlas = ProcessAtlas(error);
    if (!atlas) throw Failure{kExitBadUse, "--place: " + error};
    const places::DstChoice choice = t.birth.dst     ? places::DstChoice::Dst
                                     : t.birth.noDst ? places::DstChoice::NoDst
                                                     : places::DstChoice::Unspecified;
    const PlaceApplied applied = ApplyPlace(*atlas, t.birth.place, !t.birth.zone.empty(), choice, s.birth);
    if (!applied.facts) throw Failure{kExitRefused, "--place: " + applied.error};
  }
  if (const std::optional<EntryRefusal> refusal = CheckBirth(s.birth)) {
    throw Failure{kExitRefused, std::string(refusal->message)};
  }
  const std::optional<lib::Kind> kind = lib::KindFromText(t.kind);
  if (!kind) throw Failure{kExitBadUse, "--kind expects male, female or event, not \"" + t.kind + "\""};
  s.kind = *kind;
  s.note = t.note;
  s.source = t.source;
  s.tags = lib::TagsFromText(t.tags);
  lib::Library library(path, lib::Access::Write);
  library.Add(s);
  return Print(std::to_string(s.id) + "\n");
}

int Remove(const std::string& path, std::int64_t id) {
  if (!Exists(path) || !lib::Library(path, lib::Access::Write).Remove(id)) {
    throw Failure{kExitRefused, "no birth has the id " + std::to_string(id)};
  }
  return 0;
}

int Import(const std::string& path, const std::string& file, const std::string& format, bool skipBad) {
  const lib::FileFormat f = FormatOf(format, file);
  std::string error;
  const std::optional<std::string> text = lib::ReadWholeFile(file, error);
  if (!text) throw Failure{kExitBadUse, "cannot read " + error};
  lib::Library library(path, lib::Access::Write);
  const lib::ImportReport report = lib::ImportText(library, *text, f, skipBad);
  for (const std::string& message : report.messages) std::cerr << "orbisca-chart: " << file << ": " << message << '\n';
  if (report.refused) {
    std::cerr << "orbisca-chart: the import is refused; nothing was added (--skip-bad leaves the bad records out)\n";
    return kExitRefused;
  }
  std::cerr << "orbisca-chart: " << report.added << " births added, " << report.skipped << " records skipped"
            << (report.renumbered ? ", " + std::to_string(report.renumbered) + " given a new id" : "") << '\n';
  return report.skipped ? kExitRefused : 0;
}

int Export(const std::string& path, const std::string& file, const std::string& format) {
  const lib::FileFormat f = FormatOf(format, file);
  const lib::Library library = Exists(path) ? lib::Library(path, lib::Access::Read)
                                            : throw Failure{kExitBadUse, "there is no library at " + path};
  if (const std::optional<std::string> reason = lib::ExportFile(library, file, f)) {
    throw Failure{kExitRefused, "cannot write " + *reason};
  }
  return 0;
}

}  // namespace

int RunBirthsCommand(int argc, const char* const* argv) {
  CLI::App app{"The library of births: list, show, add, remove, import and export saved births.",
               "orbisca-chart births"};
  app.require_subcommand(1);
  app.fallthrough();
  std::string libraryGiven;
  app.add_option("--library", libraryGiven,
                 "The library file (default: $ORBISCA_LIBRARY, else $XDG_DATA_HOME/orbisca/births.sqlite)");

  bool json = false, skipBad = false;
  std::string search, file, format;
  std::int64_t id = 0;
  AddTexts add;
  CLI::App* list = app.add_subcommand("list", "List the births, by name");
  list->add_flag("--json", json, "A JSON array of objects");
  list->add_option("--search", search, "Only births whose name, place, tags or note hold the text");
  CLI::App* show = app.add_subcommand("show", "Show one birth's fields");
  show->add_option("ID", id, "The birth's id")->required();
  CLI::App* adding = app.add_subcommand("add", "Save a birth given as the single chart's options; prints its id");
  OptionTexts& b = add.birth;
  adding->add_option("--name", b.name, "Name (default: CHART)");
  adding->add_option("--date", b.date, "Local date, YYYY-MM-DD")->required();
  adding->add_option("--time", b.time, "Local time, HH:MM[:SS]")->required();
  adding->add_option("--zone", b.zone, "Zone: list position, list text or abbreviation");
  adding->add_option("--lon", b.lon, "Longitude DEG:MIN followed by E or W");
  adding->add_option("--lat", b.lat, "Latitude DEG:MIN followed by N or S");
  adding->add_option("--place", b.place, "A place of the atlas: GeoNames id or \"City, State, Country\"");
  adding->add_flag("--dst", b.dst, "Daylight saving time");
  adding->add_flag("--no-dst", b.noDst, "No daylight saving time");
  add.kind.clear();
  adding->add_option("--kind", add.kind, "male, female or event");
  adding->add_option("--note", add.note, "A free note");
  adding->add_option("--source", add.source, "Where the data come from");
  adding->add_option("--tags", add.tags, "Tags separated by ';'");
  CLI::App* removing = app.add_subcommand("remove", "Remove one birth");
  removing->add_option("ID", id, "The birth's id")->required();
  CLI::App* importing = app.add_subcommand("import", "Add the births of an AAF, CSV or JSON Lines file");
  importing->add_option("FILE", file, "The file")->required();
  importing->add_flag("--skip-bad", skipBad, "Leave out and report the records that are not births");
  importing->add_option("--format", format, "aaf, csv or jsonl (default: from the extension)");
  CLI::App* exporting = app.add_subcommand("export", "Write every birth to an AAF, CSV or JSON Lines file");
  exporting->add_option("FILE", file, "The file")->required();
  exporting->add_option("--format", format, "aaf, csv or jsonl (default: from the extension)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return Print(app.help());
  } catch (const CLI::ParseError& e) {
    std::cerr << "orbisca-chart births: " << e.what() << "\nRun with --help for more information.\n";
    return kExitBadUse;
  }
  try {
    const std::string path = LibraryPath(libraryGiven);
    if (*list) return List(path, json, search);
    if (*show) return Show(path, id);
    if (*adding) {
      if (b.zone.empty() && b.place.empty()) throw Failure{kExitBadUse, "--zone (or --place) is required"};
      if (!b.place.empty() && (adding->count("--lon") || adding->count("--lat"))) {
        throw Failure{kExitBadUse, "--place sets the longitude and latitude; leave out --lon and --lat"};
      }
      if (b.dst && b.noDst) throw Failure{kExitBadUse, "--dst and --no-dst say opposite things; give one"};
      return Add(path, add);
    }
    if (*removing) return Remove(path, id);
    if (*importing) return Import(path, file, format, skipBad);
    return Export(path, file, format);
  } catch (const Failure& f) {
    std::cerr << "orbisca-chart: " << f.message << '\n';
    return f.status;
  } catch (const lib::LibraryError& e) {
    std::cerr << "orbisca-chart: " << e.what() << '\n';
    return kExitBadUse;
  }
}

}  // namespace orbisca::cli
