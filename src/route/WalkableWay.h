#pragma once

#include "basemap/TopoClasses.h"

namespace hw {

// The hiking difficulty scale, from OpenStreetMap's sac_scale: 0 untagged,
// 1 hiking ... 6 difficult_alpine_hiking (and any value not known).
inline constexpr int kMaxDifficulty = 6;

// Whether a walker may use an OpenStreetMap way, by its tags: its
// difficulty (0..6), or -1 when the way is not walkable. One-way tags do
// not bind walkers; foot permissions win over access restrictions.
int WalkableDifficulty(const TagLookup& tags);

// The difficulty of a sac_scale value: 0 for none, 6 for an unknown one.
int SacScaleDifficulty(const char* value);

} // namespace hw
