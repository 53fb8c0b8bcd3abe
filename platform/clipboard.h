// The clipboard: a window's picture, with a text beside it when there is one.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QWidget;

namespace talvair::platform {

// What the window shows, its frame and caption bar included when it has them, at its size.
QImage WindowImage(QWidget& window);

// Replaces what the clipboard holds by the picture and, when given, the text, in one
// transfer so that a program pasting either finds both.
void PutOnClipboard(const QImage& picture, const std::optional<QString>& text = std::nullopt);

}  // namespace talvair::platform
