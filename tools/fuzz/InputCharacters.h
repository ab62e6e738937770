#pragma once

#include "FuzzCheck.h"
#include "base/Utf8.h"
#include "base/Utf8TextCheck.h"
#include "waypoints/WaypointDatabase.h"

#include <set>
#include <string>
#include <string_view>

namespace hw::fuzz {

// The characters of an input that is UTF-8 text: a reader that takes such a
// file as UTF-8 brings in none but these (no character references, no other
// other declared encoding). Decoding it as the code page would make others.
class InputCharacters {
public:
    explicit InputCharacters(std::string_view input)
    {
        applies_ = IsUtf8Text(input) && input.find('&') == std::string_view::npos &&
                   Count(input, "encoding") == Count(input, "encoding=\"UTF-8\"");
        if (applies_)
            for (char32_t c : DecodeUtf8(input))
                characters_.insert(c);
    }

    void CheckName(const std::string& text) const
    {
        if (!applies_)
            return;
        for (char32_t c : DecodeUtf8(text))
            FuzzCheck(c < 0x80 || characters_.count(c) > 0,
                      "a UTF-8 file is read as UTF-8: no character it does not hold");
    }

    void CheckNames(const WaypointDatabase& db) const
    {
        db.ForEach([&](const Waypoint& w) {
            CheckName(w.strName);
            CheckName(w.strComment);
        });
    }

private:
    static std::size_t Count(std::string_view text, std::string_view what)
    {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string_view::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }

    bool applies_ = false;
    std::set<char32_t> characters_;
};

} // namespace hw::fuzz
