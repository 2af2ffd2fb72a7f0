#include "components/c_particle_spawn.hpp"

#include "ecs/entity.hpp"
#include "engine/random.hpp"
#include "entities/e_particle.hpp"
#include "game/game.hpp"

namespace {

constexpr vec2 PARTICLE_SPAWN_LIL_PARTICLE_SIZE = {15.0f, 15.0f};
constexpr vec2 PARTICLE_SPAWN_BIG_PARTICLE_SIZE = {30.0f, 30.0f};
constexpr vec4 PARTICLE_SPAWN_LIL_PARTICLE_BASE_COLOR = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr vec4 PARTICLE_SPAWN_BIG_PARTICLE_BASE_COLOR = {1.0f, 1.0f, 1.0f, 0.5f};
constexpr vec4 COLOR_TRANSPARENT = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr f32 PARTICLE_SPAWN_GROWTH = 2.0f;
constexpr i32 PARTICLE_SPAWN_TICKS = 20;

// The kinds every particle is made of: a burst needs room for two records in each.
constexpr u32 PARTICLE_KINDS[] = {C_COLOR_CHANGE, C_SPRITE, C_SCALE, C_SPIN, C_TIME_DELETE};

f32 spin_draw() { return static_cast<f32>(random_get()) / static_cast<f32>(RANDOM_MAX) * 0.02f - 0.01f; }

} // namespace

void c_particle_spawn_register() {
    ecs_register(C_PARTICLE_SPAWN, sizeof(CParticleSpawn), ECS_RECORD_CAPACITY, nullptr, nullptr, nullptr, nullptr,
                 nullptr);
}

void c_particle_spawn(CParticleSpawn *, vec3 position) {
    for (u32 kind : PARTICLE_KINDS) {
        if (ecs_room_get(kind) < 2) return;
    }
    EntityId lil = entity_add();
    EntityId big = entity_add();
    f32 lil_spin = spin_draw();
    f32 big_spin = spin_draw();
    particle_init(lil, position, PARTICLE_SPAWN_LIL_PARTICLE_BASE_COLOR, COLOR_TRANSPARENT,
                  PARTICLE_SPAWN_LIL_PARTICLE_SIZE, PARTICLE_SPAWN_GROWTH, lil_spin, PARTICLE_SPAWN_TICKS);
    particle_init(big, position, PARTICLE_SPAWN_BIG_PARTICLE_BASE_COLOR, COLOR_TRANSPARENT,
                  PARTICLE_SPAWN_BIG_PARTICLE_SIZE, PARTICLE_SPAWN_GROWTH, big_spin, PARTICLE_SPAWN_TICKS);
}
