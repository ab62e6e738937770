#pragma once
// A pocket query of the size the benchmarks import (some 7 KB a cache, as
// real ones are): caches within a degree of one another, each with a short
// and a long HTML description, hints and five logs.
#include <cstdio>
#include <random>
#include <string>

namespace bench {

inline bool WritePocketQuery(const std::string& path, int caches)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> lat(47.0, 48.0), lon(8.0, 9.0);
    const std::string words =
        "Le but de cette cache est de trouver les points g\xC3\xA9od\xC3\xA9siques "
        "&amp; the view from the ridge &lt;b&gt;above&lt;/b&gt; the lake. ";
    std::fprintf(f, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<gpx version=\"1.0\" "
                    "xmlns=\"http://www.topografix.com/GPX/1/0\">\n");
    for (int i = 0; i < caches; ++i) {
        std::string longDescription;
        while (longDescription.size() < 3100)
            longDescription += words;
        std::fprintf(
            f,
            "  <wpt lat=\"%.7f\" lon=\"%.7f\">\n    <time>2008-03-%02dT12:00:00Z</time>\n"
            "    <name>GC%05X</name>\n    <desc>Cache number %d by Owner %d, Traditional "
            "Cache (2/1.5)</desc>\n    "
            "<url>http://www.example.org/seek/cache_details.aspx?id=%d"
            "</url>\n    <sym>Geocache</sym>\n    <type>Geocache|Traditional Cache</type>\n"
            "    <groundspeak:cache id=\"%d\" available=\"True\" archived=\"False\" "
            "xmlns:groundspeak=\"http://www.groundspeak.com/cache/1/0\">\n"
            "      <groundspeak:name>Cache number %d</groundspeak:name>\n"
            "      <groundspeak:placed_by>Owner %d</groundspeak:placed_by>\n"
            "      <groundspeak:type>Traditional Cache</groundspeak:type>\n"
            "      <groundspeak:container>Small</groundspeak:container>\n"
            "      <groundspeak:difficulty>2</groundspeak:difficulty>\n"
            "      <groundspeak:terrain>1.5</groundspeak:terrain>\n"
            "      <groundspeak:country>Switzerland</groundspeak:country>\n"
            "      <groundspeak:state>Z\xC3\xBCrich</groundspeak:state>\n"
            "      <groundspeak:short_description html=\"True\">A short walk from the "
            "parking.</groundspeak:short_description>\n"
            "      <groundspeak:long_description "
            "html=\"True\">%s</groundspeak:long_description>\n"
            "      <groundspeak:encoded_hints>haqre gur ebbg</groundspeak:encoded_hints>\n"
            "      <groundspeak:logs>\n",
            lat(rng), lon(rng), 1 + i % 28, 0x10000 + i, i, i % 500, i, i, i, i % 500,
            longDescription.c_str());
        for (int l = 0; l < 5; ++l)
            std::fprintf(f,
                         "        <groundspeak:log id=\"%d\">\n"
                         "          <groundspeak:date>2008-0%d-1%dT07:00:00</groundspeak:date>\n"
                         "          <groundspeak:type>Found it</groundspeak:type>\n"
                         "          <groundspeak:finder id=\"%d\">Finder %d</groundspeak:finder>\n"
                         "          <groundspeak:text encoded=\"False\">Found it with the kids "
                         "after a long search, thanks for the cache! TFTC %s</groundspeak:text>\n"
                         "        </groundspeak:log>\n",
                         i * 5 + l, 1 + l, l, l, l, words.c_str());
        std::fprintf(f, "      </groundspeak:logs>\n    </groundspeak:cache>\n  </wpt>\n");
    }
    std::fprintf(f, "</gpx>\n");
    return std::fclose(f) == 0;
}

} // namespace bench
