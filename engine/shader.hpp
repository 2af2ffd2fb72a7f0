// Linked GLSL programs built from a vertex and a fragment source, and their uniforms.
#pragma once

#include "engine/texture.hpp"
#include "engine/types.hpp"

struct Shader {
    u32 id;
    bool loaded;
};

bool shader_init(Shader *shader, const char *vertex_source, const char *fragment_source);
void shader_use(const Shader *shader);
void shader_free(Shader *shader);
void shader_uniform_s32_set(const Shader *shader, const char *name, i32 value);
void shader_uniform_f32_set(const Shader *shader, const char *name, f32 value);
void shader_uniform_vec3_set(const Shader *shader, const char *name, vec3 value);
void shader_uniform_vec4_set(const Shader *shader, const char *name, vec4 value);
void shader_uniform_mat4_set(const Shader *shader, const char *name, const mat4 &value);
void shader_uniform_texture_set(const Shader *shader, const char *name, const Texture *texture, u32 unit);
