#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace hw::terrain_file {

// The fixed parts of a terrain file, shared by its writer and its reader.
inline constexpr char kMagic[8] = {'H', 'W', 'T', 'E', 'R', 'R', 'N', '\0'};
inline constexpr uint32_t kVersion = 1;
// Magic, version, width, height, placement, min, max, voids, tile size, levels.
inline constexpr std::size_t kHeaderBytes = 8 + 4 + 4 + 4 + 4 * 8 + 8 + 8 + 8 + 4 + 4;
// Per level: width, height, offsets of its height and shade tiles.
inline constexpr std::size_t kLevelBytes = 4 + 4 + 8 + 8;
// The sides of a tile, in cells, that a file may have.
inline constexpr uint32_t kMinTileSize = 16;
inline constexpr uint32_t kMaxTileSize = 4096;

// Tiles hold floats as the machine does: little-endian.
static_assert(std::endian::native == std::endian::little);

} // namespace hw::terrain_file
