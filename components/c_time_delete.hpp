// Time delete: deletes its entity after a number of steps.
#pragma once

#include "ecs/ecs.hpp"

struct CTimeDelete {
    EntityId entity;
    i32 timer;
    bool inactive;
};

void c_time_delete_register();
void c_time_delete_set(CTimeDelete *time_delete, i32 ticks);
