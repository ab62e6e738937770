// The GPS daemon as a source: its address as the user types it, and its
// stream with the daemon's own reports taken out.

#include "gps/GpsdAddress.h"
#include "gps/GpsdNmeaFilter.h"

#include <gtest/gtest.h>

#include <string>

using namespace hw;

namespace {

GpsdAddress Parsed(const std::string& text)
{
    GpsdAddress a;
    a.host = "unchanged";
    a.port = 1;
    EXPECT_TRUE(GpsdAddress::Parse(text, a)) << text;
    return a;
}

std::string FilterInPieces(GpsdNmeaFilter& filter, const std::string& stream, std::size_t piece)
{
    std::string kept;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        std::string chunk = stream.substr(at, piece);
        std::size_t n = filter.Filter(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size(),
                                      reinterpret_cast<uint8_t*>(chunk.data()));
        kept.append(chunk.data(), n);
    }
    return kept;
}

} // namespace

TEST(GpsdAddress, ParsesHostsPortsAndIpv6)
{
    EXPECT_EQ(Parsed("127.0.0.1:2947").Text(), "127.0.0.1:2947");
    EXPECT_EQ(Parsed(" localhost ").Text(), "localhost:2947");
    EXPECT_EQ(Parsed("gps.example.org:3000").port, 3000);
    EXPECT_EQ(Parsed("[::1]:29470").host, "::1");
    EXPECT_EQ(Parsed("[::1]:29470").Text(), "[::1]:29470");
    EXPECT_EQ(Parsed("[fe80::1%eth0]").port, GpsdAddress::kDefaultPort);
    EXPECT_EQ(Parsed("::1").Text(), "[::1]:2947"); // bare IPv6: default port
}

TEST(GpsdAddress, RefusesMalformedAddressesAndKeepsTheOldOne)
{
    for (const char* bad : {"", ":2947", "host:", "host:0", "host:65536", "host:29x", "[::1",
                            "[::1]2947", "host name:2947", "host;rm:1", "[]:2947"}) {
        GpsdAddress a;
        a.host = "kept";
        a.port = 7;
        EXPECT_FALSE(GpsdAddress::Parse(bad, a)) << bad;
        EXPECT_EQ(a.host, "kept");
        EXPECT_EQ(a.port, 7);
    }
}

TEST(GpsdNmeaFilter, DropsTheDaemonsReportsWhereverTheStreamIsCut)
{
    const std::string reports =
        "{\"class\":\"VERSION\",\"release\":\"3.22\"}\r\n"
        "{\"class\":\"DEVICES\",\"devices\":[{\"path\":\"/dev/pts/1\"}]}\r\n"
        "{\"class\":\"WATCH\",\"enable\":true,\"nmea\":true}\r\n";
    const std::string sentences = "$GPGGA,202654.000,4404.1305,N,12118.8515,W,2,10,0.98,1127.7,M,"
                                  "-19.6,M,0000,0000*6A\r\n"
                                  "$GNRMC,202654.000,A,4404.1305,N,12118.8515,W,0.01,,130415,,,D*"
                                  "7B\r\n";
    // A report between sentences too, and a '{' inside a sentence is kept.
    const std::string stream = reports + sentences + "{\"class\":\"DEVICE\",\"activated\":0}\n" +
                               sentences + "$PXXX,{odd}*00\r\n";
    const std::string wanted = sentences + sentences + "$PXXX,{odd}*00\r\n";
    for (std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{64}, stream.size()}) {
        GpsdNmeaFilter filter;
        EXPECT_EQ(FilterInPieces(filter, stream, piece), wanted) << "pieces of " << piece;
    }
}
