#include "basemap/osm/OsmExtractImport.h"

#include "basemap/AreaLabelPoint.h"
#include "basemap/CoastlineSea.h"
#include "basemap/RoadMap.h"

// The assembler copies a user name GCC cannot prove present (a false
// -Wstringop-overread in libosmium's builder when inlined here).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overread"
#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/tags/tags_filter.hpp>
#include <osmium/visitor.hpp>
#pragma GCC diagnostic pop

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <string>
#include <vector>

namespace hw {
namespace {

int32_t Microdegrees(int32_t sevenDecimals)
{
    int32_t half = sevenDecimals < 0 ? -5 : 5;
    return (sevenDecimals + half) / 10;
}

RoadPoint PointOf(const osmium::Location& location)
{
    return {Microdegrees(location.y()), Microdegrees(location.x())};
}

TagLookup LookupOf(const osmium::TagList& tags)
{
    return [&tags](const char* key) { return tags[key]; };
}

// The tags that make a closed way or a multipolygon relation worth
// assembling: those of the area classes, a value "no" never.
osmium::TagsFilter AreaFilter()
{
    osmium::TagsFilter filter{false};
    for (const TagRule& rule : AreaRules()) {
        std::string values = rule.values;
        if (values == "*") {
            filter.add_rule(false, osmium::TagMatcher{rule.key, "no"});
            filter.add_rule(true, osmium::TagMatcher{rule.key});
            continue;
        }
        std::vector<std::string> list;
        for (std::size_t at = 0; at <= values.size();) {
            std::size_t bar = values.find('|', at);
            if (bar == std::string::npos)
                bar = values.size();
            list.push_back(values.substr(at, bar - at));
            at = bar + 1;
        }
        filter.add_rule(true, osmium::TagMatcher{osmium::StringMatcher::equal{rule.key},
                                                 osmium::StringMatcher::list{list}});
    }
    return filter;
}

// The assembler, counting the areas that do not assemble. The manager makes
// one per area and keeps no count of its own failures.
class CountingAssembler : public osmium::area::Assembler {
public:
    using Assembler::Assembler;
    static inline uint32_t failures = 0;

    template <typename... Args> bool operator()(Args&&... args)
    {
        try {
            const bool built = Assembler::operator()(std::forward<Args>(args)...);
            failures += built ? 0 : 1;
            return built;
        } catch (const osmium::invalid_location&) {
            ++failures;
            throw;
        }
    }
};

// Nodes and ways, with the locations of their nodes, into the map: points,
// roads, lines, and the coast for the sea.
class ElementHandler : public osmium::handler::Handler {
public:
    ElementHandler(RoadMapWriter& writer, std::vector<std::vector<RoadPoint>>& coast,
                   OsmImportListener* listener)
        : writer_(writer), coast_(coast), listener_(listener)
    {
    }

    void node(const osmium::Node& node)
    {
        if (node.tags().empty() || !node.location().valid())
            return;
        TagLookup tags = LookupOf(node.tags());
        int cls = PointClassOf(tags);
        if (cls < 0)
            return;
        const char* name = DisplayNameOf(tags);
        const char* english = EnglishNameOf(tags);
        int ele = 0;
        const bool hasEle = cls == topo::kPeaks && ParseElevation(tags("ele"), ele);
        writer_.Topo().AddPoint(
            cls, PointOf(node.location()), name ? name : "", hasEle ? ele : kNoElevation,
            cls == topo::kPlaces ? PlaceRankOf(tags("place")) : 0, english ? english : "");
    }

    void way(const osmium::Way& way)
    {
        TagLookup tags = LookupOf(way.tags());
        if (listener_ && listener_->TakesWay(tags)) {
            wayNodes_.clear();
            for (const osmium::NodeRef& ref : way.nodes())
                wayNodes_.push_back({ref.ref(), PointOf(ref.location()), ref.location().valid()});
            listener_->TakeWay(wayNodes_);
        }
        const char* highway = tags("highway");
        const char* railway = tags("railway");
        const int roadClass = RoadClassOf(highway ? highway : "", railway ? railway : "");
        const int lineClass = LineClassOf(tags);
        if (roadClass < 0 && lineClass < 0)
            return;
        // Nodes outside the extract are left out of their ways.
        points_.clear();
        for (const osmium::NodeRef& ref : way.nodes())
            if (ref.location().valid())
                points_.push_back(PointOf(ref.location()));
        if (roadClass >= 0)
            writer_.AddWay(roadClass, points_);
        if (lineClass >= 0)
            writer_.Topo().AddLine(lineClass, points_);
        if (lineClass == topo::kCoastline)
            coast_.push_back(points_);
    }

    void area(const osmium::Area& area)
    {
        const int cls = AreaClassOf(LookupOf(area.tags()));
        if (cls < 0)
            return;
        rings_.clear();
        for (const osmium::OuterRing& outer : area.outer_rings()) {
            rings_.push_back(Ring(outer));
            for (const osmium::InnerRing& inner : area.inner_rings(outer))
                rings_.push_back(Ring(inner));
        }
        writer_.Topo().AddArea(cls, rings_);
        if ((cls == topo::kWater || cls == topo::kWood) && !rings_.empty()) {
            const TagLookup tags = LookupOf(area.tags());
            const char* name = DisplayNameOf(tags);
            const char* english = EnglishNameOf(tags);
            if (name && *name) {
                const AreaLabelPoint label = AreaLabelPoint::Of(rings_);
                writer_.Topo().AddAreaName(cls, label.at, name, label.span, english ? english : "");
            }
        }
    }

private:
    static std::vector<RoadPoint> Ring(const osmium::NodeRefList& ring)
    {
        std::vector<RoadPoint> points;
        points.reserve(ring.size());
        for (const osmium::NodeRef& ref : ring)
            points.push_back(PointOf(ref.location()));
        return points;
    }

    RoadMapWriter& writer_;
    std::vector<std::vector<RoadPoint>>& coast_;
    std::vector<RoadPoint> points_;
    std::vector<std::vector<RoadPoint>> rings_;
    OsmImportListener* listener_;
    std::vector<OsmWayNode> wayNodes_;
};

using LocationIndex =
    osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;

double ShareRead(const osmium::io::Reader& reader)
{
    return reader.file_size() > 0 ? double(reader.offset()) / double(reader.file_size()) : -1;
}

} // namespace

void OsmExtractImport::Read(const std::string& path, RoadMapWriter& writer,
                            OsmImportListener* listener)
{
    const auto progress = [listener](const char* phase, double share) {
        if (listener)
            listener->Progress(phase, share);
    };
    osmium::io::File file(path);
    osmium::area::Assembler::config_type config;
    config.create_empty_areas = false;
    osmium::area::MultipolygonManager<CountingAssembler> areas{config, AreaFilter()};
    CountingAssembler::failures = 0;
    {
        osmium::io::Reader reader(file, osmium::osm_entity_bits::relation);
        while (osmium::memory::Buffer buffer = reader.read()) {
            osmium::apply(buffer, areas);
            progress("relations", ShareRead(reader));
        }
        reader.close();
    }
    areas.prepare_for_lookup();

    std::vector<std::vector<RoadPoint>> coast;
    ElementHandler handler(writer, coast, listener);
    LocationIndex index;
    osmium::handler::NodeLocationsForWays<LocationIndex> locations(index);
    locations.ignore_errors();
    osmium::io::Reader reader(file, osmium::osm_entity_bits::node | osmium::osm_entity_bits::way);
    osmium::Box extract = reader.header().box();
    auto areaHandler = areas.handler(
        [&handler](osmium::memory::Buffer&& buffer) { osmium::apply(buffer, handler); });
    while (osmium::memory::Buffer buffer = reader.read()) {
        osmium::apply(buffer, locations, handler, areaHandler);
        progress("nodes and ways", ShareRead(reader));
    }
    reader.close();
    uint32_t broken = CountingAssembler::failures;
    // Relations with members missing from the extract never assemble.
    areas.for_each_incomplete_relation([&](const osmium::relations::RelationHandle&) { ++broken; });
    for (uint32_t i = 0; i < broken; ++i)
        writer.Topo().AddBrokenArea();

    RoadBox bounds = writer.Summary().bounds;
    if (extract.valid())
        bounds = {Microdegrees(extract.bottom_left().y()), Microdegrees(extract.bottom_left().x()),
                  Microdegrees(extract.top_right().y()), Microdegrees(extract.top_right().x())};
    CoastlineSea sea(bounds);
    for (const auto& way : coast)
        sea.AddWay(way);
    std::vector<std::vector<RoadPoint>> rings;
    if (sea.Build(rings) == CoastlineSea::Outcome::Sea)
        writer.Topo().AddSea(rings);
    else if (!coast.empty())
        std::fputs("map-import: the coastline cannot be closed within the extract; no sea is "
                   "filled\n",
                   stderr);
}

} // namespace hw
