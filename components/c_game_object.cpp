#include "components/c_game_object.hpp"

#include "components/c_circle.hpp"
#include "components/c_circle_collide.hpp"
#include "components/c_physics.hpp"
#include "components/c_sprite.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    const CGameObject *game_object = static_cast<const CGameObject *>(record);
    const CPhysics *physics = ecs_get_as<CPhysics>(game_object->entity, C_PHYSICS);
    CSprite *sprite = ecs_get_as<CSprite>(game_object->entity, C_SPRITE);
    if (physics && sprite) sprite->position = physics->position;
}

} // namespace

void c_game_object_register() {
    ecs_register(C_GAME_OBJECT, sizeof(CGameObject), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr,
                 nullptr);
}

void c_game_object_atlas_set(CGameObject *game_object, Texture texture, u32 shader, Origin origin, i32 cell_width,
                             i32 cell_height, i32 rows, i32 columns, vec2 size, vec3 position, vec4 color, f32 damping,
                             f32 velocity_max, f32 radius) {
    EntityId entity = game_object->entity;
    CPhysics *physics = ecs_add_as<CPhysics>(entity, C_PHYSICS);
    CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
    CCircle *circle = ecs_add_as<CCircle>(entity, C_CIRCLE);
    ecs_add(entity, C_CIRCLE_COLLIDE);
    c_sprite_atlas_set(sprite, texture, shader, origin, cell_width, cell_height, rows, columns, size, color, position);
    c_physics_set(physics, position, damping, velocity_max);
    c_circle_set(circle, radius);
}

void c_game_object_set(CGameObject *game_object, Texture texture, u32 shader, Origin origin, vec2 size, vec3 position,
                       vec4 color, f32 damping, f32 velocity_max, f32 radius) {
    c_game_object_atlas_set(game_object, texture, shader, origin, texture.width, texture.height, 1, 1, size, position,
                            color, damping, velocity_max, radius);
}
