#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace hw::terrain_file {

// The fixed parts of a terrain file, shared by its writer and its reader.
inline constexpr char kMagic[8] = {'H', 'W', 'T', 'E', 'R', 'R', 'N', '\0'};
// Version 2 adds the source: the number of voids filled and the credit.
inline constexpr uint32_t kVersion = 2;
inline constexpr uint32_t kVersionWithoutSource = 1;
// Magic, version, width, height, placement, min, max, voids, tile size, levels.
inline constexpr std::size_t kHeaderBytes = 8 + 4 + 4 + 4 + 4 * 8 + 8 + 8 + 8 + 4 + 4;
// After the header from version 2: voids filled, the credit's length in
// bytes, then the credit (UTF-8).
inline constexpr std::size_t kSourceBytes = 8 + 4;
inline constexpr std::size_t kMaxCreditBytes = 1024;
// What files without a source are credited with: what their import read.
inline constexpr const char* kUnrecordedCredit = "NASA/USGS SRTM, \xC2\xA9 Copernicus DEM";
// Per level: width, height, offsets of its height and shade tiles.
inline constexpr std::size_t kLevelBytes = 4 + 4 + 8 + 8;
// The sides of a tile, in cells, that a file may have.
inline constexpr uint32_t kMinTileSize = 16;
inline constexpr uint32_t kMaxTileSize = 4096;

// Tiles hold floats as the machine does: little-endian.
static_assert(std::endian::native == std::endian::little);

} // namespace hw::terrain_file
