#include "frontend/qt/left_out_message.h"

#include <QApplication>
#include <QMessageBox>

namespace vantorix {

void tellLeftOut(const std::string& message, std::ostream& errors) {
    errors << message << std::endl;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return;  // headless: standard error is all there is
    }
    // Shown by the event loop, so that the keys go on while the box is open.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [message] {
            auto* box =
                new QMessageBox(QMessageBox::Warning, QString::fromLatin1(kLeftOutWindowTitle),
                                QString::fromStdString(message), QMessageBox::Ok);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setModal(false);
            box->show();
        },
        Qt::QueuedConnection);
}

}  // namespace vantorix
