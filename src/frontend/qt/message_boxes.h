#pragma once

#include <QPointer>

#include <iosfwd>
#include <string>
#include <vector>

#include "forms/message_boxes.h"

class QMessageBox;

namespace vantorix {

// Message boxes over the window in use (the active window), or free-standing
// when the program has none.
class QtMessageBoxes final : public MessageBoxes {
  public:
    // `unattended` receives the messages once the program is ending.
    explicit QtMessageBoxes(std::ostream& unattended);

    void exclamation(const std::string& text, const std::string& title) override;
    void exclamationWithDetail(const std::string& text, const std::string& title,
                               const std::string& detail) override;

    // The program is asked to end from outside (a signal): nobody may be
    // there to answer a box. Open boxes close as if OK was pressed, and
    // every later message goes to the stream given at construction.
    void closeForExit();

  private:
    std::ostream& unattended_;
    // A box may open while another is open (a port lost meanwhile).
    std::vector<QPointer<QMessageBox>> open_;
    bool ending_ = false;
};

}  // namespace vantorix
