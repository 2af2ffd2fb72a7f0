#include "engine/renderer.hpp"

#include <GL/glew.h>
#include <cstdio>
#include <cstdlib>

#include "engine/glew.hpp"
#include "engine/sdl.hpp"

void renderer_init(Renderer *renderer, Window *window, CameraType camera_type) {
    renderer->window = window;
    renderer->context = SDL_GL_CreateContext(window->handle);
    if (!renderer->context) {
        sdl_start_fail("OpenGL CONTEXT ERROR: %s\n", SDL_GetError());
    }
#ifndef __EMSCRIPTEN__
    // Adaptive vsync where the driver offers it (a late frame is shown at once rather than a
    // whole refresh later), plain vsync otherwise. The browser paces its own animation frames.
    if (SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(1);
#endif
    unsigned error = 0;
    if (!glew_init(&error)) {
        sdl_start_fail("GLEW ERROR: %s\n", reinterpret_cast<const char *>(glewGetErrorString(error)));
    }
    vao_init(&renderer->vao);
    vbo_init(&renderer->vbo, GL_ARRAY_BUFFER, true);
    vbo_init(&renderer->ebo, GL_ELEMENT_ARRAY_BUFFER, true);
    switch (camera_type) {
    case CAMERA_PERSPECTIVE:
        camera_perspective_init(&renderer->camera, 90.0f, 1.0f);
        break;
    case CAMERA_ORTHOGRAPHIC:
        camera_orthographic_init(&renderer->camera, &window->field);
        break;
    }
}

void renderer_free(Renderer *renderer) {
    if (renderer->context) SDL_GL_DeleteContext(renderer->context);
    *renderer = {};
}

void renderer_update(Renderer *renderer) {
    renderer_viewport_window_set(renderer);
    camera_update(&renderer->camera);
    if (renderer->camera.type == CAMERA_ORTHOGRAPHIC) {
        camera_orthographic_window_set(&renderer->camera, renderer->window);
    }
}

// The bars beside the field stay black; the clear colour (and so the damage flash) fills the field.
void renderer_clear(Renderer *renderer) {
    const ivec4 &field = renderer->window->viewport;
    const vec2 &drawable = renderer->window->drawable;
    bool bars = field.x > 0 || field.y > 0 || field.z < static_cast<i32>(drawable.x) || field.w < static_cast<i32>(drawable.y);
    if (bars) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const vec4 &color = renderer->clear_color;
        glClearColor(color.r, color.g, color.b, color.a);
        glEnable(GL_SCISSOR_TEST);
        glScissor(field.x, field.y, field.z, field.w);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (bars) glDisable(GL_SCISSOR_TEST);
}

void renderer_present(Renderer *renderer) { SDL_GL_SwapWindow(renderer->window->handle); }

void renderer_clear_color_set(Renderer *renderer, const vec4 *color) {
    glClearColor(color->r, color->g, color->b, color->a);
    renderer->clear_color = *color;
}

void renderer_shader_use(Renderer *renderer, Shader *shader) {
    renderer->shader = shader;
    shader_use(shader);
}

void renderer_viewport_set(Renderer *, const ivec4 *viewport) {
    glViewport(viewport->x, viewport->y, viewport->z, viewport->w);
}

void renderer_viewport_window_set(Renderer *renderer) {
    const ivec4 &viewport = renderer->window->viewport;
    glViewport(viewport.x, viewport.y, viewport.z, viewport.w);
}
