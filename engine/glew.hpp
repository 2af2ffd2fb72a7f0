// Loads the OpenGL entry points once a context is current.
#pragma once

// Returns false when the GL 3.3 entry points the game needs are still missing;
// error receives GLEW's result code.
bool glew_init(unsigned *error);
