// The gameplay random draw: the C library generator reduced to 0 ... 32767.
#pragma once

#include "engine/types.hpp"

constexpr i32 RANDOM_MAX = 32767;

i32 random_get();
