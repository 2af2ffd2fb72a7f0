#include "engine/rectangle.hpp"

bool rectangle_has_point(vec4 rectangle, vec2 point) {
    // Written so that any NaN makes a comparison, and with it the result, false.
    return rectangle.x <= point.x && rectangle.y <= point.y && point.x <= rectangle.z && point.y <= rectangle.w;
}
