#include "shell/TabPages.h"

namespace hw {

KeyRoute RouteKey(int shown, NavKey key)
{
    const bool upDown = key == NavKey::Up || key == NavKey::Down;
    const bool takesUpDown = shown == kMapPage || shown == kAnalysisPage || shown == kGpsPage;
    if (upDown && takesUpDown)
        return KeyRoute::PageUpDown;
    if (shown == kTripPage && !takesUpDown)
        return KeyRoute::TripFirst;
    if (key == NavKey::Left || key == NavKey::Right)
        return KeyRoute::SwitchPages;
    return KeyRoute::Ignore;
}

int NextPage(int current, int count, bool forward)
{
    if (count <= 0)
        return 0;
    if (forward)
        return current + 1 >= count ? 0 : current + 1;
    return current <= 0 ? count - 1 : current - 1;
}

} // namespace hw
