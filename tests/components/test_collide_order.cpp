// The collision pass against a straightforward model: every circle record scanned for each
// list, both physics records found by scanning front to back. The lists must name the
// same entities in the same order, entry by entry, whatever the storage holds.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "components/c_circle.hpp"
#include "components/c_circle_collide.hpp"
#include "components/c_health.hpp"
#include "components/c_physics.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_player.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

using List = std::vector<EntityId>;

template <typename T>
const T *scan_first(u32 kind, EntityId entity) {
    const Vector *records = &game.ecs.registers[kind].records;
    for (i32 i = 0; i < records->count; i++) {
        const T *record = static_cast<const T *>(vector_get(records, i));
        if (record->entity == entity) return record;
    }
    return nullptr;
}

List model_list(EntityId entity) {
    List list;
    const CCircle *own = scan_first<CCircle>(C_CIRCLE, entity);
    if (!own) return list;
    const Vector *circles = &game.ecs.registers[C_CIRCLE].records;
    for (i32 i = 0; i < circles->count; i++) {
        const CCircle *other = static_cast<const CCircle *>(vector_get(circles, i));
        if (other->entity == entity) continue;
        const CPhysics *a = scan_first<CPhysics>(C_PHYSICS, entity);
        const CPhysics *b = scan_first<CPhysics>(C_PHYSICS, other->entity);
        if (!a || !b) continue;
        f64 dx = a->position.x - b->position.x;
        f64 dy = a->position.y - b->position.y;
        f32 distance = static_cast<f32>(std::sqrt(dx * dx + dy * dy));
        if (own->radius + other->radius > distance && list.size() < 255) list.push_back(other->entity);
    }
    return list;
}

// The model's list for every collision record, in storage order, from the current positions.
std::vector<std::pair<EntityId, List>> model_lists() {
    std::vector<std::pair<EntityId, List>> lists;
    const Vector *records = &game.ecs.registers[C_CIRCLE_COLLIDE].records;
    for (i32 i = 0; i < records->count; i++) {
        EntityId entity = static_cast<const CCircleCollide *>(vector_get(records, i))->entity;
        lists.push_back({entity, model_list(entity)});
    }
    return lists;
}

List actual_list(const CCircleCollide *collide) {
    List list;
    for (i32 i = 0; i < collide->collisions.count; i++) {
        list.push_back(*static_cast<const EntityId *>(vector_get(&collide->collisions, i)));
    }
    return list;
}

// Records that were deleted during the step are passed over; every other must match.
void lists_compare(const std::vector<std::pair<EntityId, List>> &expected, i32 *compared) {
    const Vector *records = &game.ecs.registers[C_CIRCLE_COLLIDE].records;
    size_t next = 0;
    for (i32 i = 0; i < records->count; i++) {
        const CCircleCollide *collide = static_cast<const CCircleCollide *>(vector_get(records, i));
        while (next < expected.size() && expected[next].first != collide->entity) next++;
        ASSERT_LT(next, expected.size()) << "a list for entity " << collide->entity << " nobody expected";
        const List actual = actual_list(collide);
        const List &wanted = expected[next].second;
        ASSERT_EQ(actual.size(), wanted.size()) << "entity " << collide->entity;
        for (size_t k = 0; k < wanted.size(); k++) {
            ASSERT_EQ(actual[k], wanted[k]) << "entity " << collide->entity << " entry " << k;
        }
        (*compared)++;
        next++;
    }
}

CPhysics *physics_add(EntityId entity, f32 x, f32 y) {
    CPhysics *physics = ecs_add_as<CPhysics>(entity, C_PHYSICS);
    c_physics_set(physics, {x, y, 0.0f}, 1.0f, 0.0f);
    return physics;
}

// Raw records: some entities lack a circle, a physics record or a list; some have a
// second physics record elsewhere or a second circle; deletions shuffle storage order
// away from id order. Integer positions and radii make exact touches common.
void scene_random(std::mt19937 *random, i32 entities) {
    std::uniform_int_distribution<i32> coordinate(0, 120);
    std::uniform_int_distribution<i32> radius(3, 40);
    std::uniform_int_distribution<i32> percent(0, 99);
    std::vector<EntityId> made;
    for (i32 n = 0; n < entities; n++) {
        EntityId entity = entity_add();
        made.push_back(entity);
        if (percent(*random) < 92) {
            physics_add(entity, static_cast<f32>(coordinate(*random)), static_cast<f32>(coordinate(*random)));
        }
        if (percent(*random) < 5) {
            physics_add(entity, static_cast<f32>(coordinate(*random)), static_cast<f32>(coordinate(*random)));
        }
        if (percent(*random) < 92) c_circle_set(ecs_add_as<CCircle>(entity, C_CIRCLE), static_cast<f32>(radius(*random)));
        if (percent(*random) < 3) c_circle_set(ecs_add_as<CCircle>(entity, C_CIRCLE), static_cast<f32>(radius(*random)));
        if (percent(*random) < 90) ecs_add(entity, C_CIRCLE_COLLIDE);
        if (percent(*random) < 15 && !made.empty()) {
            std::uniform_int_distribution<size_t> pick(0, made.size() - 1);
            entity_delete(made[pick(*random)]);
        }
    }
}

} // namespace

TEST(CollideOrder, RandomRecordsListTheSameEntitiesInTheSameOrder) {
    i32 compared = 0;
    for (u32 seed = 1; seed <= 12; seed++) {
        test_game_reset();
        std::mt19937 random(seed);
        scene_random(&random, 60 + static_cast<i32>(seed) * 15);
        auto expected = model_lists();
        ecs_update_f();
        ASSERT_NO_FATAL_FAILURE(lists_compare(expected, &compared)) << "seed " << seed;
        // A second step over the same records: the lists are rebuilt, not extended.
        expected = model_lists();
        ecs_update_f();
        ASSERT_NO_FATAL_FAILURE(lists_compare(expected, &compared)) << "seed " << seed;
    }
    EXPECT_GT(compared, 1000);
}

TEST(CollideOrder, TouchingCirclesAndMissingRecords) {
    test_game_reset();
    // Radii 20 and 30 at exactly 50 apart (a 30-40-50 triangle) touch but do not overlap;
    // a third entity 49 away from the first overlaps it; one without physics lists nothing.
    EntityId a = entity_add(), b = entity_add(), c = entity_add(), d = entity_add();
    physics_add(a, 100.0f, 100.0f);
    physics_add(b, 130.0f, 140.0f);
    physics_add(c, 149.0f, 100.0f);
    for (EntityId e : {a, b, c, d}) ecs_add(e, C_CIRCLE_COLLIDE);
    c_circle_set(ecs_add_as<CCircle>(d, C_CIRCLE), 100.0f);
    c_circle_set(ecs_add_as<CCircle>(c, C_CIRCLE), 30.0f);
    c_circle_set(ecs_add_as<CCircle>(b, C_CIRCLE), 30.0f);
    c_circle_set(ecs_add_as<CCircle>(a, C_CIRCLE), 20.0f);
    i32 compared = 0;
    auto expected = model_lists();
    ecs_update_f();
    ASSERT_NO_FATAL_FAILURE(lists_compare(expected, &compared));
    EXPECT_EQ(compared, 4);
    EXPECT_EQ(actual_list(ecs_get_as<CCircleCollide>(a, C_CIRCLE_COLLIDE)), List({c}));
    EXPECT_EQ(actual_list(ecs_get_as<CCircleCollide>(b, C_CIRCLE_COLLIDE)), List({c}));
    // Lists follow circle storage order (b's circle was added before a's), not id order.
    EXPECT_EQ(actual_list(ecs_get_as<CCircleCollide>(c, C_CIRCLE_COLLIDE)), List({b, a}));
    EXPECT_TRUE(actual_list(ecs_get_as<CCircleCollide>(d, C_CIRCLE_COLLIDE)).empty());
}

TEST(CollideOrder, APlayedCrowdMatchesStepByStep) {
    test_game_reset();
    test_resources_load();
    std::mt19937 random(5);
    std::uniform_real_distribution<f32> offset(-160.0f, 160.0f);
    game.mouse.position = {640.0f, 360.0f};
    EntityId player = entity_add();
    player_init(player, {640.0f, 360.0f, 0.0f});
    for (i32 i = 0; i < 3; i++) player_follower_add(player);
    // Attackers of the followers' colours among others: some are destroyed mid-step,
    // after the lists naming them were built.
    for (i32 i = 0; i < 120; i++) {
        vec3 at = {640.0f + offset(random), 360.0f + offset(random), 0.0f};
        enemy_init(entity_add(), player, i % 6, at, 0.1f + 0.01f * static_cast<f32>(i % 7));
    }
    i32 compared = 0;
    for (i32 step = 0; step < 60; step++) {
        auto expected = model_lists();
        ecs_update_f();
        ASSERT_NO_FATAL_FAILURE(lists_compare(expected, &compared)) << "step " << step;
    }
    EXPECT_GT(compared, 60 * 50);
    // Followers destroyed some attackers along the way.
    EXPECT_LT(game.ecs.registers[C_CHASE].records.count, 120);
    test_resources_free();
}
