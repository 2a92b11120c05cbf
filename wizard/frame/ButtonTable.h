#pragma once
// Which frame buttons each page shows and enables. Searched by page id in table order.
#include <array>

namespace qx4t::frame {

struct ButtonRow {
    int page;
    int backShow, backEnable;
    int nextShow, nextEnable;
    int cancelShow, cancelEnable;
    int topShow, topEnable;
    int okShow, okEnable;
};

// Show commands: 5 shows, 0 hides.
inline constexpr std::array<ButtonRow, 6> kButtonTable{{
    {8507, 0, 0, 5, 0, 5, 1, 0, 0, 0, 0},
    {8501, 0, 0, 5, 0, 5, 1, 0, 0, 0, 0},
    {8502, 5, 1, 5, 1, 5, 1, 0, 0, 0, 0},
    {8503, 0, 0, 5, 0, 5, 1, 0, 0, 0, 0},
    {8504, 0, 0, 5, 1, 5, 1, 0, 0, 0, 0},
    {8505, 0, 0, 0, 0, 0, 0, 5, 1, 5, 1},
}};

// The row of a page, or null for an id that is not a page.
[[nodiscard]] constexpr const ButtonRow* findButtonRow(int page) {
    for (const ButtonRow& row : kButtonTable) {
        if (row.page == page) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace qx4t::frame
