#include "engine/random.hpp"

#include <cstdlib>

i32 random_get() { return std::rand() % (RANDOM_MAX + 1); }
