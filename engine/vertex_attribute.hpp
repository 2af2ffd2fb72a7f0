// Describes one vertex attribute of the bound vertex buffer in the bound vertex array.
#pragma once

#include <cstdint>

#include "engine/types.hpp"

void vertex_attribute_set(u32 index, i32 count, u32 type, i32 stride, uintptr_t offset);
