#include "engine/shader.hpp"

#include <GL/glew.h>
#include <cstdio>
#include <cstring>

#include <glm/gtc/type_ptr.hpp>

namespace {

#ifdef __EMSCRIPTEN__
// WebGL2 compiles GLSL ES 3.00: the desktop version line gives way to the ES one, and
// fragment shaders need a default float precision.
void stage_source(GLuint stage, const char *source) {
    const char *body = source;
    if (std::strncmp(source, "#version", 8) == 0) {
        const char *line_end = std::strchr(source, '\n');
        body = line_end ? line_end + 1 : source + std::strlen(source);
    }
    const char *parts[2] = {"#version 300 es\nprecision highp float;\n", body};
    glShaderSource(stage, 2, parts, nullptr);
}
#else
void stage_source(GLuint stage, const char *source) { glShaderSource(stage, 1, &source, nullptr); }
#endif

// Prints the stage's compile result; true when it compiled.
bool stage_report(GLuint stage) {
    GLint status = 0;
    glGetShaderiv(stage, GL_COMPILE_STATUS, &status);
    if (!status) {
        char log[1024] = {};
        glGetShaderInfoLog(stage, sizeof log, nullptr, log);
        std::printf("COMPILE ERROR: Shader #%i | %s\n", static_cast<int>(stage), log);
        return false;
    }
    std::printf("COMPILE SUCCESS: Shader #%i\n", static_cast<int>(stage));
    return true;
}

} // namespace

bool shader_init(Shader *shader, const char *vertex_source, const char *fragment_source) {
    GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    stage_source(vertex, vertex_source);
    stage_source(fragment, fragment_source);
    glCompileShader(vertex);
    glCompileShader(fragment);

    if (!stage_report(vertex) || !stage_report(fragment)) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return false;
    }

    GLuint program = glCreateProgram();
    shader->id = program;
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    shader->loaded = true;
    return true;
}

void shader_use(const Shader *shader) { glUseProgram(shader->id); }

void shader_free(Shader *shader) {
    if (shader->loaded) glDeleteProgram(shader->id);
    shader->loaded = false;
}

void shader_uniform_s32_set(const Shader *shader, const char *name, i32 value) {
    glUniform1i(glGetUniformLocation(shader->id, name), value);
}

void shader_uniform_f32_set(const Shader *shader, const char *name, f32 value) {
    glUniform1f(glGetUniformLocation(shader->id, name), value);
}

void shader_uniform_vec3_set(const Shader *shader, const char *name, vec3 value) {
    glUniform3fv(glGetUniformLocation(shader->id, name), 1, glm::value_ptr(value));
}

void shader_uniform_vec4_set(const Shader *shader, const char *name, vec4 value) {
    glUniform4fv(glGetUniformLocation(shader->id, name), 1, glm::value_ptr(value));
}

void shader_uniform_mat4_set(const Shader *shader, const char *name, const mat4 &value) {
    glUniformMatrix4fv(glGetUniformLocation(shader->id, name), 1, GL_FALSE, glm::value_ptr(value));
}

void shader_uniform_texture_set(const Shader *shader, const char *name, const Texture *texture, u32 unit) {
    glActiveTexture(GL_TEXTURE0 + unit);
    texture_bind(texture);
    glUniform1i(glGetUniformLocation(shader->id, name), static_cast<GLint>(unit));
}
