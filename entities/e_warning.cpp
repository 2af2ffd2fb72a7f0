#include "entities/e_warning.hpp"

#include <array>

#include "components/c_color_change.hpp"
#include "components/c_sprite.hpp"
#include "components/c_time_delete.hpp"
#include "entities/emblem.hpp"
#include "game/game.hpp"

namespace {

constexpr std::array<vec4, 6> C_COLOR_VALUES = {{
    {0.3f, 1.0f, 0.3f, 1.0f},
    {0.2f, 0.5f, 0.8f, 1.0f},
    {1.0f, 0.2f, 0.2f, 1.0f},
    {1.0f, 1.0f, 0.3f, 1.0f},
    {1.0f, 0.2f, 0.9f, 1.0f},
    {0.2f, 1.0f, 0.9f, 1.0f},
}};
constexpr vec2 WARNING_SIZE = {32.0f, 32.0f};
constexpr vec4 COLOR_TRANSPARENT = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr i32 WARNING_TICKS = 60;

} // namespace

void warning_init(EntityId warning, vec3 position, i32 color_index) {
    CColorChange *color_change = ecs_add_as<CColorChange>(warning, C_COLOR_CHANGE);
    CSprite *sprite = ecs_add_as<CSprite>(warning, C_SPRITE);
    CTimeDelete *time_delete = ecs_add_as<CTimeDelete>(warning, C_TIME_DELETE);
    const size_t palette_index = static_cast<size_t>(color_index) % C_COLOR_VALUES.size();
    const vec4 &color = C_COLOR_VALUES[palette_index];

    c_sprite_set(sprite, game.textures[TEXTURE_WARNING], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, WARNING_SIZE, color, position);
    emblem_sprite_set(sprite, game.textures[TEXTURE_WARNING], palette_index, C_COLOR_VALUES.size());
    c_color_change_set(color_change, &color, &COLOR_TRANSPARENT, WARNING_TICKS, CHANGE_FORWARD_HOLD);
    c_time_delete_set(time_delete, WARNING_TICKS);
}
