// Whole-file reads and writes into caller-owned buffers (no terminator is added).
#pragma once

#include <cstddef>

bool file_read(const char *path, void *buffer, size_t size);
bool file_write(const char *path, const void *data, size_t size);
