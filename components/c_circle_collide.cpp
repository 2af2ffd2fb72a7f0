#include "components/c_circle_collide.hpp"

#include <cmath>

#include "components/c_circle.hpp"
#include "components/c_physics.hpp"
#include "game/game.hpp"

namespace {

void add(void *record) {
    vector_init(&static_cast<CCircleCollide *>(record)->collisions, sizeof(EntityId), 255);
}

void delete_(void *record) { vector_free(&static_cast<CCircleCollide *>(record)->collisions); }

void update_f(void *record) {
    CCircleCollide *collide = static_cast<CCircleCollide *>(record);
    const CCircle *own = ecs_get_as<CCircle>(collide->entity, C_CIRCLE);
    vector_clear(&collide->collisions);
    if (!own) return;
    // Filling the list touches no record of any kind, so the entity's own physics record
    // found once holds for every pair; without it nothing is listed.
    const CPhysics *a = ecs_get_as<CPhysics>(collide->entity, C_PHYSICS);
    if (!a) return;

    const Vector *circles = &game.ecs.registers[C_CIRCLE].records;
    for (i32 i = 0; i < circles->count; i++) {
        const CCircle *other = static_cast<const CCircle *>(ecs_from_index_get(i, C_CIRCLE));
        if (other->entity == collide->entity) continue;
        const CPhysics *b = ecs_get_as<CPhysics>(other->entity, C_PHYSICS);
        if (!b) continue;
        f64 dx = a->position.x - b->position.x;
        f64 dy = a->position.y - b->position.y;
        f32 distance = static_cast<f32>(std::sqrt(dx * dx + dy * dy));
        if (own->radius + other->radius > distance) vector_push(&collide->collisions, &other->entity);
    }
}

} // namespace

void c_circle_collide_register() {
    ecs_register(C_CIRCLE_COLLIDE, sizeof(CCircleCollide), ECS_RECORD_CAPACITY, add, delete_, update_f, nullptr,
                 nullptr);
    ecs_release_set(C_CIRCLE_COLLIDE, delete_);
}
