// Colour collide delete: destroys every touching entity of the same palette colour.
#pragma once

#include <type_traits>

#include "ecs/ecs.hpp"

struct CColorCollideDelete {
    EntityId entity;
    bool disabled;
    bool deleted;
    EntityId deleted_entity;
};

static_assert(std::is_trivially_copyable_v<CColorCollideDelete>);

void c_color_collide_delete_register();
