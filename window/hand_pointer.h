#pragma once

#include <QCursor>
#include <QPoint>

namespace calendario {

// The hand pointer: a white hand outlined in black and shaded in grey, index finger up,
// thumb to the left, a dark blue cuff at the wrist; 32 by 32 pixels in colours of the
// standard 16-colour palette, everything around it transparent.
inline constexpr int kHandPointerSize = 32;
// The tip of the index finger: a click lands where the finger points.
inline constexpr QPoint kHandPointerHotSpot{12, 1};

QCursor handPointer();

}  // namespace calendario
