#include "engine/camera.hpp"

#include <cmath>

#include "engine/window.hpp"

namespace {

vec3 normalize_or_zero(vec3 v) {
    f32 length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return {0.0f, 0.0f, 0.0f};
    return v / length;
}

void look_at_set(Camera *camera) {
    vec3 eye = camera->position;
    vec3 target = camera->position + camera->front;
    vec3 f = normalize_or_zero(target - eye);
    vec3 s = normalize_or_zero(glm::cross(f, camera->up));
    vec3 u = glm::cross(s, f);
    mat4 &m = camera->view;
    m[0] = {s.x, u.x, -f.x, 0.0f};
    m[1] = {s.y, u.y, -f.y, 0.0f};
    m[2] = {s.z, u.z, -f.z, 0.0f};
    m[3] = {-glm::dot(s, eye), -glm::dot(u, eye), glm::dot(f, eye), 1.0f};
}

void perspective_set(Camera *camera) {
    f32 t = 1.0f / std::tan(camera->fov / 2.0f);
    mat4 &m = camera->projection;
    m = mat4(0.0f);
    m[0][0] = t / camera->aspect;
    m[1][1] = t;
    m[2][2] = -1.0020020008f;
    m[2][3] = -1.0f;
    m[3][2] = -0.2002002001f;
}

void orthographic_set(Camera *camera) {
    mat4 &m = camera->projection;
    m = mat4(0.0f);
    m[0][0] = 2.0f / camera->size.x;
    m[1][1] = -2.0f / camera->size.y;
    m[2][2] = 1.0f;
    m[3][0] = -1.0f;
    m[3][1] = 1.0f;
    m[3][3] = 1.0f;
}

} // namespace

void camera_perspective_init(Camera *camera, f32 fov, f32 aspect) {
    *camera = {};
    camera->type = CAMERA_PERSPECTIVE;
    camera->aspect = aspect;
    camera->fov = fov;
    camera->yaw = -1.5707964f;
    camera_vector_set(camera);
    camera_view_set(camera);
    camera_projection_set(camera);
}

void camera_orthographic_init(Camera *camera, const vec2 *size) {
    *camera = {};
    camera->type = CAMERA_ORTHOGRAPHIC;
    camera->size = *size;
    camera->view = mat4(1.0f);
    camera_projection_set(camera);
}

void camera_position_set(Camera *camera, vec3 position) { camera->position = position; }

void camera_vector_set(Camera *camera) {
    if (camera->type != CAMERA_PERSPECTIVE) return;
    f64 yaw = camera->yaw;
    f64 pitch = camera->pitch;
    vec3 front = {static_cast<f32>(std::cos(yaw) * std::cos(pitch)), static_cast<f32>(std::sin(pitch)),
                  static_cast<f32>(std::sin(yaw) * std::cos(pitch))};
    camera->front = normalize_or_zero(front);
    camera->right = normalize_or_zero(glm::cross(camera->front, vec3{0.0f, 1.0f, 0.0f}));
    camera->up = normalize_or_zero(glm::cross(camera->right, camera->front));
}

void camera_view_set(Camera *camera) {
    camera->view = mat4(1.0f);
    if (camera->type == CAMERA_PERSPECTIVE) look_at_set(camera);
}

void camera_projection_set(Camera *camera) {
    camera->projection = mat4(1.0f);
    if (camera->type == CAMERA_PERSPECTIVE) {
        perspective_set(camera);
    } else if (camera->type == CAMERA_ORTHOGRAPHIC) {
        orthographic_set(camera);
    }
}

void camera_orthographic_size_set(Camera *camera, vec2 size) { camera->size = size; }

// The camera always shows the whole field; where it lands in the window is the viewport's business.
void camera_orthographic_window_set(Camera *camera, const Window *window) { camera->size = window->field; }

void camera_update(Camera *camera) {
    if (camera->type == CAMERA_PERSPECTIVE) {
        camera_vector_set(camera);
        camera_view_set(camera);
        camera_projection_set(camera);
        return;
    }
    camera->view = mat4(1.0f);
    camera->projection = mat4(1.0f);
    if (camera->type == CAMERA_ORTHOGRAPHIC) orthographic_set(camera);
}
