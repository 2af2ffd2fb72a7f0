// Buffers, vertex attributes, shader programs and their uniforms on the real context.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/io.hpp"
#include "engine/shader.hpp"
#include "engine/vao.hpp"
#include "engine/vbo.hpp"
#include "engine/vertex_attribute.hpp"
#include "tests/support/test_env.hpp"

namespace {

constexpr const char *VERTEX_OK = "#version 330 core\n"
                                  "layout (location = 0) in vec3 aPosition;\n"
                                  "uniform mat4 uModel;\n"
                                  "uniform vec3 uOffset;\n"
                                  "void main() { gl_Position = uModel * vec4(aPosition + uOffset, 1.0); }\n";
constexpr const char *FRAGMENT_OK = "#version 330 core\n"
                                    "uniform vec4 uColor;\n"
                                    "uniform float uScale;\n"
                                    "uniform int uMode;\n"
                                    "uniform sampler2D uTexture;\n"
                                    "out vec4 fragColor;\n"
                                    "void main() { fragColor = texture(uTexture, vec2(0.5)) * uColor * uScale"
                                    " + vec4(float(uMode)); }\n";
constexpr const char *BROKEN = "#version 330 core\nvoid main() { this is not glsl }\n";

// "COMPILE SUCCESS: Shader #<n>" or "COMPILE ERROR: Shader #<n> | ..." -> n.
GLuint stage_name(const std::string &line) {
    size_t hash = line.find('#');
    return static_cast<GLuint>(std::strtoul(line.c_str() + hash + 1, nullptr, 10));
}

std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

TEST(GlObjects, BufferUsageFollowsDynamicAndRecordsClear) {
    Vao vao;
    vao_init(&vao);
    vao_bind(&vao);
    const u8 bytes[16] = {};
    for (bool dynamic : {false, true}) {
        Vbo vbo;
        vbo_init(&vbo, GL_ARRAY_BUFFER, dynamic);
        EXPECT_NE(vbo.id, 0u);
        vbo_bind(&vbo);
        vbo_buffer(&vbo, sizeof bytes, bytes);
        GLint usage = 0;
        GLint size = 0;
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(usage, dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
        EXPECT_EQ(size, 16);
        u32 id = vbo.id;
        vbo_free(&vbo);
        EXPECT_FALSE(glIsBuffer(id));
        EXPECT_EQ(vbo.id, 0u);
        EXPECT_EQ(vbo.type, 0u);
        EXPECT_FALSE(vbo.dynamic);
    }
    Vbo ebo;
    vbo_init(&ebo, GL_ELEMENT_ARRAY_BUFFER, true);
    vbo_bind(&ebo);
    vbo_buffer(&ebo, 8, bytes);
    GLint bound = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &bound);
    EXPECT_EQ(static_cast<u32>(bound), ebo.id);
    vbo_free(&ebo);

    vao_unbind();
    GLint current = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &current);
    EXPECT_EQ(current, 0);
    u32 id = vao.id;
    vao_free(&vao);
    EXPECT_EQ(vao.id, 0u);
    EXPECT_FALSE(glIsVertexArray(id));
}

TEST(GlObjects, VertexAttributeIntegerAndFloatPaths) {
    Vao vao;
    vao_init(&vao);
    vao_bind(&vao);
    Vbo vbo;
    vbo_init(&vbo, GL_ARRAY_BUFFER, true);
    vbo_bind(&vbo);
    const u8 bytes[64] = {};
    vbo_buffer(&vbo, sizeof bytes, bytes);
    struct Case {
        u32 type;
        bool integer;
    };
    const Case cases[] = {{GL_BYTE, true},  {GL_UNSIGNED_BYTE, true}, {GL_SHORT, true}, {GL_UNSIGNED_SHORT, true},
                          {GL_INT, true},   {GL_UNSIGNED_INT, true},  {GL_FLOAT, false}, {GL_HALF_FLOAT, false}};
    u32 index = 0;
    for (const Case &c : cases) {
        vertex_attribute_set(index, 2, c.type, 16, 4);
        GLint value = -1;
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_INTEGER, &value);
        EXPECT_EQ(value != 0, c.integer) << std::hex << c.type;
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
        EXPECT_EQ(value, 1);
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &value);
        EXPECT_EQ(value, 0);
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_TYPE, &value);
        EXPECT_EQ(static_cast<u32>(value), c.type);
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &value);
        EXPECT_EQ(value, 16);
        glGetVertexAttribiv(index, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &value);
        EXPECT_EQ(static_cast<u32>(value), vbo.id);
        void *offset = nullptr;
        glGetVertexAttribPointerv(index, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(offset), 4u);
        index++;
    }
    vao_unbind();
    vbo_free(&vbo);
    vao_free(&vao);
}

TEST(Shader, CompileLinesAndFailureCleanUp) {
    Shader shader = {};

    test_stdout_begin();
    EXPECT_FALSE(shader_init(&shader, BROKEN, FRAGMENT_OK));
    std::vector<std::string> lines = lines_of(test_stdout_end());
    ASSERT_GE(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("COMPILE ERROR: Shader #", 0), 0u) << lines[0];
    GLuint vertex = stage_name(lines[0]);
    EXPECT_NE(lines[0].find(" | "), std::string::npos);
    EXPECT_GT(lines[0].size(), lines[0].find(" | ") + 3) << "the driver's log follows the bar";
    for (const std::string &line : lines) EXPECT_EQ(line.find("COMPILE SUCCESS"), std::string::npos) << line;
    EXPECT_FALSE(shader.loaded);
    EXPECT_EQ(shader.id, 0u);
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(vertex + 1));

    test_stdout_begin();
    EXPECT_FALSE(shader_init(&shader, VERTEX_OK, BROKEN));
    lines = lines_of(test_stdout_end());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "COMPILE SUCCESS: Shader #" + std::to_string(stage_name(lines[0])));
    EXPECT_EQ(lines[1].rfind("COMPILE ERROR: Shader #", 0), 0u) << lines[1];
    GLuint vertex_ok = stage_name(lines[0]);
    GLuint fragment_bad = stage_name(lines[1]);
    EXPECT_NE(vertex_ok, fragment_bad);
    EXPECT_FALSE(glIsShader(vertex_ok));
    EXPECT_FALSE(glIsShader(fragment_bad));
    EXPECT_FALSE(shader.loaded);

    test_stdout_begin();
    EXPECT_TRUE(shader_init(&shader, VERTEX_OK, FRAGMENT_OK));
    std::string text = test_stdout_end();
    lines = lines_of(text);
    ASSERT_EQ(lines.size(), 2u) << text;
    GLuint v = stage_name(lines[0]);
    GLuint f = stage_name(lines[1]);
    EXPECT_EQ(text, "COMPILE SUCCESS: Shader #" + std::to_string(v) + "\nCOMPILE SUCCESS: Shader #" +
                        std::to_string(f) + "\n");
    EXPECT_LT(v, f) << "vertex stage first";
    EXPECT_TRUE(shader.loaded);
    EXPECT_TRUE(glIsProgram(shader.id));
    GLint link = 0;
    glGetProgramiv(shader.id, GL_LINK_STATUS, &link);
    EXPECT_EQ(link, GL_TRUE);
    GLint attached = 0;
    glGetProgramiv(shader.id, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 2);

    u32 id = shader.id;
    shader_free(&shader);
    EXPECT_FALSE(shader.loaded);
    EXPECT_EQ(shader.id, id);
    EXPECT_FALSE(glIsProgram(id));
    // A second program may now take the old name: freeing twice must not delete it.
    Shader other = {};
    test_stdout_begin();
    ASSERT_TRUE(shader_init(&other, VERTEX_OK, FRAGMENT_OK));
    test_stdout_end();
    shader.id = other.id;
    shader_free(&shader);
    EXPECT_TRUE(glIsProgram(other.id));
    Shader never = {};
    shader_free(&never);
    EXPECT_FALSE(never.loaded);
    shader_free(&other);
}

TEST(Shader, UniformsReadBack) {
    Shader shader = {};
    test_stdout_begin();
    ASSERT_TRUE(shader_init(&shader, VERTEX_OK, FRAGMENT_OK));
    test_stdout_end();
    shader_use(&shader);
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(static_cast<u32>(program), shader.id);

    mat4 model(0.0f);
    for (int i = 0; i < 16; i++) model[i / 4][i % 4] = static_cast<f32>(i + 1);
    shader_uniform_mat4_set(&shader, "uModel", model);
    shader_uniform_vec3_set(&shader, "uOffset", {1.5f, -2.5f, 3.25f});
    shader_uniform_vec4_set(&shader, "uColor", {0.1f, 0.2f, 0.3f, 0.4f});
    shader_uniform_f32_set(&shader, "uScale", 0.75f);
    shader_uniform_s32_set(&shader, "uMode", -3);
    shader_uniform_vec4_set(&shader, "uMissing", {1, 1, 1, 1});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    f32 values[16] = {};
    glGetUniformfv(shader.id, glGetUniformLocation(shader.id, "uModel"), values);
    for (int i = 0; i < 16; i++) EXPECT_EQ(values[i], static_cast<f32>(i + 1)) << "column-major entry " << i;
    glGetUniformfv(shader.id, glGetUniformLocation(shader.id, "uOffset"), values);
    EXPECT_EQ(vec3(values[0], values[1], values[2]), vec3(1.5f, -2.5f, 3.25f));
    glGetUniformfv(shader.id, glGetUniformLocation(shader.id, "uColor"), values);
    EXPECT_EQ(vec4(values[0], values[1], values[2], values[3]), vec4(0.1f, 0.2f, 0.3f, 0.4f));
    glGetUniformfv(shader.id, glGetUniformLocation(shader.id, "uScale"), values);
    EXPECT_EQ(values[0], 0.75f);
    GLint integer = 0;
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, "uMode"), &integer);
    EXPECT_EQ(integer, -3);

    Texture texture = {};
    glGenTextures(1, &texture.id);
    glActiveTexture(GL_TEXTURE3);
    shader_uniform_texture_set(&shader, "uTexture", &texture, 2);
    GLint active = 0;
    GLint bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, "uTexture"), &integer);
    EXPECT_EQ(active, GL_TEXTURE2);
    EXPECT_EQ(static_cast<u32>(bound), texture.id);
    EXPECT_EQ(integer, 2);
    shader_uniform_texture_set(&shader, "uTexture", &texture, 0);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetUniformiv(shader.id, glGetUniformLocation(shader.id, "uTexture"), &integer);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(integer, 0);
    glDeleteTextures(1, &texture.id);
    glUseProgram(0);
    shader_free(&shader);
}

TEST(FileIo, ReadMissingShortAndLong) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_FALSE(file_read("/nonexistent/dir/file.txt", buffer, sizeof buffer));
    EXPECT_FALSE(file_read(nullptr, buffer, sizeof buffer));
    EXPECT_FALSE(file_read("res/shader/textureQuad.vs", nullptr, 4));
    for (char c : buffer) EXPECT_EQ(c, '#');

    std::string dir = test_temp_dir("gyrel_io");
    ASSERT_FALSE(dir.empty());
    std::string file = dir + "/file";
    const char *path = file.c_str();
    ASSERT_TRUE(std::ofstream(file).good());
    EXPECT_FALSE(file_write(path, nullptr, 3));
    ASSERT_TRUE(file_write(path, "abc", 3));
    EXPECT_TRUE(file_read(path, buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer, sizeof buffer), "abc#####");

    ASSERT_TRUE(file_write(path, "0123456789ABCDEF", 16));
    std::memset(buffer, '#', sizeof buffer);
    char guard[4] = {'g', 'g', 'g', 'g'};
    EXPECT_TRUE(file_read(path, buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer, sizeof buffer), "01234567");
    EXPECT_EQ(std::string(guard, 4), "gggg");
    // Writing truncates: a shorter second write leaves no tail of the first.
    ASSERT_TRUE(file_write(path, "xy", 2));
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_TRUE(file_read(path, buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer, sizeof buffer), "xy######");
    std::filesystem::remove_all(dir);
}
