#include "core/GpsRecord.h"

#include <algorithm>

namespace fixscope {

bool GpsRecord::IsUsed(int prn) const
{
    return prn > 0 && std::find(usedPrns.begin(), usedPrns.end(), prn) != usedPrns.end();
}

} // namespace fixscope
