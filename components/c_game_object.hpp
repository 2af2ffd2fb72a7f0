// Game object: gives an entity a physics body, a sprite, a circle and a collision list,
// and keeps the sprite on the body.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"
#include "engine/origin.hpp"
#include "engine/texture.hpp"

struct CGameObject {
    EntityId entity;
};

static_assert(std::is_trivially_copyable_v<CGameObject>);

void c_game_object_register();
void c_game_object_set(CGameObject *game_object, Texture texture, u32 shader, Origin origin, vec2 size, vec3 position,
                       vec4 color, f32 damping, f32 velocity_max, f32 radius);
void c_game_object_atlas_set(CGameObject *game_object, Texture texture, u32 shader, Origin origin, i32 cell_width,
                             i32 cell_height, i32 rows, i32 columns, vec2 size, vec3 position, vec4 color, f32 damping,
                             f32 velocity_max, f32 radius);
