#include "game/game.hpp"

int main(int, char **) {
    game_init();
    do {
        game_loop();
    } while (!game.quit);
    game_free();
    return 0;
}
