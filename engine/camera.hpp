// View and projection matrices: the orthographic pixel camera the game uses,
// and a free-look perspective camera.
#pragma once

#include "engine/types.hpp"

struct Window;

enum CameraType : u32 {
    CAMERA_PERSPECTIVE = 0,
    CAMERA_ORTHOGRAPHIC = 1,
};

struct Camera {
    CameraType type;
    vec3 position;
    f32 aspect;
    f32 fov;
    vec2 size;
    vec3 front;
    vec3 up;
    vec3 right;
    f32 yaw;
    f32 pitch;
    mat4 view;
    mat4 projection;
};

// The matrices are handed to the shaders as they lie; keep them on 16-byte boundaries.
static_assert(offsetof(Camera, view) % 16 == 0 && offsetof(Camera, projection) % 16 == 0);

void camera_perspective_init(Camera *camera, f32 fov, f32 aspect);
void camera_orthographic_init(Camera *camera, const vec2 *size);
void camera_position_set(Camera *camera, vec3 position);
void camera_vector_set(Camera *camera);
void camera_view_set(Camera *camera);
void camera_projection_set(Camera *camera);
void camera_orthographic_size_set(Camera *camera, vec2 size);
void camera_orthographic_window_set(Camera *camera, const Window *window);
void camera_update(Camera *camera);
