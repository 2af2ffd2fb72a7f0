// The fixed step in its worst case: every attacker piled on the player, so every circle
// overlaps every other and each collision list is as long as it can be.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/bench_env.hpp"
#include "components/c_circle_collide.hpp"
#include "components/c_health.hpp"
#include "components/c_physics.hpp"
#include "ecs/ecs.hpp"
#include "ecs/entity.hpp"
#include "entities/e_enemy.hpp"
#include "entities/e_player.hpp"
#include "engine/vector.hpp"
#include "game/game.hpp"

namespace {

constexpr vec3 CROWD_CENTRE = {640.0f, 360.0f, 0.0f};
// Attackers have radius 16: any two inside a 20-pixel square (diagonal 28.3) overlap,
// and each overlaps the player (radius 20) wherever it stands in it.
constexpr f32 CROWD_SIDE = 20.0f;
constexpr f32 CROWD_RADIUS = 16.0f;
// The first follower takes palette colour 0; attackers never use it, so none is destroyed.
constexpr i32 CROWD_COLORS = 5;
constexpr f32 CROWD_ACCELERATION = 0.1f;
// Two more hits would start the death sequence, which changes what a step does.
constexpr i32 CROWD_HEALTH_FLOOR = 2;

struct Crowd {
    EntityId player;
    std::vector<EntityId> attackers;
};

// A low-discrepancy spread over the square, the same for every run.
vec2 crowd_position(i32 i) {
    f64 u = std::fmod(0.5 + i * 0.6180339887498949, 1.0);
    f64 v = std::fmod(0.5 + i * 0.7548776662466927, 1.0);
    return {static_cast<f32>(CROWD_CENTRE.x - CROWD_SIDE / 2 + u * CROWD_SIDE),
            static_cast<f32>(CROWD_CENTRE.y - CROWD_SIDE / 2 + v * CROWD_SIDE)};
}

void crowd_build(Crowd *crowd, i32 n) {
    bench_scene_clear();
    game.mouse.position = {CROWD_CENTRE.x, CROWD_CENTRE.y};
    crowd->player = entity_add();
    player_init(crowd->player, CROWD_CENTRE);
    player_follower_add(crowd->player);
    crowd->attackers.clear();
    for (i32 i = 0; i < n; i++) {
        EntityId attacker = entity_add();
        vec2 at = crowd_position(i);
        enemy_init(attacker, crowd->player, 1 + i % CROWD_COLORS, {at.x, at.y, 0.0f}, CROWD_ACCELERATION);
        crowd->attackers.push_back(attacker);
    }
}

void bounds_grow(vec4 *bounds, const CPhysics *physics) {
    bounds->x = std::fmin(bounds->x, physics->position.x);
    bounds->y = std::fmin(bounds->y, physics->position.y);
    bounds->z = std::fmax(bounds->z, physics->position.x);
    bounds->w = std::fmax(bounds->w, physics->position.y);
}

// True while the next step is still the crowded case: the player alive and far from its
// death, and everyone still inside the square.
bool crowd_intact(const Crowd *crowd) {
    const CHealth *health = ecs_get_as<CHealth>(crowd->player, C_HEALTH);
    const CPhysics *player = ecs_get_as<CPhysics>(crowd->player, C_PHYSICS);
    if (!health || !player || health->dead || health->value < CROWD_HEALTH_FLOOR) return false;
    vec4 bounds = {player->position.x, player->position.y, player->position.x, player->position.y};
    for (EntityId attacker : crowd->attackers) {
        const CPhysics *physics = ecs_get_as<CPhysics>(attacker, C_PHYSICS);
        if (!physics) return false;
        bounds_grow(&bounds, physics);
    }
    return bounds.z - bounds.x <= CROWD_SIDE && bounds.w - bounds.y <= CROWD_SIDE;
}

void BM_StepCrowd(benchmark::State &state) {
    const i32 n = static_cast<i32>(state.range(0));
    Crowd crowd;
    crowd_build(&crowd, n);
    i64 rebuilds = 0;
    i64 listed = 0;
    for (auto _ : state) {
        ecs_update_f();
        state.PauseTiming();
        const CCircleCollide *collide = ecs_get_as<CCircleCollide>(crowd.player, C_CIRCLE_COLLIDE);
        if (collide) listed += collide->collisions.count;
        if (!crowd_intact(&crowd)) {
            crowd_build(&crowd, n);
            rebuilds++;
        }
        state.ResumeTiming();
    }
    // How many entities the player's list named on average: N when the crowd held.
    state.counters["player_list"] =
        benchmark::Counter(static_cast<f64>(listed), benchmark::Counter::kAvgIterations);
    // Rebuilds per step: how often the crowd drifted out of its worst case.
    state.counters["rebuilds"] = benchmark::Counter(static_cast<f64>(rebuilds), benchmark::Counter::kAvgIterations);
    bench_scene_clear();
}
BENCHMARK(BM_StepCrowd)->Arg(16)->Arg(64)->Arg(128)->Arg(250)->Unit(benchmark::kMicrosecond);

// The least work the overlap rule needs: every ordered pair of positions in a plain
// array, with the same distance formula as the collision pass.
void BM_CollisionFloor(benchmark::State &state) {
    const i32 n = static_cast<i32>(state.range(0));
    std::vector<vec2> positions;
    for (i32 i = 0; i < n; i++) positions.push_back(crowd_position(i));
    for (auto _ : state) {
        i64 overlaps = 0;
        for (i32 i = 0; i < n; i++) {
            for (i32 j = 0; j < n; j++) {
                if (i == j) continue;
                f64 dx = positions[static_cast<size_t>(i)].x - positions[static_cast<size_t>(j)].x;
                f64 dy = positions[static_cast<size_t>(i)].y - positions[static_cast<size_t>(j)].y;
                f32 distance = static_cast<f32>(std::sqrt(dx * dx + dy * dy));
                if (CROWD_RADIUS + CROWD_RADIUS > distance) overlaps++;
            }
        }
        benchmark::DoNotOptimize(overlaps);
        benchmark::DoNotOptimize(positions.data());
    }
}
BENCHMARK(BM_CollisionFloor)->Arg(16)->Arg(64)->Arg(128)->Arg(250)->Unit(benchmark::kMicrosecond);

// The share of the crowded step that the lists' storage alone costs: N + 1 lists (the
// player's and each attacker's) emptied and refilled with N ids one push at a time, every
// push reallocating the list to its exact new size, as the collision pass does.
void BM_CollisionListFill(benchmark::State &state) {
    const i32 n = static_cast<i32>(state.range(0));
    std::vector<Vector> lists(static_cast<size_t>(n + 1));
    for (Vector &list : lists) vector_init(&list, sizeof(EntityId), ECS_RECORD_CAPACITY);
    for (auto _ : state) {
        for (Vector &list : lists) {
            vector_clear(&list);
            for (i32 i = 0; i < n; i++) {
                EntityId entity = static_cast<EntityId>(i);
                vector_push(&list, &entity);
            }
        }
        benchmark::ClobberMemory();
    }
    for (Vector &list : lists) vector_free(&list);
}
BENCHMARK(BM_CollisionListFill)->Arg(16)->Arg(64)->Arg(128)->Arg(250)->Unit(benchmark::kMicrosecond);

} // namespace
