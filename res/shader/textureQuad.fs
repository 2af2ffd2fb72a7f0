#version 330 core
in vec2 vTexCoord;

uniform vec4 uColor;
uniform sampler2D uTexture;

out vec4 fragColor;

void main()
{
    fragColor = texture(uTexture, vTexCoord) * uColor;
}
