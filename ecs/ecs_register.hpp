// The table of every component kind's register function, called by ecs_init.
#pragma once

#include <array>

#include "ecs/ecs.hpp"

using EcsRegisterFunction = void (*)();

extern const std::array<EcsRegisterFunction, ECS_COMPONENT_COUNT> ECS_REGISTERS;
