// The component registry: one record array per component kind, and the per-step,
// per-frame and draw dispatch over them in kind order.
#pragma once

#include <type_traits>

#include "engine/types.hpp"
#include "engine/vector.hpp"

using EntityId = u32;

enum ComponentKind : u32 {
    C_CHASE = 0,
    C_CIRCLE = 1,
    C_CIRCLE_COLLIDE = 2,
    C_COLOR = 3,
    C_COLOR_CHANGE = 4,
    C_COLOR_COLLIDE_DELETE = 5,
    C_CONTACT_DAMAGE = 6,
    C_CONTROL = 7,
    C_DAMAGE = 8,
    C_FLASH = 9,
    C_GAME_OBJECT = 10,
    C_HEALTH = 11,
    C_MOVE = 12,
    C_GYREL = 13,
    C_PARTICLE_SPAWN = 14,
    C_PHYSICS = 15,
    C_PLAYER_ATLAS_HEALTH = 16,
    C_PLAYER_DEATH = 17,
    C_PULSATE = 18,
    C_ROTATION = 19,
    C_SCALE = 20,
    C_SPIN = 21,
    C_SPRITE = 22,
    C_STUN = 23,
    C_TEXT = 24,
    C_TIME_DELETE = 25,
    C_UI_BUTTON = 26,
    ECS_COMPONENT_COUNT = 27,
};

// Every kind holds at most this many records at once.
constexpr u32 ECS_RECORD_CAPACITY = 255;

using EcsCallback = void (*)(void *record);

// Slots of each kind's look-up index: a power of two, at least twice the record limit so
// probe runs stay short.
constexpr u32 ECS_INDEX_SLOTS = 512;
// Kinds registered with a larger capacity than this go without an index and are scanned.
constexpr u32 ECS_INDEX_CAPACITY_MAX = 384;

// Entity -> position of its first record of one kind, open addressing with linear probing.
// Kept beside the records by every change the registry makes, so a look-up costs a probe
// or two instead of a scan. It lives inside the register, not behind a pointer, so a game
// record that is cleared or copied keeps records and index in agreement.
struct EcsIndex {
    EntityId entities[ECS_INDEX_SLOTS];
    // Position + 1 of the entity's first record; 0 marks an empty slot.
    u16 positions[ECS_INDEX_SLOTS];
    // Records that share their entity with an earlier record of the kind.
    u16 duplicates;
    // Times a look-up found the index out of step with the records and rebuilt it; only a
    // change made behind the registry's back causes one, so it stays 0.
    u32 repairs;
};

struct EcsRegister {
    EcsCallback add;
    EcsCallback delete_;
    EcsCallback update_f;
    EcsCallback update_v;
    EcsCallback draw;
    Vector records;
    u32 id;
    // Frees what a record owns (lists, textures) without any gameplay effect; run on every
    // record that ecs_clear or ecs_unregister drops, so a change of state leaks nothing.
    EcsCallback release;
    // Handed out by ecs_add when the kind is full, so callers never get null; never
    // part of records, so no pass visits it and ecs_get never finds it.
    void *spare;
    EcsIndex index;
};

struct Ecs {
    EcsRegister registers[ECS_COMPONENT_COUNT];
    u32 entity_count;
};

static_assert(std::is_trivially_copyable_v<Ecs>);

void ecs_init();
void ecs_free();
void ecs_register(u32 kind, u64 record_size, u32 capacity, EcsCallback add, EcsCallback delete_,
                  EcsCallback update_f, EcsCallback update_v, EcsCallback draw);
void ecs_unregister(u32 kind);
void ecs_release_set(u32 kind, EcsCallback release);
void *ecs_add(EntityId entity, u32 kind);
void *ecs_get(EntityId entity, u32 kind);
void ecs_delete(EntityId entity, u32 kind);
void *ecs_from_index_get(i32 index, u32 kind);
void ecs_clear(u32 kind);
void ecs_clear_all();
void ecs_update_f();
void ecs_update_v();
void ecs_draw();
// How many more records the kind can take before ecs_add falls back to the spare.
u32 ecs_room_get(u32 kind);

// Typed look-up: ecs_get_as<CSprite>(entity, C_SPRITE).
template <typename T>
T *ecs_get_as(EntityId entity, u32 kind) {
    return static_cast<T *>(ecs_get(entity, kind));
}

template <typename T>
T *ecs_add_as(EntityId entity, u32 kind) {
    return static_cast<T *>(ecs_add(entity, kind));
}
