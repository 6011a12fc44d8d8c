// Measures the real game on the SDL front end, under Xvfb: the cost of an
// idle main menu and of a pause, the rhythm of the tick, memory and start-up
// time, how long a key takes to be heard, and when the H sentence falls
// silent after Ctrl. It prints figures and judges nothing; bench/game.sh runs
// it and sends the keys.
//
//   gamebench idle EXEC_NS   start-up, idle and pause figures
//   gamebench keys N         waits for puzzle 1, then N presses of Q and N of a digit
//   gamebench view N         showing the window, and N drawings of the large-print view
//   gamebench ctrl N         prints the wall-clock time (ns) each of N H sentences
//                            ended, for the script to set against its Ctrl presses
//   gamebench clue N DIR     waits for puzzle 1, then for N presses of Tab or Enter:
//                            key to the first audible sample of the clue's number
//                            (each voxlet's capture, in DIR, watched as SDL's disk
//                            driver writes it out in real time) and key to the
//                            first clip of the row
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "frontend/sdl/sdl_platform.h"
#include "platform/keys.h"
#include "shell/shell.h"
#include "state/game.h"

using namespace corvale;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double cpuseconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long rsskib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

void summary(const char* what, std::vector<double> v) {
    if (v.empty()) {
        std::printf("%-34s no samples\n", what);
        return;
    }
    std::sort(v.begin(), v.end());
    auto at = [&](double q) {
        return v[std::min(v.size() - 1,
                          static_cast<std::size_t>(q * static_cast<double>(v.size())))];
    };
    std::printf("%-34s n=%zu min %.3f  median %.3f  p99 %.3f  max %.3f ms\n", what, v.size(),
                v.front(), at(0.5), at(0.99), v.back());
}

// What the bench watches: ticks, keys and the first clip after a key.
std::vector<Clock::time_point> tickat;
Clock::time_point keyat, tickbeforeplay;
bool waitingforclip = false;
int watchedkey = 0;
std::vector<double> keytoclip, ticktoclip, handlertime;
// Clue mode: the first one-shot clip after Tab or Enter is the row's first.
bool cluemode = false, waitingforrow = false;
std::vector<double> keytorow;

class TimedBuffer : public SoundBuffer {
  public:
    TimedBuffer(std::unique_ptr<SoundBuffer> real, int channel)
        : real_(std::move(real)), channel_(channel) {}
    void Play() override {
        real_->Play();
        auto now = Clock::now();
        if (waitingforclip) {
            keytoclip.push_back(ms(now - keyat));
            ticktoclip.push_back(ms(now - tickbeforeplay));
            waitingforclip = false;
        }
        if (waitingforrow && channel_ >= 4) {
            keytorow.push_back(ms(now - keyat));
            waitingforrow = false;
        }
    }
    void Stop() override { real_->Stop(); }
    void SetVolume(int v) override { real_->SetVolume(v); }
    void SetPan(int p) override { real_->SetPan(p); }

  private:
    std::unique_ptr<SoundBuffer> real_;
    int channel_;
};

class TimedDevice : public SoundDevice {
  public:
    explicit TimedDevice(std::unique_ptr<SoundDevice> real) : real_(std::move(real)) {}
    std::unique_ptr<SoundBuffer> CreateSoundBufferFromFile(int channel,
                                                           const std::string& path) override {
        return std::make_unique<TimedBuffer>(real_->CreateSoundBufferFromFile(channel, path),
                                             channel);
    }

  private:
    std::unique_ptr<SoundDevice> real_;
};

// The real voice, noting when each sentence ends.
std::vector<long long> speechended;

long long wallns() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

class TimedVoice : public Voice {
  public:
    explicit TimedVoice(Voice& real) : real_(real) {}
    void Speak(const std::string& text, int rate, int volume) override {
        real_.Speak(text, rate, volume);
        speechended.push_back(wallns());
    }

  private:
    Voice& real_;
};

// Each voxlet the game starts in clue mode writes its own capture, which a
// thread watches: SDL's disk driver writes a buffer as it would play it, so
// the moment a loud sample reaches the file is the moment it is heard (to
// within one buffer, 23 ms).
struct Capture {
    std::string file;
    Clock::time_point key;
    long offset = 0;
    bool heard = false;
};
std::mutex capturelock;
std::vector<Capture> captures;
std::vector<double> keytonumber;
std::atomic<bool> watching{true};
// A sample this far from 0 is sound (about -44 dB), as the clips are trimmed.
constexpr int audible = 200;

void watchcaptures() {
    while (watching) {
        {
            std::lock_guard<std::mutex> guard(capturelock);
            for (Capture& c : captures) {
                if (c.heard) continue;
                std::ifstream in(c.file, std::ios::binary);
                if (!in) continue;
                in.seekg(c.offset);
                std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
                auto now = Clock::now();
                // voxlet plays mono 16-bit samples; a half sample waits for its other byte.
                std::size_t whole = bytes.size() & ~std::size_t{1};
                for (std::size_t i = 0; i < whole && !c.heard; i += 2) {
                    int s = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                 static_cast<uint8_t>(bytes[i + 1]) << 8);
                    if (std::abs(s) > audible) {
                        c.heard = true;
                        keytonumber.push_back(ms(now - c.key));
                    }
                }
                c.offset += static_cast<long>(whole);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

class BenchPlatform : public SdlPlatform {
  public:
    std::string capturedir;  // clue mode: where each voxlet's capture goes

    void spawn(const std::string& program, const std::string& tail) override {
        if (capturedir.empty()) return SdlPlatform::spawn(program, tail);
        std::string file;
        {
            std::lock_guard<std::mutex> guard(capturelock);
            file = capturedir + "/number-" + std::to_string(captures.size()) + ".raw";
            captures.push_back({file, keyat});
        }
        const char* was = std::getenv("SDL_DISKAUDIOFILE");
        std::string game = was ? was : "";
        ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        SdlPlatform::spawn(program, tail);
        ::setenv("SDL_DISKAUDIOFILE", game.c_str(), 1);
    }
    Voice& voice() override {
        if (!timed_) timed_ = std::make_unique<TimedVoice>(SdlPlatform::voice());
        return *timed_;
    }
    std::unique_ptr<SoundDevice> opensound() override {
        auto real = SdlPlatform::opensound();
        return real ? std::make_unique<TimedDevice>(std::move(real)) : nullptr;
    }

  private:
    std::unique_ptr<TimedVoice> timed_;
};

void ontick(TimerId timer) {
    if (timer == TimerId::Timer1) {
        tickat.push_back(Clock::now());
        tickbeforeplay = tickat.back();
    }
    ontimer(timer);
}

void onkey(int& code, int& shift, bool repeat) {
    bool watched = code == watchedkey && Module1.menulevel == 0;
    auto begun = Clock::now();
    if (watched) {
        keyat = begun;
        waitingforclip = true;
    }
    if (cluemode && (code == keyTab || code == keyEnter) && Module1.menulevel == 0) {
        keyat = begun;
        waitingforrow = true;
    }
    Form_KeyDown(code, shift, repeat);
    if (watched) handlertime.push_back(ms(Clock::now() - begun));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: gamebench idle EXEC_NS | gamebench keys N | gamebench view N | "
                     "gamebench ctrl N | gamebench clue N DIR\n");
        return 2;
    }
    std::string mode = argv[1];
    static BenchPlatform platform;
    attach(platform);
    // The benchmark stands between the front end and the game, timing both.
    platform.handlers.keydown = onkey;
    platform.handlers.timer = ontick;
    try {
        Form_Load();
        auto shown = Clock::now();
        platform.show();
        double showms = ms(Clock::now() - shown);
        Form_Activate();
        if (mode == "view") {
            // A puzzle's clue and a full pad, as the view shows them, changing
            // at every drawing as a move to the next clue changes them.
            int n = std::atoi(argv[2]);
            const std::vector<std::string> pad{"A=1  B=2  C=3  D=4  E=5",
                                               "F=6  G=7  H=8  I=9  J=0"};
            std::vector<double> drawing;
            for (int i = 0; i < n; ++i) {
                std::vector<std::string> lines{
                    "Clue " + std::to_string(i % 10 + 1) + " of 10",
                    i % 2 ? "ABCD \u00d7 EF = GHIJ" : "HH \u2212 E = GC"};
                lines.insert(lines.end(), pad.begin(), pad.end());
                auto begun = Clock::now();
                platform.view(lines);
                drawing.push_back(ms(Clock::now() - begun));
            }
            std::printf("show the window (font opened too)  %.1f ms\n", showms);
            summary("draw the view, 640x480", drawing);
        } else if (mode == "idle") {
            long long exec_ns = std::atoll(argv[2]);
            while (tickat.empty()) platform.waitevents();
            auto realnow = std::chrono::system_clock::now().time_since_epoch();
            double startup =
                static_cast<double>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(realnow).count() -
                    exec_ns) /
                1e6;
            auto until = Clock::now() + std::chrono::seconds(1);
            while (Clock::now() < until) platform.waitevents();
            std::printf("exec to first tick                 %.1f ms\n", startup);
            std::printf("resident memory after start-up     %ld KiB\n", rsskib());

            tickat.clear();
            double cpu0 = cpuseconds();
            auto t0 = Clock::now();
            until = t0 + std::chrono::seconds(10);
            while (Clock::now() < until) platform.waitevents();
            double idle = (cpuseconds() - cpu0) / (ms(Clock::now() - t0) / 1000) * 100;
            std::vector<double> periods;
            for (std::size_t i = 1; i < tickat.size(); ++i)
                periods.push_back(ms(tickat[i] - tickat[i - 1]));
            std::printf("CPU idle on the main menu, 10 s    %.2f %% of one core\n", idle);
            summary("tick period over 10 s", periods);

            cpu0 = cpuseconds();
            t0 = Clock::now();
            hold(2.5);
            double held = ms(Clock::now() - t0);
            std::printf(
                "CPU during hold(2.5)               %.2f %% of one core (pause lasted %.1f ms)\n",
                (cpuseconds() - cpu0) / (held / 1000) * 100, held);
        } else if (mode == "ctrl") {
            auto n = static_cast<std::size_t>(std::atoi(argv[2]));
            while (speechended.size() < n) platform.waitevents();
            for (long long ended : speechended) std::printf("ended %lld\n", ended);
        } else if (mode == "clue" && argc == 4) {
            auto n = static_cast<std::size_t>(std::atoi(argv[2]));
            platform.capturedir = argv[3];
            cluemode = true;
            std::thread watcher(watchcaptures);
            while (keytorow.size() < n) platform.waitevents();
            // The last number may still be on its way to the file.
            auto until = Clock::now() + std::chrono::seconds(2);
            while (Clock::now() < until) platform.waitevents();
            watching = false;
            watcher.join();
            summary("key to the clue's number heard", keytonumber);
            summary("key to the row's first clip", keytorow);
        } else {
            int n = std::atoi(argv[2]);
            watchedkey = keyQ;
            while (static_cast<int>(keytoclip.size()) < n) platform.waitevents();
            summary("Q: key to first clip", keytoclip);
            summary("Q: tick to first clip (game's share)", ticktoclip);
            summary("Q: key handler", handlertime);
            keytoclip.clear();
            ticktoclip.clear();
            handlertime.clear();
            watchedkey = key8;
            while (static_cast<int>(keytoclip.size()) < n) platform.waitevents();
            summary("digit: key to first clip", keytoclip);
            summary("digit: tick to first clip (game's share)", ticktoclip);
            summary("digit: key handler (incl. save)", handlertime);
        }
    } catch (const std::exception& e) {
        platform.report(e.what());
        platform.quit(1);
    }
    std::fflush(stdout);
    platform.quit(0);
}
