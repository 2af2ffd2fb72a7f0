#include "ecs/ecs_register.hpp"

#include "components/c_chase.hpp"
#include "components/c_circle.hpp"
#include "components/c_circle_collide.hpp"
#include "components/c_color.hpp"
#include "components/c_color_change.hpp"
#include "components/c_color_collide_delete.hpp"
#include "components/c_contact_damage.hpp"
#include "components/c_control.hpp"
#include "components/c_damage.hpp"
#include "components/c_flash.hpp"
#include "components/c_game_object.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_health.hpp"
#include "components/c_move.hpp"
#include "components/c_particle_spawn.hpp"
#include "components/c_physics.hpp"
#include "components/c_player_atlas_health.hpp"
#include "components/c_player_death.hpp"
#include "components/c_pulsate.hpp"
#include "components/c_rotation.hpp"
#include "components/c_scale.hpp"
#include "components/c_spin.hpp"
#include "components/c_sprite.hpp"
#include "components/c_stun.hpp"
#include "components/c_text.hpp"
#include "components/c_time_delete.hpp"
#include "components/c_ui_button.hpp"

// Each register function fills the slot of its own kind, so the order here does not matter.
const std::array<EcsRegisterFunction, ECS_COMPONENT_COUNT> ECS_REGISTERS = {
    c_chase_register,
    c_circle_collide_register,
    c_circle_register,
    c_color_register,
    c_color_change_register,
    c_color_collide_delete_register,
    c_contact_damage_register,
    c_control_register,
    c_damage_register,
    c_flash_register,
    c_game_object_register,
    c_health_register,
    c_move_register,
    c_gyrel_register,
    c_particle_spawn_register,
    c_physics_register,
    c_player_atlas_health_register,
    c_player_death_register,
    c_pulsate_register,
    c_rotation_register,
    c_scale_register,
    c_spin_register,
    c_sprite_register,
    c_stun_register,
    c_text_register,
    c_time_delete_register,
    c_ui_button_register,
};
