// The follower, attacker and warning textures are strips of one 64-pixel emblem cell per
// palette colour, in palette order: each builder shows the cell of its colour, so the shape
// says what the colour says.
#pragma once

#include <cstddef>

#include "engine/texture.hpp"
#include "engine/types.hpp"

struct CSprite;

constexpr i32 EMBLEM_CELL = 64;

// Shows on `sprite` the cell of palette colour `palette_index` from the emblem strip `texture`
// of `palette_size` cells. A null sprite (an entity the full sprite store gave no picture) is
// left alone.
void emblem_sprite_set(CSprite *sprite, Texture texture, size_t palette_index, size_t palette_size);
