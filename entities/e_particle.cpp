#include "entities/e_particle.hpp"

#include "components/c_color_change.hpp"
#include "components/c_scale.hpp"
#include "components/c_spin.hpp"
#include "components/c_sprite.hpp"
#include "components/c_time_delete.hpp"
#include "game/game.hpp"

namespace {

constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};

} // namespace

void particle_init(EntityId particle, vec3 position, vec4 color_start, vec4 color_end, vec2 size, f32 growth, f32 spin,
                   i32 ticks) {
    CColorChange *color_change = ecs_add_as<CColorChange>(particle, C_COLOR_CHANGE);
    CSprite *sprite = ecs_add_as<CSprite>(particle, C_SPRITE);
    CScale *scale = ecs_add_as<CScale>(particle, C_SCALE);
    CSpin *particle_spin = ecs_add_as<CSpin>(particle, C_SPIN);
    CTimeDelete *time_delete = ecs_add_as<CTimeDelete>(particle, C_TIME_DELETE);

    c_sprite_set(sprite, game.textures[TEXTURE_PARTICLE], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, size, COLOR_OPAQUE,
                 position);
    c_spin_set(particle_spin, spin);
    c_time_delete_set(time_delete, ticks);
    c_scale_set(scale, 1.0f, growth, ticks, CHANGE_FORWARD_RESET);
    c_color_change_set(color_change, &color_start, &color_end, ticks, CHANGE_FORWARD_HOLD);
}
