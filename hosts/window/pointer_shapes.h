// The system's standard pointer shapes for the link cursor codes (0 arrow .. 11 cross).
#pragma once

#include <Qt>

namespace zunk {

// The shape of a cursor code; any code outside 0..11 is the arrow.
Qt::CursorShape PointerShape(int cursor_code);

}  // namespace zunk
