#include "frontend/qt/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace vantorix {

void QtMessageBoxes::exclamation(const std::string& text, const std::string& title) {
    QMessageBox::warning(QApplication::activeWindow(), QString::fromLocal8Bit(title),
                         QString::fromLocal8Bit(text), QMessageBox::Ok);
}

}  // namespace vantorix
