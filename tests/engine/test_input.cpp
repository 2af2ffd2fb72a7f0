// Input edge detection across steps, fed by real X input (XTEST through xdotool) into the
// test window, and by real SDL quit events.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/event.hpp"
#include "engine/keyboard.hpp"
#include "engine/mouse.hpp"
#include "game/game.hpp"
#include "tests/support/test_env.hpp"

namespace {

bool xdotool(const std::string &arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// Moves the pointer and keeps it there until pointer_release: the X server puts a pointer
// moved through XTEST back where it was when the moving client disconnects, so the client
// that moved it stays connected (sleeping) while the test runs.
std::string pointer_hold(int x, int y) {
    std::string command = "xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                          " sleep 60 >/dev/null 2>&1 & echo $!";
    std::string pid;
    if (FILE *shell = popen(command.c_str(), "r")) {
        char line[32] = {};
        if (std::fgets(line, sizeof line, shell)) pid = std::to_string(std::atoi(line));
        pclose(shell);
    }
    return pid;
}

void pointer_release(const std::string &pid) {
    if (!pid.empty() && pid != "0") std::system(("kill " + pid + " 2>/dev/null").c_str());
}

// Shows and raises the test window and holds the pointer at (300, 200) in it: X sends key and
// button events only to a mapped window under the pointer. Returns the holder for
// window_leave (empty if it could not start).
std::string window_enter() {
    SDL_Window *window = game.window.handle;
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    for (int i = 0; i < 20; i++) {
        SDL_PumpEvents();
        SDL_Delay(5);
    }
    int x = 0, y = 0;
    SDL_GetWindowPosition(window, &x, &y);
    return pointer_hold(x + 300, y + 200);
}

void window_leave(const std::string &holder) {
    pointer_release(holder);
    SDL_HideWindow(game.window.handle);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// Runs input steps (events first, as the main loop does) until the condition holds.
template <typename Condition>
bool steps_until(Event *event, Keyboard *keyboard, Mouse *mouse, Condition condition) {
    for (int i = 0; i < 200; i++) {
        SDL_Delay(5);
        event_update(event);
        mouse_update(mouse, &game.window);
        keyboard_update(keyboard);
        if (condition()) return true;
    }
    return false;
}

} // namespace

TEST(Input, QuitRequestEdges) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    Event event = {};
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    event_update(&event);
    EXPECT_FALSE(event_press(&event, EVENT_QUIT));

    SDL_PushEvent(&quit);
    event_update(&event);
    EXPECT_TRUE(event_press(&event, EVENT_QUIT));
    EXPECT_FALSE(event_held(&event, EVENT_QUIT));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT), 0) << "queue drained";

    event_update(&event);
    EXPECT_FALSE(event_press(&event, EVENT_QUIT));
    EXPECT_TRUE(event_release(&event, EVENT_QUIT));

    SDL_PushEvent(&quit);
    event_update(&event);
    SDL_PushEvent(&quit);
    SDL_PushEvent(&quit);
    event_update(&event);
    EXPECT_TRUE(event_held(&event, EVENT_QUIT)) << "requests in two consecutive polls";
    EXPECT_FALSE(event_press(&event, EVENT_QUIT));
    event_update(&event);
}

TEST(Input, KeysAndButtonsFromRealXInput) {
    if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
    std::string holder = window_enter();
    ASSERT_FALSE(holder.empty());

    Event event = {};
    Keyboard keyboard = {};
    Mouse mouse = {};
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return mouse.position == vec2(300.0f, 200.0f); }))
        << mouse.position.x << "," << mouse.position.y;
    EXPECT_FALSE(keyboard_press(&keyboard, SDL_SCANCODE_M));

    ASSERT_TRUE(xdotool("keydown m"));
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return keyboard.current[SDL_SCANCODE_M] != 0; }));
    EXPECT_TRUE(keyboard_press(&keyboard, SDL_SCANCODE_M));
    EXPECT_FALSE(keyboard_held(&keyboard, SDL_SCANCODE_M));
    EXPECT_FALSE(keyboard_press(&keyboard, SDL_SCANCODE_P));
    event_update(&event);
    mouse_update(&mouse, &game.window);
    keyboard_update(&keyboard);
    EXPECT_FALSE(keyboard_press(&keyboard, SDL_SCANCODE_M));
    EXPECT_TRUE(keyboard_held(&keyboard, SDL_SCANCODE_M));
    EXPECT_FALSE(keyboard_release(&keyboard, SDL_SCANCODE_M));
    ASSERT_TRUE(xdotool("keyup m"));
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return keyboard.current[SDL_SCANCODE_M] == 0; }));
    EXPECT_TRUE(keyboard_release(&keyboard, SDL_SCANCODE_M));
    EXPECT_FALSE(keyboard_held(&keyboard, SDL_SCANCODE_M));

    ASSERT_TRUE(xdotool("mousedown 1"));
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return mouse.current[MOUSE_BUTTON_LEFT]; }));
    EXPECT_TRUE(mouse_press(&mouse, MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(mouse_held(&mouse, MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(mouse.current[0]);
    EXPECT_FALSE(mouse.current[MOUSE_BUTTON_RIGHT]);
    event_update(&event);
    mouse_update(&mouse, &game.window);
    keyboard_update(&keyboard);
    EXPECT_TRUE(mouse_held(&mouse, MOUSE_BUTTON_LEFT));
    EXPECT_FALSE(mouse.current[0]);
    ASSERT_TRUE(xdotool("mouseup 1"));
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return !mouse.current[MOUSE_BUTTON_LEFT]; }));
    EXPECT_TRUE(mouse_release(&mouse, MOUSE_BUTTON_LEFT));
    EXPECT_EQ(mouse.position, vec2(300.0f, 200.0f));

    ASSERT_TRUE(xdotool("mousedown 3"));
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return mouse.current[MOUSE_BUTTON_RIGHT]; }));
    EXPECT_FALSE(mouse.current[MOUSE_BUTTON_LEFT]);
    EXPECT_FALSE(mouse.current[0]);
    xdotool("mouseup 3");
    steps_until(&event, &keyboard, &mouse, [&] { return !mouse.current[MOUSE_BUTTON_RIGHT]; });

    // A key pressed and released between two updates is never seen.
    ASSERT_TRUE(xdotool("keydown p keyup p"));
    SDL_Delay(50);
    event_update(&event);
    mouse_update(&mouse, &game.window);
    keyboard_update(&keyboard);
    EXPECT_FALSE(keyboard_press(&keyboard, SDL_SCANCODE_P));
    EXPECT_FALSE(keyboard_release(&keyboard, SDL_SCANCODE_P));

    window_leave(holder);
}

TEST(Input, FullscreenKeysAreRequestsOncePerPress) {
    if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
    std::string holder = window_enter();
    ASSERT_FALSE(holder.empty());
    Event event = {};
    Keyboard keyboard = {};
    Mouse mouse = {};
    ASSERT_TRUE(steps_until(&event, &keyboard, &mouse, [&] { return mouse.position == vec2(300.0f, 200.0f); }));

    struct Case {
        const char *keys;
        bool request;
    };
    const Case cases[] = {{"F11", true}, {"alt+Return", true}, {"Return", false}, {"alt", false}, {"F10", false}};
    for (const Case &c : cases) {
        int requests = 0;
        ASSERT_TRUE(xdotool(std::string("keydown ") + c.keys));
        // Held long enough for the key to repeat: a held key is still one request.
        for (int i = 0; i < 120; i++) {
            SDL_Delay(5);
            event_update(&event);
            keyboard_update(&keyboard);
            if (event.current[EVENT_FULLSCREEN]) requests++;
        }
        ASSERT_TRUE(xdotool(std::string("keyup ") + c.keys));
        steps_until(&event, &keyboard, &mouse, [&] { return !keyboard.current[SDL_SCANCODE_RETURN] && !keyboard.current[SDL_SCANCODE_F11]; });
        EXPECT_EQ(requests, c.request ? 1 : 0) << c.keys;
        EXPECT_FALSE(event.current[EVENT_QUIT]) << c.keys;
    }
    // Two presses are two requests, even when the second comes at the very next poll (a
    // request is not an edge of a held state).
    int requests = 0;
    for (int press = 0; press < 2; press++) {
        ASSERT_TRUE(xdotool("key F11"));
        for (int i = 0; i < 200 && requests == press; i++) {
            event_update(&event);
            if (event.current[EVENT_FULLSCREEN]) requests++;
            if (requests == press) SDL_Delay(5);
        }
    }
    EXPECT_EQ(requests, 2);
    EXPECT_FALSE(game.window.fullscreen) << "the input path only reports the request";

    window_leave(holder);
}
