// Fixed-width integers and the GLM vector and matrix types every module uses.
// mat4 is column-major with the translation in column 3, the layout the shaders read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <glm/glm.hpp>

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;
using i8 = std::int8_t;
using i16 = std::int16_t;
using i32 = std::int32_t;
using i64 = std::int64_t;
using f32 = float;
using f64 = double;

using vec2 = glm::vec2;
using vec3 = glm::vec3;
using vec4 = glm::vec4;
using ivec2 = glm::ivec2;
using ivec4 = glm::ivec4;
// Every matrix sits on a 16-byte boundary, wherever it is stored (GLM's own is 4-aligned).
using mat4 [[gnu::aligned(16)]] = glm::mat4;
static_assert(alignof(mat4) == 16 && sizeof(mat4) == 64);

// 2π as a double, and the float nearest to it (slightly above the double).
constexpr f64 PI2_F64 = 6.283185307179586;
constexpr f32 PI2_F32 = 6.2831855f;
