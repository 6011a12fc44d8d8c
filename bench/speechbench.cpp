// Timing figures for bench/voxlet.sh, printed and never judged: how soon the
// speech layer hands over its first chunk, how soon a voxlet process is
// heard after it is started, and how long any command takes from start to
// exit. voxlet is watched through SDL's disk audio driver, which writes one
// device buffer (512 frames, 23 ms) at a time, paced in real time, through a
// 4 KiB stdio buffer: a sample shows in the capture only when its 4 KiB block
// fills. Its time at the device is therefore estimated as the time its block
// appeared less one buffer period for each device buffer after its own in
// that block; the raw appearance time is printed beside it.
//
// A program that speaks through a speech server is watched at the server's
// output instead: a raw file the server's audio device writes as it goes
// (see tests/speech/private_speechd.sh), from the size it had at the start.
//
//   speechbench synth RUNS TEXT [ENGINE VOICE]
//   speechbench voxlet RUNS VOXLET TAIL
//   speechbench served RUNS OUTPUT PROGRAM [ARGUMENT...]
//   speechbench command RUNS PROGRAM [ARGUMENT...]
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "speech/speech.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void report(const char* what, const std::vector<double>& ms) {
    std::printf("%-46s median %7.2f ms   min %7.2f   max %7.2f   (%zu runs)\n", what, median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                ms.size());
}

[[noreturn]] void die(const std::string& why) {
    std::fprintf(stderr, "speechbench: %s\n", why.c_str());
    std::exit(1);
}

pid_t start(const std::vector<std::string>& args, char** env) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The child's own chatter (SDL's note about the disk driver) is not a figure.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) die("cannot start " + args[0] + ": " + std::strerror(error));
    return pid;
}

int synth(int runs, const std::string& text, const corvale::speech::Choice& choice) {
    auto t0 = Clock::now();
    corvale::speech::init(choice);
    std::printf("%-46s %7.1f ms (once per process)\n", "speech::init", msince(t0));
    std::vector<double> first, whole;
    for (int i = 0; i < runs; ++i) {
        double firstms = -1;
        std::size_t samples = 0;
        auto t = Clock::now();
        corvale::speech::synthesize(text, 0, 100, [&](const int16_t*, std::size_t n) {
            if (firstms < 0) firstms = msince(t);
            samples += n;
        });
        whole.push_back(msince(t));
        first.push_back(firstms);
        if (i == 0)
            std::printf("%-46s %7.0f ms of speech\n", "speech::synthesize makes",
                        1000.0 * static_cast<double>(samples) / corvale::speech::samplerate);
    }
    report("speech::synthesize, call to first chunk", first);
    report("speech::synthesize, call to return", whole);
    return 0;
}

int voxlet(int runs, const std::string& program, const std::string& tail) {
    char capture[] = "/tmp/speechbench-XXXXXX";
    const int fd = mkstemp(capture);
    if (fd < 0) die(std::string("cannot make a capture file: ") + std::strerror(errno));
    close(fd);
    std::vector<std::string> envtext{"SDL_AUDIODRIVER=disk",
                                     std::string("SDL_DISKAUDIOFILE=") + capture};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "SDL_AUDIODRIVER=", 16) && std::strncmp(*e, "SDL_DISKAUDIOFILE=", 18))
            envtext.push_back(*e);
    std::vector<char*> env;
    for (auto& e : envtext) env.push_back(e.data());
    env.push_back(nullptr);

    constexpr long bufferbytes = 512 * 2, blockbytes = 4096;
    constexpr double bufferms = 512 * 1000.0 / corvale::speech::samplerate;
    std::vector<double> seen, firstsample, overhead, lengths;
    for (int i = 0; i < runs; ++i) {
        unlink(capture);
        auto t = Clock::now();
        const pid_t pid = start({program, tail}, env.data());
        double firstms = -1;
        long firstindex = -1, lastindex = -1, index = 0;
        int status = 0;
        int in = -1;
        bool exited = false;
        // Poll the capture as the driver writes it, every quarter millisecond.
        while (true) {
            if (!exited && waitpid(pid, &status, WNOHANG) == pid) exited = true;
            if (in < 0) in = open(capture, O_RDONLY);
            if (in >= 0) {
                int16_t buf[4096];
                ssize_t got;
                while ((got = read(in, buf, sizeof buf)) > 0) {
                    for (ssize_t k = 0; k < got / 2; ++k, ++index)
                        if (buf[k] != 0) {
                            if (firstindex < 0) {
                                firstindex = index;
                                firstms = msince(t);
                            }
                            lastindex = index;
                        }
                }
            }
            if (exited) break;
            std::this_thread::sleep_for(std::chrono::microseconds(250));
        }
        const double exitms = msince(t);
        if (in >= 0) close(in);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) die("voxlet failed on " + tail);
        if (firstindex < 0) die("voxlet played nothing for " + tail);
        const double speechms =
            1000.0 * static_cast<double>(lastindex - firstindex + 1) / corvale::speech::samplerate;
        const long byte = firstindex * 2;
        const long lastinblock = (byte / blockbytes * blockbytes + blockbytes - 1) / bufferbytes;
        seen.push_back(firstms);
        firstsample.push_back(firstms -
                              static_cast<double>(lastinblock - byte / bufferbytes) * bufferms);
        overhead.push_back(exitms - speechms);
        lengths.push_back(speechms);
    }
    unlink(capture);
    std::printf("%-46s %7.0f ms of speech\n", "voxlet speaks", median(lengths));
    report("voxlet, exec to first sample in the capture", seen);
    report("voxlet, exec to first audio sample (estimated)", firstsample);
    report("voxlet, exec to exit minus speech length", overhead);
    return 0;
}

long filesize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
}

int served(int runs, const std::string& output, const std::vector<std::string>& args) {
    std::vector<double> first, exits;
    for (int i = 0; i < runs; ++i) {
        // The server finishes the previous text before it is measured anew.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        long offset = filesize(output);
        auto t = Clock::now();
        const pid_t pid = start(args, environ);
        double firstms = -1, exitms = -1;
        int status = 0;
        while (firstms < 0 || exitms < 0) {
            if (exitms < 0 && waitpid(pid, &status, WNOHANG) == pid) exitms = msince(t);
            if (firstms < 0) {
                int in = open(output.c_str(), O_RDONLY);
                if (in >= 0 && lseek(in, offset, SEEK_SET) == offset) {
                    int16_t buf[4096];
                    ssize_t got;
                    while (firstms < 0 && (got = read(in, buf, sizeof buf)) > 0) {
                        offset += got & ~1L;
                        for (ssize_t k = 0; k < got / 2 && firstms < 0; ++k)
                            if (buf[k] != 0) firstms = msince(t);
                    }
                }
                if (in >= 0) close(in);
            }
            if (msince(t) > 10000) die(args[0] + " was not heard within 10 s");
            std::this_thread::sleep_for(std::chrono::microseconds(250));
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) die(args[0] + " failed");
        first.push_back(firstms);
        exits.push_back(exitms);
    }
    report((args[0] + ", exec to first sample at the server").c_str(), first);
    report((args[0] + ", exec to exit").c_str(), exits);
    return 0;
}

int command(int runs, const std::vector<std::string>& args) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        auto t = Clock::now();
        const pid_t pid = start(args, environ);
        int status = 0;
        waitpid(pid, &status, 0);
        ms.push_back(msince(t));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) die(args[0] + " failed");
    }
    report((args[0] + ", exec to exit").c_str(), ms);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (runs > 0 && mode == "synth" && argc == 4) return synth(runs, argv[3], {});
    if (runs > 0 && mode == "synth" && argc == 6) return synth(runs, argv[3], {argv[4], argv[5]});
    if (runs > 0 && mode == "voxlet" && argc == 5) return voxlet(runs, argv[3], argv[4]);
    if (runs > 0 && mode == "served" && argc >= 5)
        return served(runs, argv[3], std::vector<std::string>(argv + 4, argv + argc));
    if (runs > 0 && mode == "command" && argc >= 4)
        return command(runs, std::vector<std::string>(argv + 3, argv + argc));
    std::fprintf(stderr,
                 "usage: speechbench synth RUNS TEXT [ENGINE VOICE] | voxlet RUNS VOXLET TAIL | "
                 "served RUNS OUTPUT PROGRAM [ARGUMENT...] | command RUNS PROGRAM [ARGUMENT...]\n");
    return 2;
}
