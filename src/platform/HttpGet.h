#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quorbel {

// Time limits of one download. A server that accepts a connection and then
// stays silent (or trickles) must not keep a worker alive for ever.
struct HttpTimeouts
{
    long connectMs = 15000;     // to establish the connection
    long lowSpeedBytes = 1;     // a transfer slower than this many bytes per second ...
    long lowSpeedSeconds = 30;  // ... for this long is abandoned
    long totalSeconds = 600;    // hard cap on the whole download
};

// Receives the body as it arrives; returning false abandons the download.
using HttpSink = std::function<bool(const char *data, std::size_t size)>;

// Initialises libcurl once for the whole process. Called on the GUI thread
// before the first worker starts; libcurl is never cleaned up, since workers may
// still be running when the program ends.
void HttpGlobalInit();

// One GET of an http or https address, the body passed raw to `sink`. True only
// for a complete answer with a 2xx status of at most `maxBytes` bytes; a
// connection failure, a time-out, any other status (redirects are not
// followed), a larger body, another scheme or a sink that refuses is false.
// No proxy is used. Safe on any thread; blocks until the download ends.
bool HttpGet(const std::string &url, std::size_t maxBytes, const HttpTimeouts &timeouts, const HttpSink &sink);

// HttpGet into a byte string. `body` holds the answer only when true is returned.
bool HttpGetBytes(const std::string &url, std::size_t maxBytes, const HttpTimeouts &timeouts, std::string &body);

} // namespace quorbel
