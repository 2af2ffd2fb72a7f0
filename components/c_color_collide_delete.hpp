// Colour collide delete: destroys every touching entity of the same palette colour.
#pragma once

#include "ecs/ecs.hpp"

struct CColorCollideDelete {
    EntityId entity;
    bool disabled;
    bool deleted;
    EntityId deleted_entity;
};

void c_color_collide_delete_register();
