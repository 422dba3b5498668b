#include "frontend/qt/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include <ostream>

namespace vantorix {

QtMessageBoxes::QtMessageBoxes(std::ostream& unattended) : unattended_(unattended) {}

void QtMessageBoxes::exclamation(const std::string& text, const std::string& title) {
    exclamationWithDetail(text, title, {});
}

void QtMessageBoxes::exclamationWithDetail(const std::string& text, const std::string& title,
                                           const std::string& detail) {
    if (ending_) {
        unattended_ << title << ": " << text << '\n';
        if (!detail.empty()) {
            unattended_ << detail << '\n';
        }
        unattended_ << std::flush;
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromLocal8Bit(title),
                    QString::fromLocal8Bit(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setInformativeText(QString::fromLocal8Bit(detail));
    open_.emplace_back(&box);
    box.exec();
    open_.pop_back();
}

void QtMessageBoxes::closeForExit() {
    ending_ = true;
    for (const QPointer<QMessageBox>& box : open_) {
        if (box) {
            box->done(QMessageBox::Ok);
        }
    }
}

}  // namespace vantorix
