// The component registry: storage, dispatch order, deletion during passes, ids and overflow.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "ecs/ecs.hpp"
#include "ecs/ecs_register.hpp"
#include "ecs/entity.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

struct Probe {
    EntityId entity;
    u32 value;
    u32 seen;
};

// (kind, entity) of every callback run, in order.
std::vector<std::pair<u32, EntityId>> calls;
bool add_saw_zero = true;
void *last_deleted = nullptr;
EntityId last_deleted_entity = 0;

template <u32 KIND>
void log_call(void *record) {
    calls.push_back({KIND, static_cast<Probe *>(record)->entity});
}

void zero_check_add(void *record) {
    const u8 *bytes = static_cast<const u8 *>(record);
    for (size_t i = 0; i < sizeof(Probe); i++) {
        if (bytes[i] != 0) add_saw_zero = false;
    }
    static_cast<Probe *>(record)->value = 42;
}

template <u32 KIND>
void log_delete(void *record) {
    last_deleted = record;
    last_deleted_entity = static_cast<Probe *>(record)->entity;
    calls.push_back({KIND, static_cast<Probe *>(record)->entity});
}

void delete_self(void *record) {
    Probe *probe = static_cast<Probe *>(record);
    calls.push_back({3, probe->entity});
    if (probe->value == 1) entity_delete(probe->entity);
}

EntityId spawned = 0;
void spawn_once(void *record) {
    Probe *probe = static_cast<Probe *>(record);
    calls.push_back({4, probe->entity});
    if (probe->value == 1) {
        probe->value = 0; // the pointer is stale after the add below
        spawned = entity_add();
        ecs_add(spawned, 4);
    }
}

void register_probe(u32 kind, EcsCallback add, EcsCallback delete_, EcsCallback update_f, EcsCallback update_v,
                    EcsCallback draw, u32 capacity = 255) {
    ecs_register(kind, sizeof(Probe), capacity, add, delete_, update_f, update_v, draw);
}

Probe *probe_add(EntityId entity, u32 kind, u32 value = 0) {
    Probe *probe = static_cast<Probe *>(ecs_add(entity, kind));
    probe->value = value;
    return probe;
}

void reset() {
    test_game_reset();
    // Only the probe kinds registered by each test take part.
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) ecs_unregister(kind);
    calls.clear();
    add_saw_zero = true;
    last_deleted = nullptr;
}

using Calls = std::vector<std::pair<u32, EntityId>>;

} // namespace

TEST(Ecs, EveryKindRegisteredWithItsIdCapacityAndCallbacks) {
    test_game_reset();
    // add, delete, update_f, draw as each kind supplies them; no kind has update_v.
    const bool table[ECS_COMPONENT_COUNT][4] = {
        {0, 0, 1, 0}, {0, 0, 0, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}, {1, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 1, 0},
        {0, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}, {1, 0, 1, 0}, {1, 1, 1, 0},
        {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 1, 0}, {1, 0, 1, 0}, {0, 0, 1, 0}, {1, 0, 1, 0}, {1, 0, 1, 0},
        {0, 0, 1, 0}, {1, 0, 1, 1}, {0, 0, 1, 0}, {1, 1, 0, 1}, {1, 0, 1, 0}, {0, 0, 1, 0},
    };
    for (EcsRegisterFunction function : ECS_REGISTERS) EXPECT_NE(function, nullptr);
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) {
        const EcsRegister &reg = game.ecs.registers[kind];
        EXPECT_EQ(reg.id, kind);
        EXPECT_EQ(reg.records.capacity, 255u) << kind;
        EXPECT_GE(reg.records.element_size, sizeof(EntityId)) << kind;
        EXPECT_EQ(reg.records.count, 0) << kind;
        EXPECT_EQ(reg.add != nullptr, table[kind][0]) << "add of kind " << kind;
        EXPECT_EQ(reg.delete_ != nullptr, table[kind][1]) << "delete of kind " << kind;
        EXPECT_EQ(reg.update_f != nullptr, table[kind][2]) << "update_f of kind " << kind;
        EXPECT_EQ(reg.update_v, nullptr) << kind;
        EXPECT_EQ(reg.draw != nullptr, table[kind][3]) << "draw of kind " << kind;
        EXPECT_EQ(ecs_room_get(kind), 255u);
    }
    // With no records of any kind, the three passes find nothing to do.
    ecs_update_f();
    ecs_update_v();
    ecs_draw();
    EXPECT_EQ(game.ecs.entity_count, 0u);
}

TEST(Ecs, AddGetDeleteAndIds) {
    reset();
    register_probe(12, zero_check_add, log_delete<12>, nullptr, nullptr, nullptr);
    EXPECT_EQ(entity_add(), 0u);
    EXPECT_EQ(entity_add(), 1u);
    EXPECT_EQ(entity_add(), 2u);
    for (EntityId e = 0; e < 5; e++) probe_add(e, 12, e * 10);
    EXPECT_TRUE(add_saw_zero) << "the add callback sees an all-zero record, entity included";
    Probe *third = static_cast<Probe *>(ecs_get(2, 12));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->entity, 2u);
    EXPECT_EQ(third, ecs_from_index_get(2, 12));
    EXPECT_EQ(ecs_get(7, 12), nullptr);

    // A second record for the same entity is appended; look-ups only see the first.
    Probe *again = static_cast<Probe *>(ecs_add(1, 12));
    EXPECT_EQ(again->value, 42u) << "set by the add callback only";
    EXPECT_EQ(game.ecs.registers[12].records.count, 6);
    EXPECT_EQ(static_cast<Probe *>(ecs_get(1, 12))->value, 10u);

    ecs_delete(7, 12);
    EXPECT_TRUE(calls.empty());
    ecs_delete(1, 12);
    ASSERT_EQ(calls, (Calls{{12, 1}}));
    const EntityId order[] = {0, 2, 3, 4, 1};
    ASSERT_EQ(game.ecs.registers[12].records.count, 5);
    for (i32 i = 0; i < 5; i++) EXPECT_EQ(static_cast<Probe *>(ecs_from_index_get(i, 12))->entity, order[i]);
    EXPECT_EQ(static_cast<Probe *>(ecs_get(1, 12))->value, 42u) << "the duplicate is now the first";
    EXPECT_EQ(ecs_room_get(12), 250u);
}

TEST(Ecs, DispatchRunsKindsInIdOrder) {
    reset();
    register_probe(20, nullptr, nullptr, log_call<20>, nullptr, log_call<120>);
    register_probe(2, nullptr, nullptr, log_call<2>, log_call<102>, nullptr);
    register_probe(5, nullptr, nullptr, log_call<5>, nullptr, log_call<105>);
    register_probe(9, nullptr, nullptr, nullptr, nullptr, nullptr);
    probe_add(10, 20);
    probe_add(11, 5);
    probe_add(12, 2);
    probe_add(13, 20);
    probe_add(14, 2);
    probe_add(15, 9);
    ecs_update_f();
    EXPECT_EQ(calls, (Calls{{2, 12}, {2, 14}, {5, 11}, {20, 10}, {20, 13}}));
    calls.clear();
    ecs_update_v();
    EXPECT_EQ(calls, (Calls{{102, 12}, {102, 14}}));
    calls.clear();
    ecs_draw();
    EXPECT_EQ(calls, (Calls{{105, 11}, {120, 10}, {120, 13}}));
}

TEST(Ecs, DeletionAndAdditionDuringAPass) {
    reset();
    register_probe(3, nullptr, nullptr, delete_self, nullptr, nullptr);
    probe_add(1, 3, 1);
    probe_add(2, 3);
    probe_add(3, 3);
    ecs_update_f();
    EXPECT_EQ(calls, (Calls{{3, 1}, {3, 3}})) << "the record sliding into the deleted slot waits a step";
    calls.clear();
    ecs_update_f();
    EXPECT_EQ(calls, (Calls{{3, 2}, {3, 3}}));

    reset();
    register_probe(4, nullptr, nullptr, spawn_once, nullptr, nullptr);
    game.ecs.entity_count = 100;
    probe_add(50, 4, 1);
    probe_add(51, 4);
    ecs_update_f();
    EXPECT_EQ(spawned, 100u);
    EXPECT_EQ(calls, (Calls{{4, 50}, {4, 51}, {4, 100}})) << "a record appended during the pass runs in it";
}

TEST(Ecs, EntityDeleteRunsDeleteCallbacksInKindOrder) {
    reset();
    register_probe(24, nullptr, log_delete<24>, nullptr, nullptr, nullptr);
    register_probe(13, nullptr, log_delete<13>, nullptr, nullptr, nullptr);
    register_probe(0, nullptr, nullptr, nullptr, nullptr, nullptr);
    EntityId e = entity_add();
    EntityId other = entity_add();
    probe_add(other, 24);
    probe_add(e, 24);
    probe_add(e, 0);
    probe_add(e, 13);
    entity_delete(e);
    EXPECT_EQ(calls, (Calls{{13, e}, {24, e}}));
    EXPECT_EQ(ecs_get(e, 0), nullptr);
    EXPECT_EQ(ecs_get(e, 13), nullptr);
    EXPECT_EQ(ecs_get(e, 24), nullptr);
    EXPECT_NE(ecs_get(other, 24), nullptr);
}

TEST(Ecs, ClearAllKeepsCallbacksAndIds) {
    reset();
    register_probe(7, nullptr, log_delete<7>, log_call<7>, nullptr, nullptr);
    for (int i = 0; i < 4; i++) probe_add(entity_add(), 7);
    ecs_clear_all();
    EXPECT_TRUE(calls.empty()) << "clearing runs no delete callback";
    EXPECT_EQ(game.ecs.registers[7].records.count, 0);
    EXPECT_EQ(game.ecs.registers[7].records.data, nullptr);
    EXPECT_NE(game.ecs.registers[7].update_f, nullptr);
    EXPECT_NE(game.ecs.registers[7].delete_, nullptr);
    EXPECT_EQ(game.ecs.registers[7].records.capacity, 255u);
    EXPECT_EQ(game.ecs.entity_count, 4u);
    EntityId next = entity_add();
    EXPECT_EQ(next, 4u) << "ids are never reused";
    probe_add(next, 7);
    ecs_update_f();
    EXPECT_EQ(calls, (Calls{{7, 4}}));

    ecs_unregister(7);
    const EcsRegister &reg = game.ecs.registers[7];
    EXPECT_EQ(reg.update_f, nullptr);
    EXPECT_EQ(reg.delete_, nullptr);
    EXPECT_EQ(reg.records.data, nullptr);
    EXPECT_EQ(reg.records.count, 0);
}

TEST(Ecs, OverflowGetsASpareRecordOutsideStorage) {
    reset();
    register_probe(6, zero_check_add, log_delete<6>, log_call<6>, nullptr, nullptr);
    for (EntityId e = 0; e < 255; e++) probe_add(e, 6, 7);
    EXPECT_EQ(ecs_room_get(6), 0u);
    const Vector records = game.ecs.registers[6].records;
    std::vector<u8> before(static_cast<const u8 *>(records.data),
                           static_cast<const u8 *>(records.data) + vector_size_get(&records));

    add_saw_zero = true;
    Probe *spare = static_cast<Probe *>(ecs_add(1000, 6));
    ASSERT_NE(spare, nullptr);
    EXPECT_TRUE(add_saw_zero);
    EXPECT_EQ(spare->entity, 1000u);
    EXPECT_EQ(spare->value, 42u) << "the add callback ran";
    const u8 *begin = static_cast<const u8 *>(game.ecs.registers[6].records.data);
    const u8 *at = reinterpret_cast<const u8 *>(spare);
    EXPECT_TRUE(at < begin || at >= begin + vector_size_get(&records)) << "not one of the stored records";
    EXPECT_EQ(game.ecs.registers[6].records.count, 255);
    EXPECT_EQ(std::memcmp(before.data(), begin, before.size()), 0) << "stored records untouched";
    EXPECT_EQ(ecs_get(1000, 6), nullptr);
    calls.clear();
    ecs_update_f();
    EXPECT_EQ(calls.size(), 255u);
    for (const auto &call : calls) EXPECT_NE(call.second, 1000u);

    // Reusing the spare first lets the kind release what it held.
    spare->value = 5;
    calls.clear();
    Probe *again = static_cast<Probe *>(ecs_add(1001, 6));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(calls, (Calls{{6, 1000}}));
    EXPECT_EQ(last_deleted_entity, 1000u);
    EXPECT_EQ(again->entity, 1001u);
    EXPECT_EQ(again->value, 42u);

    ecs_delete(0, 6);
    EXPECT_EQ(ecs_room_get(6), 1u);
    Probe *stored = static_cast<Probe *>(ecs_add(1002, 6));
    EXPECT_EQ(ecs_get(1002, 6), stored);
    EXPECT_EQ(ecs_room_get(6), 0u);
    ecs_unregister(6);
}
