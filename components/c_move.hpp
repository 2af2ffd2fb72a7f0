// Move: slides a sprite's (or else a text's) position between two points over a number of steps.
#pragma once

#include "components/change_type.hpp"
#include "ecs/ecs.hpp"

struct CMove {
    EntityId entity;
    vec3 base_position;
    vec3 position;
    i32 timer;
    i32 duration;
    bool done;
    ChangeType type;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CMove>);

void c_move_register();
void c_move_set(CMove *move, vec3 base_position, vec3 position, i32 duration, ChangeType type);
