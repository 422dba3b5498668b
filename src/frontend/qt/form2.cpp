#include "frontend/qt/form2.h"

#include <utility>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "forms/layout/form2_layout.h"
#include "frontend/qt/layout_renderer.h"
#include "frontend/qt/vantorix_picture.h"
#include "frontend/qt/windows1252_text.h"

namespace vantorix {
namespace {

bool isLeftButton(QEvent* event) {
    return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

Form2::Form2(UrlOpener& browser, std::string linkAddress)
    : browser_(browser), linkAddress_(std::move(linkAddress)) {
    setObjectName(fromWindows1252(kForm2Layout.name));
    setWindowTitle(fromWindows1252(kForm2Layout.caption));
    setWindowIcon(vantorixIcon());
    // Closing it while the other windows are hidden in the notification area must not end
    // the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    renderClientArea(*this, kForm2Layout);
    Label6 = controlOf<QLabel>(*this, "Label6");
    Image1 = controlOf<QLabel>(*this, "Image1");
    Label1 = controlOf<QLabel>(*this, "Label1");
    Label2 = controlOf<QLabel>(*this, "Label2");
    LinkLabel1 = controlOf<QLabel>(*this, "LinkLabel1");
    Command1 = controlOf<QPushButton>(*this, "Command1");

    // The mouse on the background is off the link; it passes through the
    // picture and the texts to the background.
    Label6->setMouseTracking(true);
    Label6->installEventFilter(this);
    for (QLabel* passive : {Image1, Label1, Label2}) {
        passive->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    LinkLabel1->installEventFilter(this);
    setLinkColour(kLinkBlue);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void Form2::setLinkColour(const QColor& colour) {
    QPalette palette = LinkLabel1->palette();
    palette.setColor(QPalette::WindowText, colour);
    LinkLabel1->setPalette(palette);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouseOver = type == QEvent::Enter || type == QEvent::MouseMove;
    if (watched == LinkLabel1) {
        if (mouseOver) {
            setLinkColour(kLinkRed);
        } else if (type == QEvent::MouseButtonPress && isLeftButton(event)) {
            return true;
        } else if (type == QEvent::MouseButtonRelease && isLeftButton(event) &&
                   LinkLabel1->rect().contains(
                       static_cast<QMouseEvent*>(event)->position().toPoint())) {
            LinkLabel1_Click();
            return true;
        }
    } else if (watched == Label6 && mouseOver) {
        setLinkColour(kLinkBlue);
    }
    return QDialog::eventFilter(watched, event);
}

void Form2::LinkLabel1_Click() {
    open_link(linkAddress_);
}

bool Form2::open_link(const std::string& address) {
    return browser_.openUrl(address);
}

}  // namespace vantorix
