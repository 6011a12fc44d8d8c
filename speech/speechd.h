// speech-dispatcher, the speech server a blind player's desktop already talks
// through, as the voice of the game and of voxlet. Its client library is
// loaded when the program runs, never linked, so the game builds and plays
// where it is missing. CORVALE_SPEECH chooses: "auto" (the default) speaks
// through the server when one answers and through the built-in engine
// otherwise, "speechd" insists on the server, "espeak" never asks it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace corvale::speechd {

class Server;

// Opens a connection as the named client, as CORVALE_SPEECH asks: nullptr
// when the built-in engine is to speak. Failure when the variable holds an
// unknown value, or when it says "speechd" and no server can be reached or
// none answers within about a second (under "auto" that is one line on
// standard error).
std::unique_ptr<Server> choose(const std::string& client);

// True when CORVALE_SPEECH insists on the server: losing it is a failure,
// not a reason to fall back on the built-in engine.
bool insisted();

// How a sentence ended.
enum class Said {
    spoken,   // the server reported its end
    stopped,  // the caller asked to stop it, and it was cancelled
    overdue,  // no end was reported within the bound: counts as spoken
    lost,     // the server refused it or went away: nothing was said
};

// Called while a sentence is being spoken: true stops it.
using StopCheck = std::function<bool()>;

// How long a sentence may take before its end is given up on: far more than
// any voice takes, even at the slowest rate a player may set.
std::chrono::milliseconds bound(const std::string& text);

class Server {
  public:
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Speaks `text` and returns when it has been spoken, when `stop` says so
    // (checked every few milliseconds) or when bound(text) has passed. Rate
    // 0 and volume 100 leave the player's own rate and volume; other values
    // are applied relative to them (see speechd.cpp). The first overdue
    // sentence is reported once on standard error. Each call to the server
    // is bounded by about a second; a server that misses it, or dies before
    // a sentence's end, has lost that sentence, and one that missed it is
    // lost for good: every later sentence is lost at once.
    // A sentence stopped by `stop` returns within a tenth of a second; its
    // cancel is settled here, before the server is asked anything more.
    Said say(const std::string& text, int rate, int volume, const StopCheck& stop);

    // Waits, at most `most` and no longer than the bound of one call, for a
    // cancel still on its way to the server, so what it has queued is
    // dropped before the program ends. False when the server is lost: it did
    // not answer in time.
    bool settle(std::chrono::milliseconds most = std::chrono::milliseconds(1000));

    struct Library;
    struct Connection;
    struct Call;  // one call into the library on its own thread

  private:
    friend std::unique_ptr<Server> choose(const std::string& client);
    Server() = default;
    // nullptr, with the reason in `why`, when no server can be reached.
    static std::unique_ptr<Server> open(const std::string& client, std::string& why);

    std::string client_;  // names the program in its one report
    const Library* lib_ = nullptr;
    Connection* connection_ = nullptr;
    int playerrate_ = 0, playervolume_ = 100;  // speech-dispatcher's scales
    int rate_ = 0, volume_ = 100;              // what the connection has now
    bool toldoverdue_ = false;
    bool gone_ = false;                 // a call was not answered in time: never call again
    std::shared_ptr<Call> cancelling_;  // a cancel sent and not yet answered

    Said giveup();
};

}  // namespace corvale::speechd
