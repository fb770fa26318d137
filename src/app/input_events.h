#pragma once

#include <cstdint>

namespace zemvo {

// A key as the grids report it: the Windows virtual-key code, which for the
// letters and digits is their upper-case ASCII code. A handler that consumes
// the key sets it to 0, and the grid then does not act on it.
using KeyCode = std::uint16_t;

inline constexpr KeyCode kKeyInsert = 0x2D;
inline constexpr KeyCode kKeyDelete = 0x2E;

struct ShiftState {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool operator==(const ShiftState&) const = default;
};

enum class MouseButton { Left, Right, Middle };

}  // namespace zemvo
