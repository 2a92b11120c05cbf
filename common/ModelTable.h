#pragma once
// The PLC models this tool knows, each with the firmware image it takes. Shared by the wizard
// and the command line; every translation unit holds the same constant table.
#include <array>
#include <string_view>

namespace qx4t {

struct ModelRow {
    std::wstring_view code;    // as the PLC reports it in its status
    std::wstring_view series;  // as the user knows it
    int ethernet;              // 1: the model has Ethernet and takes image 8107
};

inline constexpr std::array<ModelRow, 2> kModelTable{{
    {L"B0", L"TR6W/TR6Z", 0},
    {L"B1", L"TR6AW/TR6AZ", 1},
}};

// Resource ids of the two firmware images in the wizard library.
inline constexpr unsigned short kImageIdPlain = 8104;
inline constexpr unsigned short kImageIdEthernet = 8107;
// Every image of this tool has exactly this size.
inline constexpr unsigned long kFirmwareImageSize = 2105408;

}  // namespace qx4t
