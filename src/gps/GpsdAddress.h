#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// Where the system's GPS daemon listens: a host name or address and a TCP
// port. Written "HOST:PORT"; an IPv6 address in brackets ("[::1]:2947").
struct GpsdAddress {
    static constexpr uint16_t kDefaultPort = 2947;
    static constexpr const char* kDefaultText = "127.0.0.1:2947";

    std::string host = "127.0.0.1";
    uint16_t port = kDefaultPort;

    // "HOST", "HOST:PORT", "[V6]", "[V6]:PORT" or a bare IPv6 address (the
    // default port then). False, leaving out as it was, for an empty host, a
    // port outside 1..65535 or stray characters.
    static bool Parse(std::string_view text, GpsdAddress& out);
    std::string Text() const;
};

// The port number that stands for the daemon in the stored port ("端口"), the
// port list's entry for it and the setting that holds its address. Serial
// port numbers end at 255.
constexpr int kGpsdPortNumber = 256;
constexpr const char* kGpsdPortEntry = "gpsd";
constexpr const char* kGpsdAddressName = "gpsd Address";

// What the daemon is asked for once connected: its reports of the receiver's
// own sentences, unchanged.
constexpr const char* kGpsdWatchCommand = "?WATCH={\"enable\":true,\"nmea\":true}\n";

} // namespace hw
