// The registry's look-ups against a straightforward model of the records: a plain list
// scanned front to back. Random add, delete and clear sequences, with repeated records of
// one entity, crowded hash slots and full kinds, must find the same records in the same
// order and run the same callbacks on the same records.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "ecs/ecs.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr u32 KIND = 12;

struct Tagged {
    EntityId entity;
    u32 serial;
};

struct ModelRecord {
    EntityId entity;
    u32 serial;
};

// What the delete callback saw, in order.
std::vector<ModelRecord> deleted;
// Position of the record ecs_get(0, KIND) found from inside the add callback, or -1.
i64 add_found_zero = -2;

void tagged_add(void *) {
    void *found = ecs_get(0, KIND);
    const Vector *records = &game.ecs.registers[KIND].records;
    add_found_zero = found ? static_cast<i64>(vector_index_get(records, found)) : -1;
}

void tagged_delete(void *record) {
    const Tagged *tagged = static_cast<const Tagged *>(record);
    deleted.push_back({tagged->entity, tagged->serial});
}

i64 model_first(const std::vector<ModelRecord> &model, EntityId entity) {
    for (size_t i = 0; i < model.size(); i++) {
        if (model[i].entity == entity) return static_cast<i64>(i);
    }
    return -1;
}

struct ModelRun {
    std::vector<ModelRecord> model;
    std::vector<ModelRecord> expected_deleted;
    u32 capacity;
    u32 serial;
    // The record a full kind hands out; reusing it first runs the delete callback on it.
    bool spare_used;
    ModelRecord spare;
};

void run_begin(ModelRun *run, u32 capacity) {
    test_game_reset();
    for (u32 kind = 0; kind < ECS_COMPONENT_COUNT; kind++) ecs_unregister(kind);
    ecs_register(KIND, sizeof(Tagged), capacity, tagged_add, tagged_delete, nullptr, nullptr, nullptr);
    deleted.clear();
    run->model.clear();
    run->expected_deleted.clear();
    run->capacity = capacity;
    run->serial = 1;
    run->spare_used = false;
    run->spare = {};
}

void run_add(ModelRun *run, EntityId entity) {
    const Vector *records = &game.ecs.registers[KIND].records;
    const bool full = run->model.size() >= run->capacity;
    i64 zero_first = model_first(run->model, 0);
    add_found_zero = -2;
    Tagged *tagged = static_cast<Tagged *>(ecs_add(entity, KIND));
    ASSERT_NE(tagged, nullptr);
    ASSERT_EQ(tagged->entity, entity);
    tagged->serial = run->serial++;
    if (full) {
        // The spare stands outside the records: nothing found changes.
        const char *begin = static_cast<const char *>(records->data);
        const char *end = begin + vector_size_get(records);
        const char *at = reinterpret_cast<const char *>(tagged);
        EXPECT_TRUE(at < begin || at >= end);
        EXPECT_EQ(add_found_zero, zero_first) << "look-up of entity 0 inside the add callback";
        if (run->spare_used) run->expected_deleted.push_back(run->spare);
        run->spare_used = true;
        run->spare = {entity, tagged->serial};
        return;
    }
    // The new record is the last one and reads as entity 0 while the callback runs.
    EXPECT_EQ(add_found_zero, zero_first >= 0 ? zero_first : static_cast<i64>(run->model.size()));
    run->model.push_back({entity, tagged->serial});
}

void run_delete(ModelRun *run, EntityId entity) {
    i64 first = model_first(run->model, entity);
    ecs_delete(entity, KIND);
    if (first < 0) return;
    run->expected_deleted.push_back(run->model[static_cast<size_t>(first)]);
    run->model.erase(run->model.begin() + first);
}

void run_clear(ModelRun *run) {
    ecs_clear(KIND);
    run->model.clear();
}

// Storage order, every look-up in the pool and the delete callbacks all as the model says.
void run_check(const ModelRun *run, const std::vector<EntityId> &pool) {
    const Vector *records = &game.ecs.registers[KIND].records;
    ASSERT_EQ(records->count, static_cast<i32>(run->model.size()));
    for (i32 i = 0; i < records->count; i++) {
        const Tagged *tagged = static_cast<const Tagged *>(vector_get(records, i));
        ASSERT_EQ(tagged->entity, run->model[static_cast<size_t>(i)].entity) << "position " << i;
        ASSERT_EQ(tagged->serial, run->model[static_cast<size_t>(i)].serial) << "position " << i;
    }
    for (EntityId entity : pool) {
        const Tagged *found = static_cast<const Tagged *>(ecs_get(entity, KIND));
        i64 first = model_first(run->model, entity);
        if (first < 0) {
            ASSERT_EQ(found, nullptr) << "entity " << entity;
        } else {
            ASSERT_EQ(found, vector_get(records, static_cast<i32>(first))) << "entity " << entity;
        }
    }
    ASSERT_EQ(game.ecs.registers[KIND].index.repairs, 0u) << "the index fell out of step and was rebuilt";
    ASSERT_EQ(deleted.size(), run->expected_deleted.size());
    for (size_t i = 0; i < deleted.size(); i++) {
        ASSERT_EQ(deleted[i].entity, run->expected_deleted[i].entity) << "deletion " << i;
        ASSERT_EQ(deleted[i].serial, run->expected_deleted[i].serial) << "deletion " << i;
    }
}

// Adds lean toward the pool's entities so repeated records of one entity are common;
// deletes lean toward entities present; a rare clear empties the kind unless left out.
void run_random(ModelRun *run, const std::vector<EntityId> &pool, u32 seed, i32 steps, i32 add_weight,
                bool clears = true) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
    std::uniform_int_distribution<i32> action(0, 99);
    for (i32 step = 0; step < steps; step++) {
        i32 roll = action(random);
        if (roll == 0 && clears) {
            run_clear(run);
        } else if (roll <= add_weight) {
            run_add(run, pool[pick(random)]);
        } else if (!run->model.empty() && roll % 2 == 0) {
            std::uniform_int_distribution<size_t> present(0, run->model.size() - 1);
            run_delete(run, run->model[present(random)].entity);
        } else {
            run_delete(run, pool[pick(random)]);
        }
        ASSERT_NO_FATAL_FAILURE(run_check(run, pool)) << "seed " << seed << " step " << step;
    }
}

std::vector<EntityId> pool_mixed(u32 seed, size_t size) {
    std::mt19937 random(seed);
    std::vector<EntityId> pool = {0, 1, 2, 0xFFFFFFFFu, 0x80000000u};
    while (pool.size() < size) {
        EntityId entity = static_cast<EntityId>(random());
        if (std::find(pool.begin(), pool.end(), entity) == pool.end()) pool.push_back(entity);
    }
    return pool;
}

// Ids that crowd one small run of slots under a multiplicative hash: long probe runs whose
// middle entries are removed exercise the deletion's shifting.
std::vector<EntityId> pool_crowded(size_t size) {
    std::vector<EntityId> pool;
    for (EntityId entity = 0; pool.size() < size; entity++) {
        if (((entity * 2654435769u) >> 23) < 4) pool.push_back(entity);
    }
    return pool;
}

std::vector<EntityId> pool_sequential(size_t size) {
    std::vector<EntityId> pool;
    for (size_t i = 0; i < size; i++) pool.push_back(static_cast<EntityId>(1000 + i));
    return pool;
}

} // namespace

TEST(EcsIndex, LookupsAndDeletionsMatchAScanOverRandomSequences) {
    for (u32 seed = 1; seed <= 4; seed++) {
        ModelRun run;
        run_begin(&run, ECS_RECORD_CAPACITY);
        // Few entities: most adds repeat an entity already present.
        ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_mixed(seed, 12), seed, 1500, 55));
        run_begin(&run, ECS_RECORD_CAPACITY);
        ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_mixed(seed + 100, 80), seed, 1500, 60));
    }
}

TEST(EcsIndex, CrowdedSlotsAndAFullKindMatchAScan) {
    for (u32 seed = 1; seed <= 3; seed++) {
        ModelRun run;
        run_begin(&run, ECS_RECORD_CAPACITY);
        ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_crowded(60), seed, 2000, 55));
        // Enough adds to keep the kind at its limit, where ecs_add hands out the spare.
        run_begin(&run, ECS_RECORD_CAPACITY);
        ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_sequential(300), seed, 2500, 75));
        run_begin(&run, 8);
        ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_mixed(seed, 10), seed, 1500, 60));
    }
}

TEST(EcsIndex, KindsTooLargeForTheIndexStillMatchAScan) {
    ModelRun run;
    run_begin(&run, ECS_INDEX_CAPACITY_MAX + 100);
    ASSERT_NO_FATAL_FAILURE(run_random(&run, pool_sequential(450), 7, 2000, 80, false));
    EXPECT_GT(game.ecs.registers[KIND].records.count, static_cast<i32>(ECS_INDEX_CAPACITY_MAX));
}

TEST(EcsIndex, RepeatedRecordsAreFoundFirstToLast) {
    ModelRun run;
    run_begin(&run, ECS_RECORD_CAPACITY);
    const std::vector<EntityId> pool = {5, 6, 7};
    for (EntityId entity : {5u, 6u, 5u, 7u, 5u, 6u}) run_add(&run, entity);
    ASSERT_NO_FATAL_FAILURE(run_check(&run, pool));
    // Each deletion takes the first of 5's records; the next one is found after it.
    for (i32 i = 0; i < 3; i++) {
        run_delete(&run, 5);
        ASSERT_NO_FATAL_FAILURE(run_check(&run, pool));
    }
    EXPECT_EQ(ecs_get(5, KIND), nullptr);
    ASSERT_EQ(run.expected_deleted.size(), 3u);
    EXPECT_LT(run.expected_deleted[0].serial, run.expected_deleted[1].serial);
    EXPECT_LT(run.expected_deleted[1].serial, run.expected_deleted[2].serial);
}

TEST(EcsIndex, AClearedGameRecordFindsNothingOfBefore) {
    test_game_reset();
    for (EntityId entity = 0; entity < 20; entity++) ecs_add(entity, C_MOVE);
    test_game_reset();
    for (EntityId entity = 0; entity < 20; entity++) EXPECT_EQ(ecs_get(entity, C_MOVE), nullptr) << entity;
    ecs_add(3, C_MOVE);
    EXPECT_EQ(ecs_get(3, C_MOVE), vector_get(&game.ecs.registers[C_MOVE].records, 0));
    ecs_clear_all();
    EXPECT_EQ(ecs_get(3, C_MOVE), nullptr);
}
