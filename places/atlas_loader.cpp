#include "places/atlas_loader.h"

#include <date/tz.h>

#include <chrono>

namespace orbisca::places {

AtlasLoader::AtlasLoader(AtlasFiles files) : files_(std::move(files)) {}

AtlasLoader::~AtlasLoader() {
  if (started_.load()) result_.wait();
}

void AtlasLoader::Start() {
  std::call_once(startOnce_, [this] {
    result_ = std::async(std::launch::async, [files = files_] {
                AtlasLoad load = Atlas::Load(files);
                try {
                  date::get_tzdb();  // reads the zone list once, here rather than at the first look-up
                } catch (const std::exception&) {
                  // A missing tz database is reported by the first look-up, with the zone's name.
                }
                return load;
              }).share();
    started_.store(true);
  });
}

bool AtlasLoader::IsReady() const {
  return started_.load() && result_.wait_for(std::chrono::seconds{0}) == std::future_status::ready;
}

const AtlasLoad& AtlasLoader::Wait() {
  Start();
  return result_.get();
}

}  // namespace orbisca::places
