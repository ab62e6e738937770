#include "instruments/PanelField.h"

#include "base/StringTable.h"

#include <array>

namespace hw {
namespace {

constexpr std::array<int, kPanelFieldCount> kNameIds = {
    914, 915, 909, 905, 900, 903, 904, 907, 906, 924, 927, 926, 920, 933, 928, 930, 919, 929,
    911, 912, 913, 901, 922, 923, 931, 932, 917, 916, 918, 902, 925, 940, 941, 942, 943, 944,
};

} // namespace

int PanelFieldNameId(int field)
{
    if (field < 0 || field >= kPanelFieldCount)
        return 0;
    return kNameIds[static_cast<size_t>(field)];
}

const std::vector<std::string>& PanelFieldNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (int id : kNameIds)
            list.emplace_back(LoadString(id));
        return list;
    }();
    return names;
}

} // namespace hw
