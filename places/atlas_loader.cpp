#include "places/atlas_loader.h"

#include <chrono>

namespace orbisca::places {

AtlasLoader::AtlasLoader(AtlasFiles files, std::function<void()> onReady)
    : files_(std::move(files)), onReady_(std::move(onReady)), result_(promise_.get_future().share()) {}

AtlasLoader::~AtlasLoader() {
  if (thread_.joinable()) thread_.join();
}

void AtlasLoader::Start() {
  std::call_once(startOnce_, [this] {
    thread_ = std::thread([this] {
      promise_.set_value(Atlas::Load(files_));
      if (onReady_) onReady_();
    });
  });
}

bool AtlasLoader::IsReady() const {
  return result_.wait_for(std::chrono::seconds{0}) == std::future_status::ready;
}

const AtlasLoad& AtlasLoader::Wait() {
  Start();
  return result_.get();
}

}  // namespace orbisca::places
