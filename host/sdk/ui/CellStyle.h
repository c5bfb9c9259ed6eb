#pragma once

#include <QColor>

// How one grid cell is drawn; an invalid colour keeps the grid's own.
struct CellStyle {
    QColor font;
    QColor background;
};

// A colour given as the host's windows have always given it: red in the low byte,
// blue in the high one (0x0000FF is red, 0xFF0000 blue).
inline QColor WindowsColor(unsigned int bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}
