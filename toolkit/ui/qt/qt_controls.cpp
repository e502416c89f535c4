#include "toolkit/ui/qt/qt_controls.h"

#include <QMouseEvent>
#include <QPalette>

#include "toolkit/ui/redraw_pacer.h"

namespace {

// Mouse buttons and Shift, Ctrl and Alt as the mouse-down event reports them.
int buttonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kLeftButton;
        case Qt::RightButton:
            return kRightButton;
        case Qt::MiddleButton:
            return kMiddleButton;
        default:
            return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

void PressReportingButton::mousePressEvent(QMouseEvent* event) {
    if (onPress)
        onPress(*event);
    QPushButton::mousePressEvent(event);
}

QtButton::QtButton(PressReportingButton& button) : QtControl(button) {
    QObject::connect(&button, &QPushButton::clicked, [this] { raiseClick(); });
    button.onPress = [this](QMouseEvent& event) {
        const QPointF at = event.position() * kTwipsPerPixel;
        raiseMouseDown(buttonCode(event.button()), shiftCode(event.modifiers()),
                       static_cast<float>(at.x()), static_cast<float>(at.y()));
    };
}

void QtButton::setCaption(const std::string& caption) {
    widget().setText(QString::fromStdString(caption));
    RedrawPacer::markWindowChanged();
}

QtLabel::QtLabel(QLabel& label) : QtControl(label) {
    label.setTextFormat(Qt::PlainText);
    label.setWordWrap(true);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void QtLabel::setCaption(const std::string& caption) {
    widget().setText(QString::fromStdString(caption));
    RedrawPacer::markWindowChanged();
}

void QtLabel::setBackColor(Rgb color) {
    setBackgroundColor(widget(), color);
}

void QtListBox::AddItem(const std::string& text) {
    widget().addItem(QString::fromStdString(text));
}

std::string QtListBox::List(int index) const {
    const QListWidgetItem* item = widget().item(index);
    return item ? item->text().toStdString() : std::string();
}

QtRichTextBox::QtRichTextBox(QTextEdit& edit) : QtControl(edit) {
    // The box informs; nothing reads what a user might type into it.
    edit.setReadOnly(true);
}

std::string QtRichTextBox::Text() const {
    return widget().toPlainText().replace('\n', QStringLiteral("\r\n")).toStdString();
}

void QtRichTextBox::setText(const std::string& text) {
    widget().setPlainText(QString::fromStdString(text).replace(QStringLiteral("\r\n"), "\n"));
    RedrawPacer::markWindowChanged();
}

void setBackgroundColor(QWidget& widget, Rgb color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(color.red, color.green, color.blue));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    RedrawPacer::markWindowChanged();
}
