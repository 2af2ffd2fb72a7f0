#include "ecs/ecs.hpp"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "ecs/ecs_register.hpp"
#include "game/game.hpp"

namespace {

EcsRegister *register_get(u32 kind) { return &game.ecs.registers[kind]; }

EntityId record_entity(const void *record) {
    EntityId entity;
    std::memcpy(&entity, record, sizeof entity);
    return entity;
}

void record_entity_set(void *record, EntityId entity) { std::memcpy(record, &entity, sizeof entity); }

EntityId position_entity(const EcsRegister *reg, i32 position) {
    return record_entity(vector_get(&reg->records, position));
}

static_assert(std::has_single_bit(ECS_INDEX_SLOTS));
static_assert(ECS_INDEX_CAPACITY_MAX < ECS_INDEX_SLOTS && ECS_INDEX_CAPACITY_MAX < 65535);
constexpr u32 INDEX_MASK = ECS_INDEX_SLOTS - 1;
constexpr i32 INDEX_BITS = std::countr_zero(ECS_INDEX_SLOTS);
constexpr i32 INDEX_NONE = -1;

bool indexed(const EcsRegister *reg) { return reg->records.capacity <= ECS_INDEX_CAPACITY_MAX; }

// Ids are handed out in sequence; a multiplicative hash spreads neighbours across the table.
u32 slot_home(EntityId entity) { return (entity * 2654435769u) >> (32 - INDEX_BITS); }

// There is always an empty slot (the record limit is below the slot count), so probing ends.
i32 index_find(const EcsIndex *index, EntityId entity) {
    for (u32 slot = slot_home(entity);; slot = (slot + 1) & INDEX_MASK) {
        if (index->positions[slot] == 0) return INDEX_NONE;
        if (index->entities[slot] == entity) return static_cast<i32>(slot);
    }
}

void index_insert(EcsIndex *index, EntityId entity, i32 position) {
    u32 slot = slot_home(entity);
    while (index->positions[slot] != 0) slot = (slot + 1) & INDEX_MASK;
    index->entities[slot] = entity;
    index->positions[slot] = static_cast<u16>(position + 1);
}

// Backward-shift deletion: later entries of the probe run move into the hole when their
// home allows it, so no tombstones accumulate and look-ups stay short.
void index_erase(EcsIndex *index, u32 slot) {
    u32 hole = slot;
    for (u32 next = (hole + 1) & INDEX_MASK; index->positions[next] != 0; next = (next + 1) & INDEX_MASK) {
        u32 home = slot_home(index->entities[next]);
        if (((next - home) & INDEX_MASK) >= ((next - hole) & INDEX_MASK)) {
            index->entities[hole] = index->entities[next];
            index->positions[hole] = index->positions[next];
            hole = next;
        }
    }
    index->entities[hole] = 0;
    index->positions[hole] = 0;
}

// The record at position now carries entity.
void index_attach(EcsRegister *reg, EntityId entity, i32 position) {
    EcsIndex *index = &reg->index;
    i32 slot = index_find(index, entity);
    if (slot == INDEX_NONE) {
        index_insert(index, entity, position);
        return;
    }
    index->duplicates++;
    if (index->positions[slot] - 1 > position) index->positions[slot] = static_cast<u16>(position + 1);
}

// The record at position no longer carries entity (the storage has not moved yet); if it
// was the entity's first, the next record of the entity, if any, becomes the first.
void index_detach(EcsRegister *reg, EntityId entity, i32 position) {
    EcsIndex *index = &reg->index;
    i32 slot = index_find(index, entity);
    if (slot == INDEX_NONE) return;
    if (index->positions[slot] - 1 != position) {
        index->duplicates--;
        return;
    }
    if (index->duplicates > 0) {
        for (i32 i = position + 1; i < reg->records.count; i++) {
            if (position_entity(reg, i) != entity) continue;
            index->positions[slot] = static_cast<u16>(i + 1);
            index->duplicates--;
            return;
        }
    }
    index_erase(index, static_cast<u32>(slot));
}

// The record at position was removed and the later ones moved down one place.
void index_close_gap(EcsIndex *index, i32 position) {
    const u16 after = static_cast<u16>(position + 1);
    for (u16 &stored : index->positions) {
        if (stored > after) stored--;
    }
}

void index_rebuild(EcsRegister *reg) {
    const u32 repairs = reg->index.repairs + 1;
    reg->index = {};
    reg->index.repairs = repairs;
    for (i32 i = 0; i < reg->records.count; i++) index_attach(reg, position_entity(reg, i), i);
}

void *records_scan(const EcsRegister *reg, EntityId entity) {
    for (i32 i = 0; i < reg->records.count; i++) {
        void *record = vector_get(&reg->records, i);
        if (record_entity(record) == entity) return record;
    }
    return nullptr;
}

// The fallback record of a full kind. What it held last time is released through the
// kind's delete callback before it is handed out again.
void *spare_get(EcsRegister *reg) {
    if (!reg->spare) {
        reg->spare = std::calloc(1, reg->records.element_size);
    } else if (reg->delete_) {
        reg->delete_(reg->spare);
    }
    if (reg->spare) std::memset(reg->spare, 0, reg->records.element_size);
    return reg->spare;
}

void records_release(EcsRegister *reg) {
    if (!reg->release) return;
    for (i32 i = 0; i < reg->records.count; i++) reg->release(vector_get(&reg->records, i));
}

void dispatch(EcsCallback EcsRegister::*callback) {
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        EcsRegister *reg = register_get(kind);
        EcsCallback function = reg->*callback;
        if (!function || reg->records.count == 0) continue;
        // The count and the storage are read afresh at every index: callbacks may add or
        // delete records of this very kind.
        for (i32 i = 0; i < reg->records.count; i++) {
            function(vector_get(&reg->records, i));
        }
    }
}

} // namespace

void ecs_init() {
    for (EcsRegisterFunction function : ECS_REGISTERS) {
        if (function) function();
    }
}

void ecs_free() {
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        ecs_unregister(kind);
    }
}

void ecs_register(u32 kind, u64 record_size, u32 capacity, EcsCallback add, EcsCallback delete_,
                  EcsCallback update_f, EcsCallback update_v, EcsCallback draw) {
    EcsRegister *reg = register_get(kind);
    std::free(reg->spare);
    *reg = {};
    reg->id = kind;
    reg->add = add;
    reg->delete_ = delete_;
    reg->update_f = update_f;
    reg->update_v = update_v;
    reg->draw = draw;
    vector_init(&reg->records, record_size, capacity);
}

void ecs_unregister(u32 kind) {
    EcsRegister *reg = register_get(kind);
    records_release(reg);
    vector_free(&reg->records);
    if (reg->spare && reg->release) reg->release(reg->spare);
    std::free(reg->spare);
    *reg = {};
}

void *ecs_add(EntityId entity, u32 kind) {
    EcsRegister *reg = register_get(kind);
    void *record = vector_push(&reg->records, nullptr);
    const bool stored = record != nullptr && indexed(reg);
    const i32 position = reg->records.count - 1;
    if (!record) record = spare_get(reg);
    if (!record) return nullptr;
    // While the add callback runs the new record reads as entity 0, and a look-up made
    // from inside it must find it as such.
    if (stored) index_attach(reg, 0, position);
    if (reg->add) reg->add(record);
    record_entity_set(record, entity);
    if (stored && entity != 0) {
        index_detach(reg, 0, position);
        index_attach(reg, entity, position);
    }
    return record;
}

void *ecs_get(EntityId entity, u32 kind) {
    EcsRegister *reg = register_get(kind);
    if (!indexed(reg)) return records_scan(reg, entity);
    i32 slot = index_find(&reg->index, entity);
    if (slot == INDEX_NONE) return nullptr;
    i32 position = reg->index.positions[slot] - 1;
    if (position < reg->records.count) {
        void *record = vector_get(&reg->records, position);
        if (record_entity(record) == entity) return record;
    }
    // Only a change made behind the registry's back gets here: trust the records.
    index_rebuild(reg);
    return records_scan(reg, entity);
}

void ecs_delete(EntityId entity, u32 kind) {
    EcsRegister *reg = register_get(kind);
    void *record = ecs_get(entity, kind);
    if (!record) return;
    if (reg->delete_) reg->delete_(record);
    const i32 position = static_cast<i32>(vector_index_get(&reg->records, record));
    if (indexed(reg)) index_detach(reg, entity, position);
    vector_remove_from_data(&reg->records, record);
    if (indexed(reg)) index_close_gap(&reg->index, position);
}

void *ecs_from_index_get(i32 index, u32 kind) { return vector_get(&register_get(kind)->records, index); }

void ecs_release_set(u32 kind, EcsCallback release) { register_get(kind)->release = release; }

void ecs_clear(u32 kind) {
    EcsRegister *reg = register_get(kind);
    records_release(reg);
    vector_clear(&reg->records);
    reg->index = {};
}

void ecs_clear_all() {
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        ecs_clear(kind);
    }
}

void ecs_update_f() { dispatch(&EcsRegister::update_f); }
void ecs_update_v() { dispatch(&EcsRegister::update_v); }
void ecs_draw() { dispatch(&EcsRegister::draw); }

u32 ecs_room_get(u32 kind) {
    const Vector *records = &register_get(kind)->records;
    return records->capacity - static_cast<u32>(records->count);
}
