#include "components/c_contact_damage.hpp"

#include "components/c_circle_collide.hpp"
#include "components/c_damage.hpp"
#include "game/game.hpp"

namespace {

void update_f(void *record) {
    const CContactDamage *contact = static_cast<const CContactDamage *>(record);
    const CCircleCollide *collide = ecs_get_as<CCircleCollide>(contact->entity, C_CIRCLE_COLLIDE);
    if (!collide) return;
    for (i32 i = 0; i < collide->collisions.count; i++) {
        EntityId other = *static_cast<const EntityId *>(vector_get(&collide->collisions, i));
        if (CDamage *damage = ecs_get_as<CDamage>(other, C_DAMAGE)) {
            damage->hit = true;
            return;
        }
    }
}

} // namespace

void c_contact_damage_register() {
    ecs_register(C_CONTACT_DAMAGE, sizeof(CContactDamage), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr,
                 nullptr);
}
