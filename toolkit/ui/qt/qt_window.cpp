#include "toolkit/ui/qt/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <utility>

#include "toolkit/ui/qt/qt_controls.h"
#include "toolkit/ui/qt/qt_list_view.h"
#include "toolkit/ui/qt/qt_picture.h"
#include "toolkit/ui/redraw_pacer.h"

namespace {

constexpr double kFontPoints = 8;

// A new widget inside `parent`, which owns it and deletes it with itself.
template <typename T>
T& makeChild(QWidget& parent) {
    return *new T(&parent);
}

}  // namespace

void FormWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize)
        onResize();
}

void FormWidget::closeEvent(QCloseEvent* event) {
    if (!closingByProgram && onUserClose)
        onUserClose();
    event->accept();
}

// The layouts are made for text of 8 points, the desktop tool's classic size; the desktop's
// own font family keeps the window looking native.
QtWindow::QtWindow() : widget_(std::make_unique<FormWidget>()) {
    QFont font = widget_->font();
    font.setPointSizeF(kFontPoints);
    widget_->setFont(font);
    widget_->onResize = [this] { raiseResize(); };
    widget_->onUserClose = [this] { raiseClose(); };
}

QtWindow::~QtWindow() = default;

std::string QtWindow::Caption() const {
    return widget_->windowTitle().toStdString();
}

void QtWindow::setCaption(const std::string& caption) {
    widget_->setWindowTitle(QString::fromStdString(caption));
    RedrawPacer::markWindowChanged();
}

int QtWindow::ScaleWidth() const {
    return clientTwips().width;
}

int QtWindow::ScaleHeight() const {
    return clientTwips().height;
}

TwipsRect QtWindow::clientTwips() const {
    return TwipsScale().toTwips({0, 0, widget_->width(), widget_->height()}, clientGiven_);
}

void QtWindow::setClientSize(int widthTwips, int heightTwips) {
    clientGiven_ = {0, 0, widthTwips, heightTwips};
    const TwipsScale scale;
    widget_->resize(scale.toPixels(widthTwips), scale.toPixels(heightTwips));
    RedrawPacer::markWindowChanged();
}

void QtWindow::setBackColor(Rgb color) {
    setBackgroundColor(*widget_, color);
}

template <typename T>
T& QtWindow::adopt(const std::string& name, std::unique_ptr<T> control, const TwipsRect& bounds) {
    T& adopted = *control;
    adopted.setBounds(bounds);
    adopted.widget().setObjectName(QString::fromStdString(name));
    controls_.push_back(std::move(control));
    remember(name, adopted);
    return adopted;
}

Button& QtWindow::addButton(const std::string& name, const std::string& caption,
                            const TwipsRect& bounds) {
    auto& button = makeChild<PressReportingButton>(*widget_);
    QtButton& control = adopt(name, std::make_unique<QtButton>(button), bounds);
    control.setCaption(caption);
    return control;
}

// Labels lie beneath every other control, as they are drawn on the window itself.
Label& QtWindow::addLabel(const std::string& name, const std::string& caption,
                          const TwipsRect& bounds) {
    auto& label = makeChild<QLabel>(*widget_);
    label.lower();
    QtLabel& control = adopt(name, std::make_unique<QtLabel>(label), bounds);
    control.setCaption(caption);
    return control;
}

ListBox& QtWindow::addListBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<QtListBox>(makeChild<QListWidget>(*widget_)), bounds);
}

ListView& QtWindow::addListView(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<QtListView>(makeChild<QTreeWidget>(*widget_)), bounds);
}

RichTextBox& QtWindow::addRichTextBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<QtRichTextBox>(makeChild<QTextEdit>(*widget_)), bounds);
}

PictureBox& QtWindow::addPictureBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<QtPictureBox>(makeChild<PictureFrame>(*widget_)), bounds);
}

// A window that opens while another one of the program is active opens centred over it; the
// first one goes where the window system puts it.
void QtWindow::show() {
    if (!everShown_) {
        everShown_ = true;
        if (const QWidget* owner = QApplication::activeWindow()) {
            QRect frame = widget_->frameGeometry();
            frame.moveCenter(owner->frameGeometry().center());
            widget_->move(frame.topLeft());
        }
    }
    widget_->closingByProgram = false;
    widget_->show();
}

void QtWindow::close() {
    widget_->closingByProgram = true;
    widget_->close();
}
