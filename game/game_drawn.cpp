#include "game/game_drawn.hpp"

#include <SDL2/SDL.h>
#include <algorithm>
#include <cstring>

#include "components/c_color_change.hpp"
#include "components/c_gyrel.hpp"
#include "components/c_move.hpp"
#include "components/c_pulsate.hpp"
#include "components/c_scale.hpp"
#include "components/c_sprite.hpp"
#include "components/c_text.hpp"
#include "components/c_ui_button.hpp"
#include "game/game.hpp"

namespace {

// A still picture on screen is drawn again this often, in case a window system lost it unsaid.
constexpr u64 STILL_REDRAW_MICROS = 500000;

u32 mark_mix(u32 mark, u32 value) { return (mark ^ value) * 16777619u; }

u32 mark_mix_bytes(u32 mark, const void *bytes, u64 size) {
    const unsigned char *b = static_cast<const unsigned char *>(bytes);
    for (u64 i = 0; i < size; i++) mark = mark_mix(mark, b[i]);
    return mark;
}

template <typename T>
T *record_at(u32 kind, i32 i) {
    return static_cast<T *>(ecs_from_index_get(i, kind));
}

i32 record_count(u32 kind) { return game.ecs.registers[kind].records.count; }

u32 drawn_slot_first(EntityId entity) { return (entity * 2654435761u) & (DRAWN_SLOTS - 1); }

DrawnEntry *drawn_find(DrawnTable *table, EntityId entity) {
    for (u32 slot = drawn_slot_first(entity), n = 0; n < DRAWN_SLOTS; slot = (slot + 1) & (DRAWN_SLOTS - 1), n++) {
        u16 position = table->slots[slot];
        if (!position) return nullptr;
        if (table->entries[position - 1].entity == entity) return &table->entries[position - 1];
    }
    return nullptr;
}

DrawnEntry *drawn_get(DrawnTable *table, EntityId entity) {
    if (DrawnEntry *entry = drawn_find(table, entity)) return entry;
    if (table->count == DRAWN_ENTRY_MAX) return nullptr;
    u32 slot = drawn_slot_first(entity);
    while (table->slots[slot]) slot = (slot + 1) & (DRAWN_SLOTS - 1);
    DrawnEntry *entry = &table->entries[table->count];
    std::memset(entry, 0, sizeof *entry);
    entry->entity = entity;
    entry->mark = 2166136261u;
    table->slots[slot] = static_cast<u16>(++table->count);
    return entry;
}

void drawn_mark(DrawnTable *table, EntityId entity, u32 value) {
    if (DrawnEntry *entry = drawn_get(table, entity)) entry->mark = mark_mix(entry->mark, value);
}

// Four bytes at a time: every drawn field is made of 4- and 8-byte values.
template <typename T>
u32 mark_mix_value(u32 mark, const T &value) {
    static_assert(sizeof value % 4 == 0);
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&value);
    for (u64 i = 0; i < sizeof value; i += 4) {
        u32 word = 0;
        std::memcpy(&word, bytes + i, 4);
        mark = mark_mix(mark, word);
    }
    return mark;
}

// Every field a sprite's or a text's draw reads, in the order they are drawn (a glyph texture
// follows from the font, the string and the raster scale).
u32 records_mark() {
    u32 mark = 2166136261u;
    for (i32 i = 0; i < record_count(C_SPRITE); i++) {
        const CSprite *s = record_at<CSprite>(C_SPRITE, i);
        mark = mark_mix_value(mark, s->entity);
        mark = mark_mix_value(mark, s->atlas);
        mark = mark_mix_value(mark, s->shader);
        mark = mark_mix_value(mark, s->origin);
        mark = mark_mix_value(mark, s->size);
        mark = mark_mix_value(mark, s->position);
        mark = mark_mix_value(mark, s->color);
        mark = mark_mix_value(mark, s->scale);
        mark = mark_mix_value(mark, s->rotation);
    }
    mark = mark_mix(mark, static_cast<u32>(record_count(C_SPRITE)));
    for (i32 i = 0; i < record_count(C_TEXT); i++) {
        const CText *t = record_at<CText>(C_TEXT, i);
        mark = mark_mix_value(mark, t->entity);
        mark = mark_mix_value(mark, t->font.font);
        mark = mark_mix_value(mark, t->font.size);
        mark = mark_mix_bytes(mark, t->string, static_cast<u64>(std::max(t->length, 0)));
        mark = mark_mix_value(mark, t->shader);
        mark = mark_mix_value(mark, t->origin);
        mark = mark_mix_value(mark, t->length);
        mark = mark_mix_value(mark, t->wrap_width);
        mark = mark_mix_value(mark, t->position);
        mark = mark_mix_value(mark, t->color);
        mark = mark_mix_value(mark, t->scale);
        mark = mark_mix_value(mark, t->raster_scale);
    }
    return mark_mix(mark, static_cast<u32>(record_count(C_TEXT)));
}

void drawn_table_clear(DrawnTable *table) {
    std::memset(table->slots, 0, sizeof table->slots);
    table->count = 0;
}

} // namespace

// Drawn as the step left it, never blended (each changes the mark, or has no entry before):
// - a new entity, and every entity after a reset or a change of scene (the copy is cut);
// - an atlas frame and a text's content (they are never blended at all, and their change
//   holds the rest of that entity's picture to the step too);
// - a pulse restarting; a colour, scale or move change that is set, restarts or ends (a
//   reset type puts its value back on its base at once);
// - a button's state (its hover colour is a colour change set on it);
// - the members of a ring when one joins or leaves (they re-space);
// - the damage flash's clear colour, which is never blended.
// A colour or scale change set in one step moves its value in the next, so a mark that changed
// in the step before holds the picture to the step too.
void game_drawn_refresh() {
    GameDrawn *drawn = &game.drawn;
    if (drawn->state != static_cast<i32>(game.state)) {
        game_drawn_cut();
        drawn->state = static_cast<i32>(game.state);
    }
    DrawnTable *before = &drawn->tables[drawn->last];
    DrawnTable *table = &drawn->tables[1 - drawn->last];
    drawn_table_clear(table);
    for (i32 i = 0; i < record_count(C_SPRITE); i++) {
        const CSprite *sprite = record_at<CSprite>(C_SPRITE, i);
        DrawnEntry *entry = drawn_get(table, sprite->entity);
        if (!entry || entry->sprite) continue;
        entry->sprite = true;
        entry->position = sprite->position;
        entry->size = sprite->size;
        entry->color = sprite->color;
        entry->scale = sprite->scale;
        entry->rotation = sprite->rotation;
        entry->mark = mark_mix(entry->mark, sprite->atlas.frame);
    }
    for (i32 i = 0; i < record_count(C_TEXT); i++) {
        const CText *text = record_at<CText>(C_TEXT, i);
        DrawnEntry *entry = drawn_get(table, text->entity);
        if (!entry || entry->text) continue;
        entry->text = true;
        entry->text_position = text->position;
        entry->text_color = text->color;
        entry->mark = mark_mix_bytes(entry->mark, text->string, static_cast<u64>(std::max(text->length, 0)));
    }
    for (i32 i = 0; i < record_count(C_PULSATE); i++) {
        const CPulsate *pulsate = record_at<CPulsate>(C_PULSATE, i);
        if (pulsate->timer == pulsate->period) drawn_mark(table, pulsate->entity, 1);
    }
    for (i32 i = 0; i < record_count(C_COLOR_CHANGE); i++) {
        const CColorChange *change = record_at<CColorChange>(C_COLOR_CHANGE, i);
        u32 mark = mark_mix_bytes(change->done, &change->color, sizeof change->color);
        drawn_mark(table, change->entity, mark_mix(mark, change->timer == change->duration));
    }
    for (i32 i = 0; i < record_count(C_SCALE); i++) {
        const CScale *scale = record_at<CScale>(C_SCALE, i);
        drawn_mark(table, scale->entity, mark_mix(scale->done, scale->timer == scale->duration));
    }
    for (i32 i = 0; i < record_count(C_MOVE); i++) {
        const CMove *move = record_at<CMove>(C_MOVE, i);
        drawn_mark(table, move->entity, mark_mix(move->done, move->timer == move->duration));
    }
    for (i32 i = 0; i < record_count(C_UI_BUTTON); i++) {
        const CUiButton *button = record_at<CUiButton>(C_UI_BUTTON, i);
        drawn_mark(table, button->entity, static_cast<u32>(button->state));
    }
    for (i32 i = 0; i < record_count(C_GYREL); i++) {
        const CGyrel *gyrel = record_at<CGyrel>(C_GYREL, i);
        for (i32 m = 0; m < gyrel->objects.count; m++) {
            EntityId member = *static_cast<const EntityId *>(vector_get(&gyrel->objects, m));
            if (DrawnEntry *entry = drawn_find(table, member)) entry->mark = mark_mix(entry->mark, static_cast<u32>(gyrel->objects.count));
        }
    }
    for (u32 i = 0; i < table->count; i++) {
        DrawnEntry *entry = &table->entries[i];
        const DrawnEntry *previous = drawn_find(before, entry->entity);
        entry->mark_changed = previous && previous->mark != entry->mark;
        entry->stepped = !previous || entry->mark_changed || previous->mark_changed ||
                         previous->sprite != entry->sprite || previous->text != entry->text;
    }
    drawn->last = 1 - drawn->last;
    u32 records = records_mark();
    drawn->still = records == drawn->records;
    drawn->records = records;
}

void game_drawn_cut() {
    drawn_table_clear(&game.drawn.tables[0]);
    drawn_table_clear(&game.drawn.tables[1]);
    game.drawn.still = false;
    game.drawn.shown_valid = false;
}

const DrawnEntry *game_drawn_previous(EntityId entity) {
    GameDrawn *drawn = &game.drawn;
    if (drawn->behind <= 0.0f) return nullptr;
    const DrawnEntry *last = drawn_find(&drawn->tables[drawn->last], entity);
    if (!last || last->stepped) return nullptr;
    return drawn_find(&drawn->tables[1 - drawn->last], entity);
}

f32 game_drawn_blend(f32 previous, f32 last) { return last - (last - previous) * game.drawn.behind; }

f32 game_drawn_blend_angle(f32 previous, f32 last) {
    f32 turn = last - previous;
    if (turn > PI2_F32 / 2.0f) turn -= PI2_F32;
    if (turn < -PI2_F32 / 2.0f) turn += PI2_F32;
    return last - turn * game.drawn.behind;
}

vec3 game_drawn_blend(vec3 previous, vec3 last) { return last - (last - previous) * game.drawn.behind; }

vec4 game_drawn_blend(vec4 previous, vec4 last) { return last - (last - previous) * game.drawn.behind; }

// Whether the picture on screen is the one this frame would draw, pixel for pixel: the last
// two steps left every sprite and text as they were (so no blend moves anything), and nothing
// else that goes into the pixels changed since it was drawn (the clear colour, the drawable's
// size, an event of the window's own). An idle menu then costs no drawing where the swap does
// not wait for the display; the pacing still spaces the frames.
bool game_drawn_on_screen(u64 now) {
    GameDrawn *drawn = &game.drawn;
    if (!drawn->still) {
        drawn->shown_valid = false;
        return false;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(game.window.handle, &width, &height);
    u32 mark = mark_mix_value(drawn->records, game.renderer.clear_color);
    mark = mark_mix(mark_mix(mark, static_cast<u32>(width)), static_cast<u32>(height));
    if (drawn->shown_valid && drawn->shown == mark && now - drawn->shown_micros < STILL_REDRAW_MICROS) return true;
    drawn->shown = mark;
    drawn->shown_valid = true;
    drawn->shown_micros = now;
    return false;
}
