// Playing with a game controller: SDL's virtual joystick is a real device to SDL (it arrives
// through the same queue, mapping and state as a USB pad), so these tests plug pads in and out,
// tilt sticks and press buttons, and watch the game step by step.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "components/c_damage.hpp"
#include "components/c_physics.hpp"
#include "components/c_rotation.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"
#include "tests/support/virtual_pad.hpp"

namespace {

constexpr vec2 CENTER = {640.0f, 360.0f};

struct Pad {
    SDL_Joystick *joystick;
    std::vector<std::pair<u16, u16>> rumbles;
};

int rumble_record(void *userdata, Uint16 low, Uint16 high) {
    static_cast<Pad *>(userdata)->rumbles.emplace_back(low, high);
    return 0;
}

void pad_attach(Pad *pad) {
    int device = virtual_pad_attach("Test pad", rumble_record, pad);
    ASSERT_GE(device, 0) << SDL_GetError();
    pad->joystick = SDL_JoystickOpen(device);
    ASSERT_NE(pad->joystick, nullptr) << SDL_GetError();
}

void pad_detach(Pad *pad) {
    if (!pad->joystick) return;
    SDL_JoystickID id = SDL_JoystickInstanceID(pad->joystick);
    SDL_JoystickClose(pad->joystick);
    pad->joystick = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
}

void axis(Pad *pad, SDL_GameControllerAxis which, f32 share) {
    SDL_JoystickSetVirtualAxis(pad->joystick, which, static_cast<Sint16>(std::lround(share * 32767.0f)));
}

// Triggers rest at one end of the axis: SDL maps a virtual axis's whole range onto them.
void trigger(Pad *pad, SDL_GameControllerAxis which, f32 share) { axis(pad, which, share * 2.0f - 1.0f); }

void button(Pad *pad, SDL_GameControllerButton which, bool down) {
    SDL_JoystickSetVirtualButton(pad->joystick, which, down ? 1 : 0);
}

// One fixed step as the main loop runs it, with the mouse held still at `mouse` and no key
// down: SDL's queue is pumped for real, so the pads' state arrives as it does in the game.
void step(vec2 mouse = CENTER) {
    event_update(&game.event);
    std::memcpy(game.mouse.previous, game.mouse.current, sizeof game.mouse.current);
    game.mouse.position = mouse;
    std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
    std::memset(game.keyboard.current, 0, sizeof game.keyboard.current);
    gamepad_update(&game.gamepad);
    game_input_update();
    game_state_update_f();
    if (!game.paused) ecs_update_f();
}

void steps(int n) {
    for (int i = 0; i < n; i++) step();
}

void scene_start(GameState state) {
    gamepad_free(&game.gamepad);
    test_game_reset();
    test_resources_free();
    game.state = state;
    test_stdout_begin();
    game_state_data_init();
    game_state_init();
    test_stdout_end();
}

CPhysics *player_physics() { return ecs_get_as<CPhysics>(game.play.player, C_PHYSICS); }
CRotation *player_rotation() { return ecs_get_as<CRotation>(game.play.player, C_ROTATION); }

class Gamepads : public ::testing::Test {
protected:
    void SetUp() override {
        // The test window is hidden and never has the focus; SDL drops pad input for an
        // application in the background unless told otherwise.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        pad_detach(&first);
        pad_detach(&second);
        step();
        gamepad_free(&game.gamepad);
        game_state_free();
        test_resources_free();
        test_game_reset();
        game.paused = false;
    }
    Pad first = {};
    Pad second = {};
};

} // namespace

TEST_F(Gamepads, StickSteersByDirectionAndTiltPastTheDeadZone) {
    scene_start(GAME_STATE_PLAY);
    pad_attach(&first);
    step();
    ASSERT_NE(game.gamepad.pads[0], nullptr) << "the pad was opened";
    const vec2 start = {player_physics()->position.x, player_physics()->position.y};

    // A resting stick a little off centre moves nothing and leaves the mouse steering.
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 0.2f);
    axis(&first, SDL_CONTROLLER_AXIS_LEFTY, -0.1f);
    steps(30);
    EXPECT_FALSE(game.input.pad_steering);
    EXPECT_EQ(player_physics()->position.x, start.x);
    EXPECT_EQ(player_physics()->position.y, start.y);

    // Up and to the right at 3:4: the push goes that way, in field terms, whatever the window.
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 0.6f);
    axis(&first, SDL_CONTROLLER_AXIS_LEFTY, -0.8f);
    step();
    EXPECT_TRUE(game.input.pad_steering);
    const CPhysics *physics = player_physics();
    ASSERT_GT(physics->velocity.x, 0.0f);
    EXPECT_NEAR(physics->velocity.y / physics->velocity.x, -0.8f / 0.6f, 0.02f);

    // Half a tilt settles at a lower speed than a full one; full tilt reaches the top speed.
    auto settled_speed = [&](f32 tilt) {
        axis(&first, SDL_CONTROLLER_AXIS_LEFTX, tilt);
        axis(&first, SDL_CONTROLLER_AXIS_LEFTY, 0.0f);
        steps(20);
        return player_physics()->velocity.x;
    };
    f32 half = settled_speed(0.625f);
    f32 full = settled_speed(1.0f);
    EXPECT_GT(half, 1.0f);
    EXPECT_LT(half, full - 1.0f);
    EXPECT_FLOAT_EQ(full, 5.0f) << "the physics bound";

    // Let go: the stick springs back into the dead zone and the push stops.
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 0.0f);
    steps(40);
    EXPECT_NEAR(player_physics()->velocity.x, 0.0f, 0.01f);
    EXPECT_TRUE(game.input.pad_steering) << "a centred stick still holds the steering";
}

TEST_F(Gamepads, MouseAndPadWhicheverMovedLastSteersAndFingersNever) {
    scene_start(GAME_STATE_PLAY);
    pad_attach(&first);
    step();
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 1.0f);
    step();
    ASSERT_TRUE(game.input.pad_steering);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the pointer hides while a pad steers";

    // SDL's mouse events as a real mouse and as a finger make them.
    auto pointer_event = [](Uint32 which) {
        SDL_Event motion = {};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.which = which;
        SDL_PushEvent(&motion);
    };
    pointer_event(SDL_TOUCH_MOUSEID);
    step();
    EXPECT_TRUE(game.input.pad_steering) << "a finger does not take the steering from the pad";

    // The stick held still while the mouse moves: the mouse steers, toward the pointer.
    pointer_event(0);
    step({100.0f, 360.0f});
    EXPECT_FALSE(game.input.pad_steering);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "the pointer comes back with the mouse";
    step({100.0f, 360.0f});
    EXPECT_LT(player_physics()->velocity.x, 0.0f) << "pushed left toward the pointer, against the held stick";

    // A finger on the screen is no target: the centre holds still, though the pointer is far.
    pointer_event(SDL_TOUCH_MOUSEID);
    step({100.0f, 100.0f});
    for (int i = 0; i < 30; i++) step({100.0f, 100.0f});
    EXPECT_NEAR(player_physics()->velocity.x, 0.0f, 0.01f);
    EXPECT_NEAR(player_physics()->velocity.y, 0.0f, 0.01f);

    // The stick moves again: the pad has the steering back.
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 0.5f);
    step();
    EXPECT_TRUE(game.input.pad_steering);
}

TEST_F(Gamepads, EverySpinInputTurnsTheFollowersAsTheKeysDo) {
    struct Spin {
        const char *name;
        bool left;
        void (*press)(Pad *, bool);
    };
    const Spin spins[] = {
        {"left shoulder", true, [](Pad *p, bool d) { button(p, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, d); }},
        {"left trigger", true, [](Pad *p, bool d) { trigger(p, SDL_CONTROLLER_AXIS_TRIGGERLEFT, d ? 1.0f : 0.0f); }},
        {"d-pad left", true, [](Pad *p, bool d) { button(p, SDL_CONTROLLER_BUTTON_DPAD_LEFT, d); }},
        {"right stick left", true, [](Pad *p, bool d) { axis(p, SDL_CONTROLLER_AXIS_RIGHTX, d ? -1.0f : 0.0f); }},
        {"right shoulder", false, [](Pad *p, bool d) { button(p, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, d); }},
        {"right trigger", false, [](Pad *p, bool d) { trigger(p, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, d ? 1.0f : 0.0f); }},
        {"d-pad right", false, [](Pad *p, bool d) { button(p, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, d); }},
        {"right stick right", false, [](Pad *p, bool d) { axis(p, SDL_CONTROLLER_AXIS_RIGHTX, d ? 1.0f : 0.0f); }},
    };
    scene_start(GAME_STATE_PLAY);
    pad_attach(&first);
    trigger(&first, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0.0f);
    trigger(&first, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0.0f);
    step();

    // What A and D do to the rotation from rest over ten steps, the keys held on the record.
    auto speed_after_keys = [](u32 key) {
        CRotation *rotation = player_rotation();
        rotation->speed = 0.0f;
        for (int i = 0; i < 10; i++) {
            std::memcpy(game.keyboard.previous, game.keyboard.current, sizeof game.keyboard.current);
            game.keyboard.current[key] = 1;
            gamepad_update(&game.gamepad);
            game_input_update();
            ecs_update_f();
        }
        std::memset(game.keyboard.current, 0, sizeof game.keyboard.current);
        std::memset(game.keyboard.previous, 0, sizeof game.keyboard.previous);
        return rotation->speed;
    };
    const f32 by_a = speed_after_keys(SDL_SCANCODE_A);
    const f32 by_d = speed_after_keys(SDL_SCANCODE_D);
    ASSERT_GT(by_a, 0.0f);
    ASSERT_LT(by_d, 0.0f);

    for (const Spin &spin : spins) {
        SCOPED_TRACE(spin.name);
        player_rotation()->speed = 0.0f;
        spin.press(&first, true);
        steps(10); // the first step sees the press; held from the next one on, like a key
        EXPECT_FLOAT_EQ(player_rotation()->speed, spin.left ? by_a : by_d);
        spin.press(&first, false);
        step();
        player_rotation()->speed = 0.0f;
        steps(5);
        EXPECT_FLOAT_EQ(player_rotation()->speed, 0.0f) << "released";
    }

    // A light pull on a trigger or a nudge of the right stick spins nothing.
    trigger(&first, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0.3f);
    axis(&first, SDL_CONTROLLER_AXIS_RIGHTX, 0.3f);
    steps(2);
    player_rotation()->speed = 0.0f;
    steps(5);
    EXPECT_FLOAT_EQ(player_rotation()->speed, 0.0f);
}

TEST_F(Gamepads, SouthButtonConfirmsStartPausesBackTogglesTheMusic) {
    scene_start(GAME_STATE_MENU);
    pad_attach(&first);
    step();
    game.menu.logo_done = true;
    step();

    // The face buttons other than the south one do not confirm.
    for (SDL_GameControllerButton other : {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y}) {
        button(&first, other, true);
        step();
        button(&first, other, false);
        step();
        EXPECT_FALSE(game.menu.done);
    }
    button(&first, SDL_CONTROLLER_BUTTON_A, true);
    step();
    EXPECT_TRUE(game.menu.done) << "south confirms on the menu";
    button(&first, SDL_CONTROLLER_BUTTON_A, false);

    scene_start(GAME_STATE_RESULTS);
    step();
    step();
    EXPECT_FALSE(game.results.done);
    button(&first, SDL_CONTROLLER_BUTTON_A, true);
    step();
    EXPECT_TRUE(game.results.done) << "south confirms on the results";
    button(&first, SDL_CONTROLLER_BUTTON_A, false);

    scene_start(GAME_STATE_PLAY);
    step();
    test_stdout_begin();
    button(&first, SDL_CONTROLLER_BUTTON_START, true);
    steps(5); // held: one pause, not one per step
    button(&first, SDL_CONTROLLER_BUTTON_START, false);
    step();
    EXPECT_TRUE(game.paused);
    button(&first, SDL_CONTROLLER_BUTTON_START, true);
    step();
    button(&first, SDL_CONTROLLER_BUTTON_START, false);
    step();
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(test_stdout_end(), "???\n???\n");

    // Back works as M: the main loop's step reads it; the first press leaves the music playing.
    test_stdout_begin();
    game_step();
    const bool toggle = game.music_toggle;
    button(&first, SDL_CONTROLLER_BUTTON_BACK, true);
    game_step();
    game_step();
    EXPECT_NE(game.music_toggle, toggle);
    button(&first, SDL_CONTROLLER_BUTTON_BACK, false);
    game_step();
    game_step();
    EXPECT_NE(game.music_toggle, toggle) << "one press, one toggle";
    test_stdout_end();
}

TEST_F(Gamepads, UnplugPausesOnceAnotherPadPlugsInAndPlaysOn) {
    scene_start(GAME_STATE_PLAY);
    test_stdout_begin();
    pad_attach(&first);
    step();
    axis(&first, SDL_CONTROLLER_AXIS_LEFTX, 1.0f);
    steps(3);
    pad_detach(&first);
    steps(3);
    EXPECT_TRUE(game.paused) << "a pulled cable pauses";
    EXPECT_EQ(game.gamepad.pads[0], nullptr);
    EXPECT_EQ(game.gamepad.playing, nullptr);
    EXPECT_EQ(game.gamepad.stick, (vec2{0.0f, 0.0f})) << "the lost pad's tilt is forgotten";

    pad_attach(&second);
    steps(2);
    button(&second, SDL_CONTROLLER_BUTTON_START, true);
    step();
    button(&second, SDL_CONTROLLER_BUTTON_START, false);
    step();
    EXPECT_FALSE(game.paused) << "the new pad's Start resumes";
    const f32 x = player_physics()->position.x;
    axis(&second, SDL_CONTROLLER_AXIS_LEFTX, -1.0f);
    steps(5);
    EXPECT_LT(player_physics()->position.x, x - 5.0f) << "the new pad steers";

    // Pulled while the game is already paused: it stays paused.
    button(&second, SDL_CONTROLLER_BUTTON_START, true);
    step();
    button(&second, SDL_CONTROLLER_BUTTON_START, false);
    step();
    ASSERT_TRUE(game.paused);
    pad_detach(&second);
    steps(3);
    EXPECT_TRUE(game.paused);
    std::string out = test_stdout_end();
    EXPECT_EQ(out, "GAMEPAD ADDED: Test pad\nGAMEPAD REMOVED: Test pad\n???\nGAMEPAD ADDED: Test pad\n???\n???\n"
                   "GAMEPAD REMOVED: Test pad\n");
}

TEST_F(Gamepads, AHitRumblesThePadThatIsPlayingOnly) {
    scene_start(GAME_STATE_PLAY);
    pad_attach(&first);
    pad_attach(&second);
    step();
    button(&second, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true);
    steps(2);
    button(&second, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, false);
    step();
    ASSERT_EQ(SDL_GameControllerGetJoystick(game.gamepad.playing), second.joystick);

    ecs_get_as<CDamage>(game.play.player, C_DAMAGE)->hit = true;
    step();
    ASSERT_FALSE(second.rumbles.empty());
    EXPECT_GT(second.rumbles.front().first, 0);
    EXPECT_GT(second.rumbles.front().second, 0);
    EXPECT_TRUE(first.rumbles.empty());
    // Brief: SDL stops the motors once the rumble's time is up.
    SDL_Delay(300);
    step();
    EXPECT_EQ(second.rumbles.back(), (std::pair<u16, u16>{0, 0}));
}
