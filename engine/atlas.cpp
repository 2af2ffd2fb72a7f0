#include "engine/atlas.hpp"

void atlas_init(Atlas *atlas, Texture texture, i32 cell_width, i32 cell_height, i32 rows, i32 columns) {
    atlas->texture = texture;
    atlas->cell_width = cell_width;
    atlas->cell_height = cell_height;
    atlas->rows = rows;
    atlas->columns = columns;
    atlas->frame = 0;
}

void atlas_uv_get(const Atlas *atlas, vec2 *uv_min, vec2 *uv_max) {
    // An atlas with no cells (a sprite before any set call) or over an empty texture shows
    // nothing: an empty range, never a division by a zero count or size.
    if (atlas->rows < 1 || atlas->texture.width < 1 || atlas->texture.height < 1) {
        *uv_min = {0.0f, 0.0f};
        *uv_max = {0.0f, 0.0f};
        return;
    }
    i32 column = atlas->frame / atlas->rows;
    i32 row = atlas->frame % atlas->rows;
    f32 width = static_cast<f32>(atlas->texture.width);
    f32 height = static_cast<f32>(atlas->texture.height);
    f32 cell_width = static_cast<f32>(atlas->cell_width);
    f32 cell_height = static_cast<f32>(atlas->cell_height);
    *uv_min = {static_cast<f32>(column) * cell_width / width, static_cast<f32>(row) * cell_height / height};
    *uv_max = {(cell_width + static_cast<f32>(column) * cell_width) / width,
               (cell_height + static_cast<f32>(row) * cell_height) / height};
}
