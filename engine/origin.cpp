#include "engine/origin.hpp"

void origin_2d_get(Origin origin, vec2 size, vec2 *offset) {
    switch (origin) {
    case ORIGIN_TOP_LEFT:
        *offset = {0.0f, 0.0f};
        break;
    case ORIGIN_TOP_RIGHT:
        *offset = {size.x, 0.0f};
        break;
    case ORIGIN_BOTTOM_LEFT:
        *offset = {0.0f, size.y};
        break;
    case ORIGIN_BOTTOM_RIGHT:
        *offset = {size.x, size.y};
        break;
    case ORIGIN_CENTER:
    default:
        *offset = {size.x * 0.5f, size.y * 0.5f};
        break;
    }
}
