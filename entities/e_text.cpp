#include "entities/e_text.hpp"

#include "components/c_text.hpp"
#include "game/game.hpp"

void text_init(EntityId entity, Origin origin, Font font, const char *string, i32 length, i32 wrap_width,
               const vec4 *color, const vec3 *position) {
    CText *text = ecs_add_as<CText>(entity, C_TEXT);
    ecs_add(entity, C_COLOR_CHANGE);
    ecs_add(entity, C_SCALE);
    c_text_set(text, SHADER_TEXTURE_QUAD, origin, &font, string, length, wrap_width, color, position);
}
