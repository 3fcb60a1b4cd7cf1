#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace calendario {

// The smallest text the window draws: 8 pixels, 6 points at 96 dpi.
inline constexpr int kSmallestTextPixels = 8;

// A font for a text, and how the text is broken into lines: not at all (0), between
// words (Qt::TextWordWrap), or also inside a word too long for a line of its own
// (Qt::TextWrapAnywhere).
struct FittedText {
    QFont font;
    int breaks = 0;
};

// How a text fits a room with every letter shown, trying in turn: its own font on one
// line; a smaller size on one line, down to kSmallestTextPixels; lines broken between
// words; lines broken anywhere. Each in the largest size that fits; failing all, the
// smallest size broken anywhere.
FittedText fitText(const QString& text, const QFont& font, QSize room);

}  // namespace calendario
