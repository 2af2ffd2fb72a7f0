// Colour identity: an index into the six-colour palette that matching compares.
#pragma once

#include "ecs/ecs.hpp"

struct CColor {
    EntityId entity;
    i32 color;
};

// The component storage moves records as plain bytes.
static_assert(std::is_trivially_copyable_v<CColor>);

void c_color_register();
void c_color_set(CColor *color, i32 index);
