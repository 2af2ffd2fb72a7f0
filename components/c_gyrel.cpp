#include "components/c_gyrel.hpp"

#include <cmath>

#include "components/c_physics.hpp"
#include "components/c_rotation.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"

namespace {

EntityId member_get(const CGyrel *gyrel, i32 index) { return *static_cast<EntityId *>(vector_get(&gyrel->objects, index)); }

void add(void *record) { vector_init(&static_cast<CGyrel *>(record)->objects, sizeof(EntityId), 255); }

void delete_(void *record) {
    CGyrel *gyrel = static_cast<CGyrel *>(record);
    // The list is re-read at every index: deleting a member never touches it, but the
    // count is honoured as it stands.
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        entity_delete(member_get(gyrel, i));
    }
    vector_free(&gyrel->objects);
}

// Frees the list only: the members are records of their own and are dropped with them.
void release(void *record) { vector_free(&static_cast<CGyrel *>(record)->objects); }

void update_f(void *record) {
    CGyrel *gyrel = static_cast<CGyrel *>(record);
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        CPhysics *owner = ecs_get_as<CPhysics>(gyrel->entity, C_PHYSICS);
        CRotation *rotation = ecs_get_as<CRotation>(gyrel->entity, C_ROTATION);
        CPhysics *member = ecs_get_as<CPhysics>(member_get(gyrel, i), C_PHYSICS);
        if (!owner || !rotation || !member) continue;

        i32 n = gyrel->objects.count;
        f32 step = static_cast<f32>(PI2_F64 / n);
        f32 phi = step * static_cast<f32>(i) + rotation->angle;
        f32 centre_x = owner->position.x - owner->velocity.x;
        f32 centre_y = owner->position.y - owner->velocity.y;
        f64 radius = gyrel->radius;
        member->position.x = static_cast<f32>(centre_x - radius * std::cos(static_cast<f64>(phi)));
        member->position.y = static_cast<f32>(centre_y + radius * std::sin(static_cast<f64>(phi)));
    }
}

} // namespace

void c_gyrel_register() {
    ecs_register(C_GYREL, sizeof(CGyrel), ECS_RECORD_CAPACITY, add, delete_, update_f, nullptr, nullptr);
    ecs_release_set(C_GYREL, release);
}

void c_gyrel_set(CGyrel *gyrel, f32 radius) { gyrel->radius = radius; }

void c_gyrel_object_add(CGyrel *gyrel, EntityId member) { vector_push(&gyrel->objects, &member); }

void c_gyrel_object_delete(CGyrel *gyrel, EntityId member) {
    for (i32 i = 0; i < gyrel->objects.count; i++) {
        if (member_get(gyrel, i) == member) {
            vector_remove(&gyrel->objects, i);
            return;
        }
    }
}

void c_gyrel_object_clear(CGyrel *gyrel) { vector_clear(&gyrel->objects); }
