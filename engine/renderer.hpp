// The OpenGL context, the camera, the buffers shared by all quad drawing and the clear colour.
#pragma once

#include <SDL2/SDL.h>

#include "engine/camera.hpp"
#include "engine/shader.hpp"
#include "engine/types.hpp"
#include "engine/vao.hpp"
#include "engine/vbo.hpp"
#include "engine/window.hpp"

struct Renderer {
    SDL_GLContext context;
    Camera camera;
    Window *window;
    Shader *shader;
    Vao vao;
    Vbo ebo;
    Vbo vbo;
    vec4 clear_color;
};

// Prints "OpenGL CONTEXT ERROR: ..." or "GLEW ERROR: ..." and ends the process with
// status 1 when no usable 3.3 context can be made.
void renderer_init(Renderer *renderer, Window *window, CameraType camera_type);
void renderer_free(Renderer *renderer);
void renderer_update(Renderer *renderer);
void renderer_clear(Renderer *renderer);
void renderer_present(Renderer *renderer);
void renderer_clear_color_set(Renderer *renderer, const vec4 *color);
void renderer_shader_use(Renderer *renderer, Shader *shader);
void renderer_viewport_set(Renderer *renderer, const ivec4 *viewport);
void renderer_viewport_window_set(Renderer *renderer);
