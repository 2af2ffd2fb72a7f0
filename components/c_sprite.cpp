#include "components/c_sprite.hpp"

#include <cmath>

#include "game/game.hpp"
#include "game/shader_texture_quad.hpp"

namespace {

void add(void *record) {
    CSprite *sprite = static_cast<CSprite *>(record);
    sprite->color = {1.0f, 1.0f, 1.0f, 1.0f};
    sprite->scale = 1.0f;
}

// Keeps the rotation within one turn by replacing it with the boundary, not by a modulo.
void update_f(void *record) {
    CSprite *sprite = static_cast<CSprite *>(record);
    if (static_cast<f64>(sprite->rotation) > PI2_F64) {
        sprite->rotation = 0.0f;
    } else if (sprite->rotation < 0.0f) {
        sprite->rotation = PI2_F32;
    }
}

// Drawn between the last two steps where the frame falls between them: the record itself is
// read, never written.
void draw(void *record) {
    const CSprite *sprite = static_cast<const CSprite *>(record);
    vec3 position = sprite->position;
    vec2 size = sprite->size * sprite->scale;
    vec4 color = sprite->color;
    f32 rotation = sprite->rotation;
    if (const DrawnEntry *before = game_drawn_previous(sprite->entity)) {
        position = game_drawn_blend(before->position, sprite->position);
        f32 scale = game_drawn_blend(before->scale, sprite->scale);
        size = vec2{game_drawn_blend(before->size.x, sprite->size.x), game_drawn_blend(before->size.y, sprite->size.y)} * scale;
        color = game_drawn_blend(before->color, sprite->color);
        rotation = game_drawn_blend_angle(before->rotation, sprite->rotation);
    }
    vec2 offset;
    origin_2d_get(sprite->origin, size, &offset);
    f32 s = std::sin(rotation);
    f32 c = std::cos(rotation);

    mat4 translation(1.0f);
    translation[3] = {position.x, position.y, position.z, 1.0f};
    mat4 turn(1.0f);
    turn[0] = {c, s, 0.0f, 0.0f};
    turn[1] = {-s, c, 0.0f, 0.0f};
    mat4 origin(1.0f);
    origin[3] = {-offset.x, -offset.y, 0.0f, 1.0f};

    shader_texture_quad_draw(&sprite->atlas, sprite->shader, translation * turn * origin, size, color);
}

} // namespace

void c_sprite_register() {
    ecs_register(C_SPRITE, sizeof(CSprite), ECS_RECORD_CAPACITY, add, nullptr, update_f, nullptr, draw);
}

void c_sprite_set(CSprite *sprite, Texture texture, u32 shader, Origin origin, vec2 size, vec4 color, vec3 position) {
    c_sprite_atlas_set(sprite, texture, shader, origin, texture.width, texture.height, 1, 1, size, color, position);
}

void c_sprite_atlas_set(CSprite *sprite, Texture texture, u32 shader, Origin origin, i32 cell_width, i32 cell_height,
                        i32 rows, i32 columns, vec2 size, vec4 color, vec3 position) {
    sprite->shader = shader;
    sprite->origin = origin;
    atlas_init(&sprite->atlas, texture, cell_width, cell_height, rows, columns);
    sprite->size = size;
    sprite->position = position;
    sprite->color = color;
}

void c_sprite_rectangle_get(const CSprite *sprite, vec4 *rectangle) {
    vec2 size = sprite->size * sprite->scale;
    vec2 offset;
    origin_2d_get(sprite->origin, size, &offset);
    f32 x = sprite->position.x - offset.x;
    f32 y = sprite->position.y - offset.y;
    *rectangle = {x, y, x + size.x, y + size.y};
}
