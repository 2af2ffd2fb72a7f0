#include "game/shader_texture_quad.hpp"

#include <GL/glew.h>

#include "engine/vertex_attribute.hpp"
#include "game/game.hpp"

namespace {

constexpr i32 QUAD_VERTEX_STRIDE = 5 * sizeof(f32);
constexpr u32 QUAD_INDICES[6] = {1, 2, 3, 0, 1, 3};

} // namespace

void shader_texture_quad_draw(const Atlas *atlas, u32 shader, mat4 model, vec2 size, vec4 color) {
    Shader *program = &game.shaders[shader];
    vec2 uv_min;
    vec2 uv_max;
    atlas_uv_get(atlas, &uv_min, &uv_max);
    const f32 vertices[20] = {
        0.0f,   0.0f,   0.0f, uv_min.x, uv_min.y, //
        0.0f,   size.y, 0.0f, uv_min.x, uv_max.y, //
        size.x, size.y, 0.0f, uv_max.x, uv_max.y, //
        size.x, 0.0f,   0.0f, uv_max.x, uv_min.y, //
    };

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    Renderer *renderer = &game.renderer;
    renderer_shader_use(renderer, program);
    shader_uniform_mat4_set(program, "uView", renderer->camera.view);
    shader_uniform_mat4_set(program, "uProjection", renderer->camera.projection);
    shader_uniform_mat4_set(program, "uModel", model);
    shader_uniform_vec4_set(program, "uColor", color);
    shader_uniform_texture_set(program, "uTexture", &atlas->texture, 0);

    vao_bind(&renderer->vao);
    vbo_bind(&renderer->vbo);
    vbo_buffer(&renderer->vbo, sizeof vertices, vertices);
    vbo_bind(&renderer->ebo);
    vbo_buffer(&renderer->ebo, sizeof QUAD_INDICES, QUAD_INDICES);
    vertex_attribute_set(0, 3, GL_FLOAT, QUAD_VERTEX_STRIDE, 0);
    vertex_attribute_set(1, 2, GL_FLOAT, QUAD_VERTEX_STRIDE, 3 * sizeof(f32));

    vao_bind(&renderer->vao);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
    vao_unbind();
}
