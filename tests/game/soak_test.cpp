// A key soak on the virtual clock: 100,000 random keys (every key the game
// knows, modifiers, keys it ignores) with random stretches of time between
// them, across the menu and all four shipped puzzles. After every key the
// game's state must be in range, its queues bounded, no pause left waiting,
// and the scratch file on disk must read back as the pad in memory. The
// run is seeded; set CORVALE_SOAK_SEED to repeat one, CORVALE_SOAK_KEYS to
// change its length.
#include <cstdlib>
#include <random>

#include "puzzle/reader.h"
#include "rig.h"

namespace corvale::testing {
namespace {

class Soak : public Rig {
  protected:
    void SetUp() override {
        for (int level = 1; level <= 4; ++level) {
            std::string name = "puzz" + std::to_string(level) + ".txt";
            writefile(workdir / name, readfile(fs::path(CORVALE_SOURCE_DIR) / "puzzles" / name));
        }
        start();
    }

    // "" when every invariant holds, else the first one broken.
    std::string broken() {
        if (Form1.pausedepth != 0) return "a pause is still waiting between keys";
        if (Module1.menulevel != 0 && Module1.menulevel != 1) return "menulevel out of range";
        if (Module1.menuitem < 0 || Module1.menuitem > 9) return "menuitem out of range";
        if (Form1.level < 0 || Form1.level > 7) return "level out of range";
        if (Form1.schedcount < 0 || Form1.schedcount > 50) return "schedcount out of range";
        if (Form1.nextslot < 0 || Form1.nextslot > 16) return "nextslot out of range";
        if (Form1.List1.size() > 3) return "the voice queue grows";
        if (Module1.voicewait < 0) return "voicewait below 0";
        if (Form1.level > 0) {
            if (Form1.cluecount < 1 || Form1.cluecount > 16) return "cluecount out of range";
            if (Form1.clueindex < 0 || Form1.clueindex > Form1.cluecount)
                return "clueindex out of range";
            if (Form1.selectedletter.size() > 1) return "the selection is more than one symbol";
            fs::path file = programdir / ("scratch" + std::to_string(Form1.level) + ".txt");
            Scratch disk;
            if (fs::exists(file)) {
                std::string error = readscratch(readfile(file), file.string(), disk);
                if (!error.empty()) return "the saved pad does not read back: " + error;
            }
            for (int i = 1; i <= 10; ++i) {
                std::size_t s = static_cast<std::size_t>(i);
                if (disk.scratchletter[s] != Form1.scratchletter[i] ||
                    disk.scratchdigit[s] != Form1.scratchdigit[i])
                    return "slot " + std::to_string(i) + " on disk differs from the pad";
            }
        }
        return "";
    }
};

unsigned long fromenv(const char* name, unsigned long otherwise) {
    const char* value = std::getenv(name);
    return value ? std::strtoul(value, nullptr, 10) : otherwise;
}

TEST_F(Soak, RandomKeysKeepEveryInvariant) {
    const unsigned long seed = fromenv("CORVALE_SOAK_SEED", std::random_device{}());
    const unsigned long count = fromenv("CORVALE_SOAK_KEYS", 100000);
    std::mt19937_64 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    // Weighted so the run spends most of its time in puzzles: play keys often,
    // Escape and the menu's Enter now and then.
    const std::vector<int> play = {keyQ, keyW, keyE, keyR, keyA, keyS, keyD,     keyF,
                                   keyZ, keyX, keyC, keyV, key0, key1, key2,     key3,
                                   key4, key5, key6, key7, key8, key9, keySpace, keyH};
    const std::vector<int> moves = {keyTab, keyEnter, keyLeft, keyUp, keyRight, keyDown};
    // The bare numbers are codes no key of the game's carries.
    const std::vector<int> ignored = {keyShift, keyCtrl, keyAlt, keyWindows, 92,   keyBackspace,
                                      keyF1,    96,      105,    keyB,       keyG, keyK,
                                      keyM,     keyP,    keyY,   0,          255,  65535};
    int exits = 0, wins = 0;
    for (unsigned long n = 0; n < count; ++n) {
        int roll = pick(100), code;
        if (roll < 60)
            code = play[static_cast<std::size_t>(pick(static_cast<int>(play.size())))];
        else if (roll < 85)
            code = moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
        else if (roll < 88)
            code = keyEscape;
        else
            code = ignored[static_cast<std::size_t>(pick(static_cast<int>(ignored.size())))];
        int mask = pick(8) == 0 ? pick(8) : 0;
        const int menulevel = Module1.menulevel;
        try {
            key(code, mask);
            // Mostly quick typing, sometimes a long think.
            ticks(pick(10) == 0 ? pick(200) : pick(4));
        } catch (const Failure& f) {
            FAIL() << "seed " << seed << ", key " << n << " (" << code << "): " << f.what();
        }
        if (os.ended) {  // the menu's Exit: start again, as a player would
            ++exits;
            Form1 = Form{};
            Module1 = Module{};
            Form1.os = &os;
            os.ended = false;
            start();
            continue;
        }
        if (menulevel == 0 && Module1.menulevel == 1 && code != keyEscape) ++wins;
        std::string why = broken();
        ASSERT_EQ(why, "") << "seed " << seed << ", after key " << n << " (" << code << ")";
        os.sounds.clear();
        os.speech.clear();
        os.spawned.clear();
    }
    std::printf("soak: %lu keys, seed %lu, %d exits, %d wins\n", count, seed, exits, wins);
}

}  // namespace
}  // namespace corvale::testing
