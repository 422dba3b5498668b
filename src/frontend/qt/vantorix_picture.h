#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vantorix {

// The program's own picture, for banners: a serial plug whose line ends in a
// key cap.
QPixmap vantorixPicture(QSize size);

// The program's icon, square and made for small sizes: the key cap fills the
// square with the plug over its corner. For the windows and the notification
// area.
QPixmap vantorixIconPicture(int side);
QIcon vantorixIcon();

}  // namespace vantorix
