#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// Files compiled into the program (form descriptions and their pictures), found by their path
// relative to the folder they were embedded from.
struct TResource {
  std::string_view name;
  std::span<const uint8_t> bytes;
};

// Called by the generated source of each embedded folder, before main.
void RegisterResources(std::span<const TResource> resources);

std::optional<std::span<const uint8_t>> FindResource(std::string_view name);
