// Sprite: one tinted, scaled and rotated textured quad drawn every frame.
#pragma once

#include "ecs/ecs.hpp"
#include "engine/atlas.hpp"
#include "engine/origin.hpp"
#include "engine/texture.hpp"

struct CSprite {
    EntityId entity;
    Atlas atlas;
    u32 shader;
    Origin origin;
    vec2 size;
    vec3 position;
    vec4 color;
    f32 scale;
    f32 rotation;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CSprite>);

void c_sprite_register();
void c_sprite_set(CSprite *sprite, Texture texture, u32 shader, Origin origin, vec2 size, vec4 color, vec3 position);
void c_sprite_atlas_set(CSprite *sprite, Texture texture, u32 shader, Origin origin, i32 cell_width, i32 cell_height,
                        i32 rows, i32 columns, vec2 size, vec4 color, vec3 position);
// The rectangle the unrotated quad covers, (min x, min y, max x, max y).
void c_sprite_rectangle_get(const CSprite *sprite, vec4 *rectangle);
