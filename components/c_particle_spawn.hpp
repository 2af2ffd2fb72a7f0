// Particle spawn: marks an entity that bursts into two particles when destroyed.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CParticleSpawn {
    EntityId entity;
};

static_assert(std::is_trivially_copyable_v<CParticleSpawn>);

void c_particle_spawn_register();
// Makes the two particles of a burst at position (both or, when the kinds are full, neither).
void c_particle_spawn(CParticleSpawn *particle_spawn, vec3 position);
