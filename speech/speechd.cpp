// The speech-dispatcher client: libspeechd.so.2 opened with dlopen, the few
// calls the game needs looked up by name, and its end-of-speech reports
// turned into a wait the caller can cut short. The library's own header is
// not needed to build: the handful of declarations it would give are written
// below, and checked against that header wherever it is installed.
#include "speech/speechd.h"

#include <dlfcn.h>

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <set>

#include "platform/failure.h"

namespace corvale::speechd {

namespace {

// From libspeechd's interface, stable since its early releases.
using Callback = void (*)(std::size_t message, std::size_t client, int state);
constexpr int modethreaded = 1;                 // SPD_MODE_THREADED
constexpr int prioritymessage = 2;              // SPD_MESSAGE: queued, never cut by plain text
constexpr int notifyend = 2, notifycancel = 8;  // SPD_END, SPD_CANCEL

}  // namespace

// The public head of libspeechd's SPDConnection: the callbacks the library
// calls from its own thread. The rest of the structure is the library's.
struct Server::Connection {
    Callback begin, end, cancel, pause, resume;
    void* indexmark;
};

struct Server::Library {
    Connection* (*open2)(const char* client, const char* connection, const char* user, int mode,
                         const void* address, int autospawn, char** error);
    void (*close)(Connection*);
    int (*say)(Connection*, int priority, const char* text);
    int (*cancel)(Connection*);
    int (*notificationon)(Connection*, int notification);
    int (*getrate)(Connection*);
    int (*setrate)(Connection*, int rate);
    int (*getvolume)(Connection*);
    int (*setvolume)(Connection*, int volume);
};

}  // namespace corvale::speechd

#if __has_include(<speech-dispatcher/libspeechd.h>)
#include <speech-dispatcher/libspeechd.h>
static_assert(offsetof(SPDConnection, callback_end) ==
                  offsetof(corvale::speechd::Server::Connection, end) &&
              offsetof(SPDConnection, callback_cancel) ==
                  offsetof(corvale::speechd::Server::Connection, cancel));
static_assert(SPD_MODE_THREADED == corvale::speechd::modethreaded &&
              SPD_MESSAGE == corvale::speechd::prioritymessage &&
              SPD_END == corvale::speechd::notifyend &&
              SPD_CANCEL == corvale::speechd::notifycancel);
#endif

namespace corvale::speechd {

namespace {

// Player's scales on speech-dispatcher: rate and volume both -100..100.
constexpr int lowest = -100, highest = 100;

template <typename F>
bool find(void* handle, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
}

// The library, loaded once per process and kept: its listener thread must
// never find its code gone.
const Server::Library* load(std::string& why) {
    static Server::Library lib{};
    static std::string failure;
    static bool tried = false;
    if (tried) {
        why = failure;
        return failure.empty() ? &lib : nullptr;
    }
    tried = true;
    void* handle = dlopen("libspeechd.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        failure = std::string("cannot load speech-dispatcher's client library: ") +
                  (error ? error : "libspeechd.so.2 not found");
    } else if (!find(handle, "spd_open2", lib.open2) || !find(handle, "spd_close", lib.close) ||
               !find(handle, "spd_say", lib.say) || !find(handle, "spd_cancel", lib.cancel) ||
               !find(handle, "spd_set_notification_on", lib.notificationon) ||
               !find(handle, "spd_get_voice_rate", lib.getrate) ||
               !find(handle, "spd_set_voice_rate", lib.setrate) ||
               !find(handle, "spd_get_volume", lib.getvolume) ||
               !find(handle, "spd_set_volume", lib.setvolume)) {
        failure = "libspeechd.so.2 lacks a function the game needs: too old a speech-dispatcher";
    }
    why = failure;
    return failure.empty() ? &lib : nullptr;
}

// The library reports ends on its own thread and hands back no pointer of
// ours, so what it reports is kept here, for the one connection a process
// opens. A cancelled sentence ends as surely as a spoken one.
std::mutex endslock;
std::condition_variable endschanged;
std::set<std::size_t> ended;  // message ids

void onend(std::size_t message, std::size_t, int) {
    {
        std::lock_guard lock(endslock);
        ended.insert(message);
    }
    endschanged.notify_all();
}

// Takes the end of `message` (and of every older one) if it has come.
bool takeend(std::size_t message) {
    if (ended.count(message) == 0) return false;
    ended.erase(ended.begin(), ended.upper_bound(message));
    return true;
}

}  // namespace

std::unique_ptr<Server> Server::open(const std::string& client, std::string& why) {
    const Server::Library* lib = load(why);
    if (!lib) return nullptr;
    char* error = nullptr;
    // No autospawn: a player who runs no speech server gets the built-in
    // voice at once, not a server started behind their back with defaults.
    Server::Connection* connection =
        lib->open2(client.c_str(), "main", nullptr, modethreaded, nullptr, 0, &error);
    if (!connection) {
        why = error ? error : "the server did not answer";
        std::free(error);
        return nullptr;
    }
    std::free(error);
    connection->end = onend;
    connection->cancel = onend;
    if (lib->notificationon(connection, notifyend) != 0 ||
        lib->notificationon(connection, notifycancel) != 0) {
        lib->close(connection);
        why = "the server refused to report when speech ends";
        return nullptr;
    }
    std::unique_ptr<Server> server(new Server);
    server->client_ = client;
    server->lib_ = lib;
    server->connection_ = connection;
    // A new connection starts with the rate and volume the player set for
    // speech-dispatcher: those are the player's own.
    server->playerrate_ = server->rate_ = std::clamp(lib->getrate(connection), lowest, highest);
    server->playervolume_ = server->volume_ =
        std::clamp(lib->getvolume(connection), lowest, highest);
    return server;
}

namespace {

std::string mode() {
    const char* variable = std::getenv("CORVALE_SPEECH");
    return variable && *variable ? variable : "auto";
}

}  // namespace

bool insisted() {
    return mode() == "speechd";
}

std::unique_ptr<Server> choose(const std::string& client) {
    std::string chosen = mode();
    if (chosen == "espeak") return nullptr;
    if (chosen != "auto" && chosen != "speechd")
        fail("CORVALE_SPEECH=\"" + chosen + "\" is not one of auto, speechd or espeak");
    std::string why;
    std::unique_ptr<Server> server = Server::open(client, why);
    if (!server && chosen == "speechd")
        fail("CORVALE_SPEECH=speechd, but speech-dispatcher cannot be reached: " + why);
    return server;
}

std::chrono::milliseconds bound(const std::string& text) {
    // Five seconds for the server to start its synthesiser, then a fifth of
    // a second a character: slower than any voice speaks at its slowest.
    return std::chrono::milliseconds(5000 + 200 * static_cast<long>(text.size()));
}

Server::~Server() {
    lib_->close(connection_);
}

Said Server::say(const std::string& text, int rate, int volume, const StopCheck& stop) {
    // The game's rate scale -10..10 is a tenth of speech-dispatcher's, and
    // is added to the player's rate; a game volume below 100 scales the
    // player's volume down, so 0 is silent and 100 is theirs.
    int wantrate = std::clamp(playerrate_ + 10 * rate, lowest, highest);
    int wantvolume = lowest + (playervolume_ - lowest) * std::clamp(volume, 0, 100) / 100;
    if (wantrate != rate_) {
        if (lib_->setrate(connection_, wantrate) != 0) return Said::lost;
        rate_ = wantrate;
    }
    if (wantvolume != volume_) {
        if (lib_->setvolume(connection_, wantvolume) != 0) return Said::lost;
        volume_ = wantvolume;
    }
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) return Said::spoken;

    int id = lib_->say(connection_, prioritymessage, text.c_str());
    if (id <= 0) return Said::lost;
    const auto message = static_cast<std::size_t>(id);
    const auto deadline = std::chrono::steady_clock::now() + bound(text);
    std::unique_lock lock(endslock);
    for (;;) {
        if (takeend(message)) return Said::spoken;
        if (std::chrono::steady_clock::now() >= deadline) break;
        // The check may look at the caller's event queue: not under our lock.
        lock.unlock();
        bool stopping = stop && stop();
        if (stopping) {
            lib_->cancel(connection_);
            return Said::stopped;
        }
        lock.lock();
        endschanged.wait_for(lock, std::chrono::milliseconds(10));
    }
    lock.unlock();
    if (!toldoverdue_) {
        report("speech-dispatcher did not report the end of \"" + text +
                   "\" in time; going on as if it had been spoken",
               client_.c_str());
        toldoverdue_ = true;
    }
    return Said::overdue;
}

}  // namespace corvale::speechd
