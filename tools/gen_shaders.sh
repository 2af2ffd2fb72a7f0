#!/bin/sh
# Write the sprite shaders used for every textured quad.
#   vertex:   position (location 0) and texture coordinates (location 1),
#             transformed by uProjection * uView * uModel
#   fragment: texture colour times uColor, alpha included
# Usage: gen_shaders.sh OUTDIR
set -eu
out=${1:?usage: gen_shaders.sh OUTDIR}
mkdir -p "$out"

cat > "$out/textureQuad.vs" <<'GLSL'
#version 330 core
layout (location = 0) in vec3 aPosition;
layout (location = 1) in vec2 aTexCoord;

uniform mat4 uView;
uniform mat4 uProjection;
uniform mat4 uModel;

out vec2 vTexCoord;

void main()
{
    vTexCoord = aTexCoord;
    gl_Position = uProjection * uView * uModel * vec4(aPosition, 1.0);
}
GLSL

cat > "$out/textureQuad.fs" <<'GLSL'
#version 330 core
in vec2 vTexCoord;

uniform vec4 uColor;
uniform sampler2D uTexture;

out vec4 fragColor;

void main()
{
    fragColor = texture(uTexture, vTexCoord) * uColor;
}
GLSL
