#include "components/c_color_collide_delete.hpp"

#include <array>

#include "components/c_circle_collide.hpp"
#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_particle_spawn.hpp"
#include "components/c_physics.hpp"
#include "components/c_scale.hpp"
#include "components/c_sprite.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};

// The follower's white flash, shrink-and-grow, the burst where the victim stood and the sound.
void effects_play(EntityId self, EntityId other) {
    CSprite *sprite = ecs_get_as<CSprite>(self, C_SPRITE);
    CColorChange *color_change = ecs_get_as<CColorChange>(self, C_COLOR_CHANGE);
    CColor *color = ecs_get_as<CColor>(self, C_COLOR);
    CScale *scale = ecs_get_as<CScale>(self, C_SCALE);
    CPhysics *physics = ecs_get_as<CPhysics>(other, C_PHYSICS);
    CParticleSpawn *spawn = ecs_get_as<CParticleSpawn>(other, C_PARTICLE_SPAWN);
    if (!sprite || !color_change || !color || !scale || !physics || !spawn) return;

    c_color_change_set(color_change, &C_COLOR_VALUES[static_cast<size_t>(color->color) % C_COLOR_VALUES.size()],
                       &COLOR_OPAQUE, 30, CHANGE_BACKWARD_RESET);
    c_scale_set(scale, 1.0f, -1.0f, 30, CHANGE_BACKWARD_RESET);
    // The burst adds records and may move the ones fetched above; nothing reads them after it.
    c_particle_spawn(spawn, physics->position);
    sound_play(&game.sounds[SOUND_COLLIDE], -1);
}

void update_f(void *record) {
    CColorCollideDelete *self = static_cast<CColorCollideDelete *>(record);
    // A disabled record destroys nothing, so it reports nothing either: a kill made in the
    // step the player died must be scored once, not again every step until the follower goes.
    self->deleted = false;
    if (self->disabled) return;
    const EntityId entity = self->entity;

    // Deleting a victim moves records of many kinds, this one's and the collision list's
    // included, so both are looked up afresh after every deletion.
    for (i32 i = 0;; i++) {
        const CCircleCollide *collide = ecs_get_as<CCircleCollide>(entity, C_CIRCLE_COLLIDE);
        if (!collide || i >= collide->collisions.count) return;
        EntityId other = *static_cast<const EntityId *>(vector_get(&collide->collisions, i));

        const CColor *own_color = ecs_get_as<CColor>(entity, C_COLOR);
        const CColor *other_color = ecs_get_as<CColor>(other, C_COLOR);
        if (!own_color || !other_color || own_color->color != other_color->color) continue;

        effects_play(entity, other);
        self = ecs_get_as<CColorCollideDelete>(entity, C_COLOR_COLLIDE_DELETE);
        self->deleted = true;
        self->deleted_entity = other;
        entity_delete(other);
        self = ecs_get_as<CColorCollideDelete>(entity, C_COLOR_COLLIDE_DELETE);
    }
}

} // namespace

void c_color_collide_delete_register() {
    ecs_register(C_COLOR_COLLIDE_DELETE, sizeof(CColorCollideDelete), ECS_RECORD_CAPACITY, nullptr, nullptr,
                 update_f, nullptr, nullptr);
}
