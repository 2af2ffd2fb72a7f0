#include "ecs/ecs.hpp"

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
    if (!record) record = spare_get(reg);
    if (!record) return nullptr;
    if (reg->add) reg->add(record);
    record_entity_set(record, entity);
    return record;
}

void *ecs_get(EntityId entity, u32 kind) {
    EcsRegister *reg = register_get(kind);
    for (i32 i = 0; i < reg->records.count; i++) {
        void *record = vector_get(&reg->records, i);
        if (record_entity(record) == entity) return record;
    }
    return nullptr;
}

void ecs_delete(EntityId entity, u32 kind) {
    EcsRegister *reg = register_get(kind);
    void *record = ecs_get(entity, kind);
    if (!record) return;
    if (reg->delete_) reg->delete_(record);
    vector_remove_from_data(&reg->records, record);
}

void *ecs_from_index_get(i32 index, u32 kind) { return vector_get(&register_get(kind)->records, index); }

void ecs_release_set(u32 kind, EcsCallback release) { register_get(kind)->release = release; }

void ecs_clear(u32 kind) {
    EcsRegister *reg = register_get(kind);
    records_release(reg);
    vector_clear(&reg->records);
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
