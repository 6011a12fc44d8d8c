// The fake front end's clock, event dispatch and recording devices.
#include "frontend/fake/fake_platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/failure.h"
#include "platform/keys.h"

namespace corvale {

namespace {

class RecordingBuffer : public SoundBuffer {
  public:
    RecordingBuffer(FakePlatform& fake, int channel, std::string clip)
        : fake_(fake), channel_(channel), clip_(std::move(clip)) {}
    ~RecordingBuffer() override { record("release"); }
    void Play() override { record("play"); }
    void Stop() override { record("stop"); }
    void SetVolume(int v) override {
        if (v < -10000 || v > 0) fail("volume " + std::to_string(v) + " refused");
        record("volume", v);
    }
    void SetPan(int p) override {
        if (p < -10000 || p > 10000) fail("pan " + std::to_string(p) + " refused");
        record("pan", p);
    }

  private:
    void record(const std::string& op, int value = 0) {
        fake_.sounds.push_back({fake_.now, op, channel_, clip_, value});
    }
    FakePlatform& fake_;
    int channel_;
    std::string clip_;
};

class RecordingDevice : public SoundDevice {
  public:
    explicit RecordingDevice(FakePlatform& fake) : fake_(fake) {}
    std::unique_ptr<SoundBuffer> CreateSoundBufferFromFile(int channel,
                                                           const std::string& path) override {
        std::string clip = fake_.clipname(path);
        if (fake_.missingclips.count(clip)) fail("cannot load clip " + path);
        fake_.sounds.push_back({fake_.now, "load", channel, clip, 0});
        return std::make_unique<RecordingBuffer>(fake_, channel, clip);
    }

  private:
    FakePlatform& fake_;
};

}  // namespace

FakePlatform::FakePlatform(std::string dir) {
    datadir = savedir = std::move(dir);
}

std::string FakePlatform::clipname(const std::string& path) const {
    if (path.compare(0, datadir.size(), datadir) == 0) return path.substr(datadir.size());
    return path;
}

std::unique_ptr<SoundDevice> FakePlatform::opensound() {
    if (soundfails) return nullptr;
    return std::make_unique<RecordingDevice>(*this);
}

void FakePlatform::RecordingVoice::Speak(const std::string& text, int rate, int volume) {
    if (rate < -10 || rate > 10 || volume < 0 || volume > 100)
        fail("the voice refuses rate " + std::to_string(rate) + ", volume " +
             std::to_string(volume));
    fake->speech.push_back(text + "|" + std::to_string(rate) + "|" + std::to_string(volume));
    fake->speak();
}

void FakePlatform::speak() {
    long end = now + speechlength;
    for (auto key = keys_.begin(); key != keys_.end() && key->first <= end; ++key) {
        if (key->second.code != keyCtrl && key->second.code != keyEscape) continue;
        now = std::max(now, key->first);
        ++speechstopped;
        return;
    }
    now = end;
}

void FakePlatform::stopspawned() {
    if (spawnedrunning()) ++spawnstops;
    spawnedend_ = now;
}

void FakePlatform::spawn(const std::string& program, const std::string& tail) {
    spawned.push_back(program + " " + tail);
    spawnedend_ = std::max(spawnedend_, now + spawnms);
}

bool FakePlatform::faulty(const std::string& path, const char* step) const {
    return failstep == step && !failfile.empty() && path.size() >= failfile.size() &&
           path.compare(path.size() - failfile.size(), failfile.size(), failfile) == 0;
}

std::string FakePlatform::readfile(const std::string& path) {
    if (faulty(path, "read")) {
        errno = failerror;
        fail("cannot read " + hostpath(path) + ": " + std::strerror(failerror));
    }
    return readtextfile(path);
}

void FakePlatform::writefile(const std::string& path, const std::string& text) {
    WriteCalls calls = systemcalls();
    // A test's files need not survive a power cut; flushing each save to the
    // disk would only slow the tests that type many digits.
    calls.fsync = [](int) { return 0; };
    int error = failerror;
    if (faulty(path, "write")) {
        // Half the text reaches the disk, then the disk refuses the rest.
        auto written = std::make_shared<bool>(false);
        calls.write = [written, error](int fd, const char* data, std::size_t size) -> long {
            if (*written || size < 2) {
                errno = error;
                return -1;
            }
            *written = true;
            return systemcalls().write(fd, data, size / 2);
        };
    }
    if (faulty(path, "fsync")) calls.fsync = [error](int) { return errno = error, -1; };
    if (faulty(path, "rename"))
        calls.rename = [error](const char*, const char*) { return errno = error, -1; };
    writefileatomic(hostpath(path), text, calls);
}

void FakePlatform::renamefile(const std::string& from, const std::string& to) {
    if (faulty(from, "rename"))
        fail("cannot rename " + hostpath(from) + " to " + hostpath(to) + ": " +
             std::strerror(failerror));
    renametextfile(from, to);
}

void FakePlatform::end(int status) {
    ended = true;
    endstatus = status;
    throw ProgramEnded{};
}

void FakePlatform::pressat(long time, int keycode, int shift, bool repeat) {
    keys_.emplace(time, Key{keycode, shift, repeat});
}

void FakePlatform::settimer(TimerId timer, int interval) {
    clock.set(timer, interval, now);
}

long FakePlatform::nextdue() const {
    long timer = static_cast<long>(clock.next());
    if (keys_.empty()) return timer;
    long key = keys_.begin()->first;
    return timer < 0 || key < timer ? key : timer;
}

// Handles the earliest event due by now, if any: keys first, then Timer1,
// then holder at the same moment.
bool FakePlatform::dispatchone() {
    if (!keys_.empty() && keys_.begin()->first <= now) {
        Key key = keys_.begin()->second;
        keys_.erase(keys_.begin());
        handlers.keydown(key.code, key.shift, key.repeat);
        return true;
    }
    std::optional<TimerId> due = clock.takedue(now);
    if (!due) return false;
    handlers.timer(*due);
    return true;
}

void FakePlatform::doevents() {
    while (dispatchone()) {
    }
}

void FakePlatform::waitevents() {
    long due = nextdue();
    if (due < 0) fail("waiting for an event, but no timer runs and no key is scripted");
    now = std::max(now, due);
    doevents();
}

void FakePlatform::run(long ms) {
    long target = now + ms;
    try {
        while (!ended) {
            long due = nextdue();
            if (due < 0 || due > target) break;
            now = std::max(now, due);
            doevents();
        }
    } catch (const ProgramEnded&) {
    }
    now = std::max(now, target);
}

std::vector<std::string> FakePlatform::plays() const {
    std::vector<std::string> out;
    for (const SoundCall& c : sounds)
        if (c.op == "play") out.push_back(std::to_string(c.channel) + ": " + c.clip);
    return out;
}

std::vector<std::string> FakePlatform::timedplays() const {
    std::vector<std::string> out;
    for (const SoundCall& c : sounds)
        if (c.op == "play")
            out.push_back(std::to_string(c.time) + " " + std::to_string(c.channel) + ": " + c.clip);
    return out;
}

int FakePlatform::loads(const std::string& clip) const {
    return static_cast<int>(std::count_if(sounds.begin(), sounds.end(), [&](const SoundCall& c) {
        return c.op == "load" && c.clip == clip;
    }));
}

}  // namespace corvale
