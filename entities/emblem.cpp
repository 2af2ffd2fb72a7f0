#include "entities/emblem.hpp"

#include "components/c_sprite.hpp"

void emblem_sprite_set(CSprite *sprite, Texture texture, size_t palette_index, size_t palette_size) {
    if (!sprite) return;
    atlas_init(&sprite->atlas, texture, EMBLEM_CELL, EMBLEM_CELL, 1, static_cast<i32>(palette_size));
    sprite->atlas.frame = static_cast<i32>(palette_index % palette_size);
}
