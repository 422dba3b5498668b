#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vantorix {

// The program's own picture: a serial plug whose line ends in a key cap.
QPixmap vantorixPicture(QSize size);
QIcon vantorixIcon();

}  // namespace vantorix
