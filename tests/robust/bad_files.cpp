// Every resource file missing, empty, cut short or replaced by noise: the loaders say so on
// the console and a whole menu -> play -> results -> menu cycle still runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/robust/robust_drive.hpp"
#include "tests/support/test_env.hpp"

namespace {

namespace fs = std::filesystem;

// Truncated files end inside the part every decoder needs before anything else (at most
// 256 bytes are kept); half files keep their first half, which Ogg and TrueType decoders may
// legitimately accept as a shorter sound or a font with glyphs missing.
enum Breakage { BROKEN_MISSING, BROKEN_EMPTY, BROKEN_TRUNCATED, BROKEN_HALF, BROKEN_RANDOM };

constexpr const char *BREAKAGE_NAMES[] = {"missing", "empty", "truncated", "half", "random"};
constexpr size_t TRUNCATED_KEEP_MAX = 256;

constexpr const char *RESOURCE_FILES[] = {
    "res/shader/textureQuad.vs", "res/shader/textureQuad.fs", "res/gfx/player.png",  "res/gfx/follower.png",
    "res/gfx/enemy.png",         "res/gfx/particle.png",      "res/gfx/warning.png", "res/gfx/logo.png",
    "res/sfx/collide.ogg",       "res/sfx/hurt.ogg",          "res/sfx/level.ogg",   "res/sfx/warning.ogg",
    "res/sfx/hover.ogg",         "res/sfx/select.ogg",        "res/mus/ethnica.ogg", "res/font/upheaval.ttf",
};

constexpr i32 CYCLE_STEPS_MAX = 2000;

struct Case {
    const char *path;
    Breakage breakage;
};

std::vector<Case> cases_all() {
    std::vector<Case> cases;
    for (const char *path : RESOURCE_FILES) {
        for (Breakage breakage : {BROKEN_MISSING, BROKEN_EMPTY, BROKEN_TRUNCATED, BROKEN_HALF, BROKEN_RANDOM}) {
            cases.push_back({path, breakage});
        }
    }
    return cases;
}

std::string case_name(const ::testing::TestParamInfo<Case> &info) {
    std::string name = fs::path(info.param.path).filename().string() + "_" + BREAKAGE_NAMES[info.param.breakage];
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

std::vector<char> file_bytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void file_bytes_write(const fs::path &path, const std::vector<char> &bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool contains(const std::string &text, const std::string &line) { return text.find(line) != std::string::npos; }

// The shader sources are read once, into a buffer that a shorter file only partly
// overwrites; start from zero as the program does.
void shader_sources_read_quietly() {
    test_stdout_begin();
    std::memset(shaderData, 0, sizeof shaderData);
    game_shader_data_init();
    test_stdout_end();
}

class BadFile : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        std::string dir = test_temp_dir("gyrel-bad-files");
        ASSERT_FALSE(dir.empty());
        copy_root = dir;
        fs::copy(fs::current_path() / "res", copy_root / "res", fs::copy_options::recursive);
        repository_root = fs::current_path();
    }

    static void TearDownTestSuite() {
        fs::current_path(repository_root);
        std::error_code error;
        fs::remove_all(copy_root, error);
        shader_sources_read_quietly();
    }

    void SetUp() override {
        test_game_reset();
        test_resources_free();
    }

    void TearDown() override {
        fs::current_path(repository_root);
        test_resources_free();
        test_game_reset();
    }

    // Breaks the copy of the file, runs the cycle in the copy and puts the file back.
    std::string cycle_run(const Case &broken) {
        const fs::path target = copy_root / broken.path;
        const std::vector<char> original = file_bytes(target);
        std::vector<char> bytes;
        switch (broken.breakage) {
        case BROKEN_MISSING:
            fs::remove(target);
            break;
        case BROKEN_EMPTY:
            file_bytes_write(target, bytes);
            break;
        case BROKEN_TRUNCATED: {
            const size_t keep = std::min(original.size() / 2, TRUNCATED_KEEP_MAX);
            bytes.assign(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(keep));
            file_bytes_write(target, bytes);
            break;
        }
        case BROKEN_HALF:
            bytes.assign(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(original.size() / 2));
            file_bytes_write(target, bytes);
            break;
        case BROKEN_RANDOM: {
            std::mt19937 random(static_cast<u32>(original.size()));
            bytes.resize(original.size());
            for (char &b : bytes) b = static_cast<char>(random() & 0xFF);
            file_bytes_write(target, bytes);
            break;
        }
        }

        fs::current_path(copy_root);
        test_stdout_begin();
        std::memset(shaderData, 0, sizeof shaderData);
        game_shader_data_init();
        robust_game_begin();
        test_frame_draw();
        reached_play = robust_menu_leave(CYCLE_STEPS_MAX);
        robust_idle(30);
        test_frame_draw();
        reached_results = robust_play_lose(CYCLE_STEPS_MAX);
        test_frame_draw();
        reached_menu = robust_results_leave(CYCLE_STEPS_MAX);
        test_frame_draw();
        records_problems = robust_records_check();
        robust_game_end();
        std::string output = test_stdout_end();
        fs::current_path(repository_root);

        file_bytes_write(target, original);
        shader_sources_read_quietly();
        return output;
    }

    static fs::path copy_root;
    static fs::path repository_root;
    bool reached_play = false;
    bool reached_results = false;
    bool reached_menu = false;
    std::string records_problems;
};

fs::path BadFile::copy_root;
fs::path BadFile::repository_root;

TEST_P(BadFile, IsReportedAndAWholeCycleRuns) {
    const Case broken = GetParam();
    const std::string path = broken.path;
    const std::string output = cycle_run(broken);

    EXPECT_TRUE(reached_play) << output;
    EXPECT_TRUE(reached_results) << output;
    EXPECT_TRUE(reached_menu) << output;
    EXPECT_EQ(records_problems, "");

    const bool shader = path.rfind("res/shader/", 0) == 0;
    if (shader) {
        if (broken.breakage == BROKEN_MISSING) {
            EXPECT_TRUE(contains(output, "FAILED: " + path + "\n")) << output;
        } else {
            EXPECT_TRUE(contains(output, "LOADED: " + path + "\n")) << output;
        }
        EXPECT_TRUE(contains(output, "COMPILE ERROR: Shader #")) << output;
        EXPECT_TRUE(contains(output, "FAILED: Shader #0\n")) << output;
        EXPECT_FALSE(contains(output, "LOADED: Shader #0\n")) << output;
        if (path.find(".fs") != std::string::npos) {
            // The vertex stage is sound and says so before the fragment stage fails.
            const size_t success = output.find("COMPILE SUCCESS: Shader #");
            const size_t error = output.find("COMPILE ERROR: Shader #");
            EXPECT_LT(success, error) << output;
        }
        EXPECT_TRUE(contains(output, "FREED: Shader #0\n")) << output;
    } else if (broken.breakage == BROKEN_HALF) {
        // Whether the first half decodes is the decoder's business; every load still says
        // which way it went, and everything loaded is freed.
        const bool failed = contains(output, "FAILED: " + path + "\n");
        const bool loaded = contains(output, "LOADED: " + path + "\n");
        EXPECT_NE(failed, loaded) << output;
        EXPECT_TRUE(contains(output, "FREED: " + path + "\n")) << output;
    } else {
        EXPECT_TRUE(contains(output, "FAILED: " + path + "\n")) << output;
        EXPECT_FALSE(contains(output, "LOADED: " + path + "\n")) << output;
        EXPECT_TRUE(contains(output, "FREED: " + path + "\n")) << output;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryResource, BadFile, ::testing::ValuesIn(cases_all()), case_name);

} // namespace
