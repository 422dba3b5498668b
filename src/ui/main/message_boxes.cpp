#include "ui/main/message_boxes.h"

#include <QMessageBox>

namespace vantorix {

void QtMessageBoxes::exclamation(QWidget* parent, const std::string& text,
                                 const std::string& title) {
    QMessageBox::warning(parent, QString::fromLocal8Bit(title), QString::fromLocal8Bit(text),
                         QMessageBox::Ok);
}

}  // namespace vantorix
