// The speech-dispatcher client: libspeechd.so.2 opened at run time, the few
// calls the game needs looked up by name, and its end-of-speech reports
// turned into a wait the caller can cut short. The library has no timeout of
// its own: a server that accepts and never answers would hold its caller for
// ever, so every call into it runs on a thread of its own with a bound, and
// a server that misses it is given up for the session. The library's own header is
// not needed to build: the handful of declarations it would give are written
// below, and checked against that header wherever it is installed.
#include "speech/speechd.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/loader.h"

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
    function = reinterpret_cast<F>(findsymbol(handle, name));
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
    std::string error;
    void* handle = openlibrary("libspeechd.so.2", error);
    if (!handle) {
        failure = "cannot load speech-dispatcher's client library: " + error;
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

// How long the server may take to answer one call: connecting, taking a
// sentence, cancelling one, closing. A server that is well answers in
// milliseconds; one that has not answered in this time is not going to.
constexpr auto answerbound = std::chrono::milliseconds(1000);

// A call running on a thread of its own, and its result once it has come.
template <typename R>
struct Pending {
    std::mutex lock;
    std::condition_variable done;
    std::optional<R> result;
    std::chrono::steady_clock::time_point sent = std::chrono::steady_clock::now();
};

// Starts `call` on a thread of its own, its result kept in a P (a Pending);
// nullptr when no thread can be made. `call` owns what it touches (captured
// by value): its caller may be gone when it returns.
template <typename P, typename F>
std::shared_ptr<P> start(F call) {
    auto pending = std::make_shared<P>();
    try {
        std::thread([pending, call = std::move(call)]() mutable {
            auto result = call();
            std::lock_guard lock(pending->lock);
            pending->result = std::move(result);
            pending->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    return pending;
}

// The result of a started call, waiting for it until `most` after it was
// sent and no longer than answerbound after; nothing when it did not come.
// A call left behind keeps the library's own lock for good, so its
// connection must never be used again.
template <typename P>
auto await(const std::shared_ptr<P>& pending, std::chrono::milliseconds most = answerbound)
    -> decltype(pending->result) {
    if (!pending) return std::nullopt;  // no thread to make the call on: no answer either
    std::unique_lock lock(pending->lock);
    pending->done.wait_until(lock, pending->sent + std::min(most, answerbound),
                             [&] { return pending->result.has_value(); });
    return pending->result;
}

// Runs `call` on a thread of its own and waits at most answerbound for it.
template <typename R, typename F>
std::optional<R> bounded(F call) {
    return await(start<Pending<R>>(std::move(call)));
}

// How long Ctrl's cancel is waited for before the game goes on: the key is
// answered at once whatever the server does, and the cancel is settled
// before the server is asked anything else.
constexpr auto cancelwait = std::chrono::milliseconds(60);

const char* const unanswered = "the server did not answer within a second";

}  // namespace

std::unique_ptr<Server> Server::open(const std::string& client, std::string& why) {
    const Server::Library* lib = load(why);
    if (!lib) return nullptr;
    struct Opened {
        Server::Connection* connection = nullptr;
        std::string why;
        int rate = 0, volume = 100;
    };
    // One bound for the whole greeting; a connection made after it has
    // passed is left open and unused.
    std::optional<Opened> opened = bounded<Opened>([lib, client] {
        Opened got;
        char* error = nullptr;
        // No autospawn: a player who runs no speech server gets the built-in
        // voice at once, not a server started behind their back with defaults.
        got.connection =
            lib->open2(client.c_str(), "main", nullptr, modethreaded, nullptr, 0, &error);
        if (!got.connection) {
            got.why = error ? error : "the server did not answer";
            std::free(error);
            return got;
        }
        std::free(error);
        got.connection->end = onend;
        got.connection->cancel = onend;
        if (lib->notificationon(got.connection, notifyend) != 0 ||
            lib->notificationon(got.connection, notifycancel) != 0) {
            lib->close(got.connection);
            got.connection = nullptr;
            got.why = "the server refused to report when speech ends";
            return got;
        }
        // A new connection starts with the rate and volume the player set for
        // speech-dispatcher: those are the player's own.
        got.rate = std::clamp(lib->getrate(got.connection), lowest, highest);
        got.volume = std::clamp(lib->getvolume(got.connection), lowest, highest);
        return got;
    });
    if (!opened) {
        why = unanswered;
        return nullptr;
    }
    if (!opened->connection) {
        why = opened->why;
        return nullptr;
    }
    std::unique_ptr<Server> server(new Server);
    server->client_ = client;
    server->lib_ = lib;
    server->connection_ = opened->connection;
    server->playerrate_ = server->rate_ = opened->rate;
    server->playervolume_ = server->volume_ = opened->volume;
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
    // A server that is there but hung is worth the player's knowing; no
    // server at all is the common case and needs no word.
    if (!server && why == unanswered)
        report("speech-dispatcher did not answer within a second; the built-in voice speaks",
               client.c_str());
    return server;
}

std::chrono::milliseconds bound(const std::string& text) {
    // Five seconds for the server to start its synthesiser, then a fifth of
    // a second a character: slower than any voice speaks at its slowest.
    return std::chrono::milliseconds(5000 + 200 * static_cast<long>(text.size()));
}

Server::~Server() {
    // Closing waits for the server too; one that has missed a bound is not
    // asked again, and its connection is left to the process's end.
    if (!settle()) return;
    const Library* lib = lib_;
    Connection* connection = connection_;
    bounded<bool>([lib, connection] {
        lib->close(connection);
        return true;
    });
}

Said Server::giveup() {
    gone_ = true;
    return Said::lost;
}

struct Server::Call : Pending<int> {};

bool Server::settle(std::chrono::milliseconds most) {
    if (gone_ || !cancelling_) return !gone_;
    if (await(cancelling_, most))
        cancelling_.reset();
    else if (std::chrono::steady_clock::now() >= cancelling_->sent + answerbound)
        gone_ = true;
    return !gone_;
}

Said Server::say(const std::string& text, int rate, int volume, const StopCheck& stop) {
    if (!settle()) return Said::lost;
    // The game's rate scale -10..10 is a tenth of speech-dispatcher's, and
    // is added to the player's rate; a game volume below 100 scales the
    // player's volume down, so 0 is silent and 100 is theirs.
    int wantrate = std::clamp(playerrate_ + 10 * rate, lowest, highest);
    int wantvolume = lowest + (playervolume_ - lowest) * std::clamp(volume, 0, 100) / 100;
    const bool blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    struct Sent {
        bool rateset = true, volumeset = true;
        int id = 0;
    };
    const Library* lib = lib_;
    Connection* connection = connection_;
    std::optional<Sent> sent =
        bounded<Sent>([lib, connection, wantrate, setrate = wantrate != rate_, wantvolume,
                       setvolume = wantvolume != volume_, blank, text] {
            Sent got;
            if (setrate) got.rateset = lib->setrate(connection, wantrate) == 0;
            if (got.rateset && setvolume)
                got.volumeset = lib->setvolume(connection, wantvolume) == 0;
            if (got.rateset && got.volumeset && !blank)
                got.id = lib->say(connection, prioritymessage, text.c_str());
            return got;
        });
    if (!sent) return giveup();
    if (!sent->rateset || !sent->volumeset) return Said::lost;
    rate_ = wantrate;
    volume_ = wantvolume;
    if (blank) return Said::spoken;
    if (sent->id <= 0) return Said::lost;
    const auto message = static_cast<std::size_t>(sent->id);
    const auto deadline = std::chrono::steady_clock::now() + bound(text);
    std::unique_lock lock(endslock);
    for (;;) {
        if (takeend(message)) return Said::spoken;
        if (std::chrono::steady_clock::now() >= deadline) break;
        // The check may look at the caller's event queue: not under our lock.
        lock.unlock();
        bool stopping = stop && stop();
        if (stopping) {
            // Stopped either way; a cancel not answered yet is settled by the
            // next call, and a server that never takes it is not asked again.
            cancelling_ = start<Call>([lib, connection] { return lib->cancel(connection); });
            if (!cancelling_) giveup();  // no thread to cancel on: not asked again
            if (await(cancelling_, cancelwait)) cancelling_.reset();
            return Said::stopped;
        }
        lock.lock();
        endschanged.wait_for(lock, std::chrono::milliseconds(10));
    }
    lock.unlock();
    // No end came. A server that died or hung mid-sentence has said nothing
    // the player can count on; one that still answers only failed to report.
    std::optional<int> alive =
        bounded<int>([lib, connection, rate = rate_] { return lib->setrate(connection, rate); });
    if (!alive) return giveup();
    if (*alive != 0) return Said::lost;
    if (!toldoverdue_) {
        report("speech-dispatcher did not report the end of " + shown(text) +
                   " in time; going on as if it had been spoken",
               client_.c_str());
        toldoverdue_ = true;
    }
    return Said::overdue;
}

}  // namespace corvale::speechd
