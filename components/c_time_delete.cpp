#include "components/c_time_delete.hpp"

#include "ecs/entity.hpp"
#include "game/game.hpp"

namespace {

void add(void *record) { static_cast<CTimeDelete *>(record)->inactive = true; }

void update_f(void *record) {
    CTimeDelete *time_delete = static_cast<CTimeDelete *>(record);
    if (time_delete->inactive) return;
    time_delete->timer -= 1;
    if (time_delete->timer <= 0) entity_delete(time_delete->entity);
}

} // namespace

void c_time_delete_register() {
    ecs_register(C_TIME_DELETE, sizeof(CTimeDelete), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr, nullptr);
}

void c_time_delete_set(CTimeDelete *time_delete, i32 ticks) {
    time_delete->timer = ticks;
    time_delete->inactive = false;
}
