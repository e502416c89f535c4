#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <functional>
#include <string>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/qt/qt_control.h"

// A push button that reports every mouse button pressed over it, not only the left one.
class PressReportingButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    std::function<void(QMouseEvent&)> onPress;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class QtButton : public QtControl<Button, PressReportingButton> {
public:
    explicit QtButton(PressReportingButton& button);
    std::string Caption() const override { return widget().text().toStdString(); }
    void setCaption(const std::string& caption) override;
};

class QtLabel : public QtControl<Label, QLabel> {
public:
    explicit QtLabel(QLabel& label);
    std::string Caption() const override { return widget().text().toStdString(); }
    void setCaption(const std::string& caption) override;
    void setBackColor(Rgb color) override;
};

class QtListBox : public QtControl<ListBox, QListWidget> {
public:
    using QtControl::QtControl;
    void Clear() override { widget().clear(); }
    void AddItem(const std::string& text) override;
    int ListCount() const override { return widget().count(); }
    std::string List(int index) const override;
};

// Shows plain text; its lines end with "\r\n" to the program and with "\n" inside Qt.
class QtRichTextBox : public QtControl<RichTextBox, QTextEdit> {
public:
    explicit QtRichTextBox(QTextEdit& edit);
    std::string Text() const override;
    void setText(const std::string& text) override;
};

// Fills a widget's background with `color`.
void setBackgroundColor(QWidget& widget, Rgb color);
