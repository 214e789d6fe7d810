#include "framework/Resources.h"

#include <vector>

namespace {

// Filled before main by static initialisers, read afterwards: no lock is needed.
std::vector<std::span<const TResource>>& Tables() {
  static std::vector<std::span<const TResource>> tables;
  return tables;
}

}  // namespace

void RegisterResources(std::span<const TResource> resources) {
  Tables().push_back(resources);
}

std::optional<std::span<const uint8_t>> FindResource(std::string_view name) {
  for (const std::span<const TResource> table : Tables()) {
    for (const TResource& resource : table) {
      if (resource.name == name) return resource.bytes;
    }
  }
  return std::nullopt;
}
