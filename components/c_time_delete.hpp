// Time delete: deletes its entity after a number of steps.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CTimeDelete {
    EntityId entity;
    i32 timer;
    bool inactive;
};

static_assert(std::is_trivially_copyable_v<CTimeDelete>);

void c_time_delete_register();
void c_time_delete_set(CTimeDelete *time_delete, i32 ticks);
