// Scale: a timed change of the scale of a sprite (or else a text).
#pragma once

#include "components/change_type.hpp"
#include "ecs/ecs.hpp"

struct CScale {
    EntityId entity;
    f32 scale_delta;
    f32 base_scale;
    i32 timer;
    i32 duration;
    bool done;
    ChangeType type;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CScale>);

void c_scale_register();
void c_scale_set(CScale *scale, f32 base_scale, f32 scale_delta, i32 duration, ChangeType type);
