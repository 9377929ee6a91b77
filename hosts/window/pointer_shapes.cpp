// Cursor codes to Qt's pointer shapes.
#include "pointer_shapes.h"

#include <array>

namespace zunk {

Qt::CursorShape PointerShape(int cursor_code) {
  static constexpr std::array<Qt::CursorShape, 12> kShapes = {
      Qt::ArrowCursor,         // 0 arrow
      Qt::DragMoveCursor,      // 1 drag
      Qt::PointingHandCursor,  // 2 pointing hand
      Qt::SplitHCursor,        // 3 horizontal split
      Qt::DragCopyCursor,      // 4 multi-drag
      Qt::ForbiddenCursor,     // 5 "no"
      Qt::SplitVCursor,        // 6 vertical split
      Qt::BusyCursor,          // 7 arrow with hourglass
      Qt::BlankCursor,         // 8 none
      Qt::ForbiddenCursor,     // 9 no-drop
      Qt::WaitCursor,          // 10 hourglass
      Qt::CrossCursor,         // 11 cross
  };
  if (cursor_code < 0 || cursor_code >= static_cast<int>(kShapes.size())) return Qt::ArrowCursor;
  return kShapes[static_cast<std::size_t>(cursor_code)];
}

}  // namespace zunk
