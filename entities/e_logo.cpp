#include "entities/e_logo.hpp"

#include "components/c_color_change.hpp"
#include "components/c_move.hpp"
#include "components/c_sprite.hpp"
#include "game/game.hpp"

namespace {

constexpr vec2 LOGO_SIZE = {512.0f, 512.0f};
constexpr vec3 LOGO_POSITION = {640.0f, 360.0f, 0.0f};
constexpr vec3 LOGO_POSITION_END = {640.0f, 300.0f, 0.0f};
constexpr vec4 COLOR_TRANSPARENT = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr vec4 COLOR_OPAQUE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr i32 LOGO_INTRO_TICKS = 60;

} // namespace

void logo_init(EntityId entity) {
    CSprite *sprite = ecs_add_as<CSprite>(entity, C_SPRITE);
    CMove *move = ecs_add_as<CMove>(entity, C_MOVE);
    CColorChange *color_change = ecs_add_as<CColorChange>(entity, C_COLOR_CHANGE);

    c_sprite_set(sprite, game.textures[TEXTURE_LOGO], SHADER_TEXTURE_QUAD, ORIGIN_CENTER, LOGO_SIZE, COLOR_TRANSPARENT,
                 LOGO_POSITION);
    c_color_change_set(color_change, &COLOR_TRANSPARENT, &COLOR_OPAQUE, LOGO_INTRO_TICKS, CHANGE_FORWARD_HOLD);
    c_move_set(move, LOGO_POSITION, LOGO_POSITION_END, LOGO_INTRO_TICKS, CHANGE_FORWARD_HOLD);
}
