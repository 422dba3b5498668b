#include "frontend/qt/form2.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "frontend/qt/controls.h"
#include "frontend/qt/twips.h"
#include "frontend/qt/vantorix_picture.h"

namespace vantorix {
namespace {

constexpr int kMarginTwips = 240;
constexpr int kMinimumWidthTwips = 6600;
constexpr int kHeightTwips = 3120;

}  // namespace

Form2::Form2(UrlOpener& browser, QUrl link, QWidget* parent) : QDialog(parent), browser_(browser) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About VANTORIX"));
    setWindowIcon(vantorixIcon());
    setFont(arial(15.75, true));
    // Closing it while the other windows are hidden in the notification area must not end
    // the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
    LinkLabel1->setText(link.toString());
    placeInTwipsAtLeastHint(*LinkLabel1, kMarginTwips, 1680, kMinimumWidthTwips - 2 * kMarginTwips,
                            375);

    const qreal dpi = logicalDpiX();
    const int margin = twipsToPixels(kMarginTwips, dpi);
    const int width =
        std::max(twipsToPixels(kMinimumWidthTwips, dpi), LinkLabel1->width() + 2 * margin);
    setFixedSize(width, twipsToPixels(kHeightTwips, dpi));
    Label6->setGeometry(rect());
    Command1->move((width - Command1->width()) / 2, Command1->y());
}

void Form2::createControls() {
    // Behind everything and over the whole window: the mouse on it is off the link.
    Label6 = makeControl<QLabel>(this, "Label6", font());
    Label6->setMouseTracking(true);
    Label6->installEventFilter(this);

    Image1 = makeControl<QLabel>(this, "Image1", font());
    placeInTwips(*Image1, kMarginTwips, kMarginTwips, 1680, 1200);
    Image1->setPixmap(vantorixPicture(Image1->size()));

    Label1 = makeControl<QLabel>(this, "Label1", font());
    Label1->setText(QStringLiteral("VANTORIX"));
    placeInTwipsAtLeastHint(*Label1, 2160, 300, 3000, 480);

    Label2 = makeControl<QLabel>(this, "Label2", arial(12, true));
    Label2->setText(QStringLiteral("Version: " VANTORIX_VERSION));
    placeInTwipsAtLeastHint(*Label2, 2160, 900, 3000, 375);

    // The mouse passes through the picture and the texts to the background.
    for (QLabel* passive : {Image1, Label1, Label2}) {
        passive->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    QFont linkFont = arial(12);
    linkFont.setUnderline(true);
    LinkLabel1 = makeControl<QLabel>(this, "LinkLabel1", linkFont);
    LinkLabel1->setCursor(Qt::PointingHandCursor);
    LinkLabel1->setMouseTracking(true);
    LinkLabel1->installEventFilter(this);
    setLinkColour(kLinkBlue);

    Command1 = makeControl<QPushButton>(this, "Command1", arial(9.75));
    Command1->setText(QStringLiteral("OK"));
    placeInTwips(*Command1, 0, 2280, 1215, 495);
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
        } else if (type == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            return true;
        } else if (type == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
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
    open_link(LinkLabel1->text());
}

bool Form2::open_link(const QString& address) {
    return browser_.openUrl(QUrl(address));
}

}  // namespace vantorix
