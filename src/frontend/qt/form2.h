#pragma once

#include <string>

#include <QColor>
#include <QDialog>

#include "forms/help.h"

class QLabel;
class QPushButton;

namespace vantorix {

// The link's colours: blue at first and off the link, red under the mouse.
inline const QColor kLinkBlue(0, 0, 255);
inline const QColor kLinkRed(255, 0, 0);

// The About window: name, version and a link that opens in the user's
// browser. Made once, then only shown and hidden, so the link keeps its
// colour between showings.
class Form2 final : public QDialog {
  public:
    // The link shows its text and opens `linkAddress`.
    Form2(UrlOpener& browser, std::string linkAddress);

    void Command1_Click() { hide(); }
    void LinkLabel1_Click();
    // `address` opened with the desktop; the result is the opener's.
    bool open_link(const std::string& address);

    QLabel* Label6 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* LinkLabel1 = nullptr;
    QPushButton* Command1 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setLinkColour(const QColor& colour);

    UrlOpener& browser_;
    std::string linkAddress_;
};

}  // namespace vantorix
