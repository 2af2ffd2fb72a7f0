#include "components/c_damage.hpp"

#include "components/c_flash.hpp"
#include "components/c_health.hpp"
#include "components/c_stun.hpp"
#include "game/game.hpp"
#include "game/game_input.hpp"

namespace {

constexpr i32 C_DAMAGE_COOLDOWN = 18;
constexpr i32 C_DAMAGE_FLASH_DURATION = 18;
constexpr i32 C_DAMAGE_STUN_DURATION = 18;
constexpr vec4 C_DAMAGE_FLASH_COLOR = {1.0f, 0.0f, 0.0f, 1.0f};

void update_f(void *record) {
    CDamage *damage = static_cast<CDamage *>(record);
    CHealth *health = ecs_get_as<CHealth>(damage->entity, C_HEALTH);
    damage->damaged = false;
    if (!health) return;
    if (damage->cooldown != 0) {
        damage->cooldown -= 1;
        damage->hit = false;
        return;
    }
    if (!damage->hit || health->dead) return;
    damage->cooldown = C_DAMAGE_COOLDOWN;

    CFlash *flash = ecs_get_as<CFlash>(damage->entity, C_FLASH);
    CStun *stun = ecs_get_as<CStun>(damage->entity, C_STUN);
    if (!flash || !stun) return;
    damage->damaged = true;
    vec4 clear_color = game.renderer.clear_color;
    c_flash_set(flash, &clear_color, &C_DAMAGE_FLASH_COLOR, C_DAMAGE_FLASH_DURATION, FLASH_PULSE);
    c_stun_set(stun, C_DAMAGE_STUN_DURATION);
    health->value -= 1;
    damage->hit = false;
    sound_play(&game.sounds[SOUND_HURT], -1);
    game_input_rumble();
}

} // namespace

void c_damage_register() {
    ecs_register(C_DAMAGE, sizeof(CDamage), ECS_RECORD_CAPACITY, nullptr, nullptr, update_f, nullptr, nullptr);
}
