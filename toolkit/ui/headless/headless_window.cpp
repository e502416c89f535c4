#include "toolkit/ui/headless/headless_window.h"

#include <utility>

#include "toolkit/ui/headless/headless_picture.h"

template <typename T>
T& HeadlessWindow::adopt(const std::string& name, std::unique_ptr<T> control,
                         const TwipsRect& bounds) {
    T& adopted = *control;
    adopted.setBounds(bounds);
    controls_.push_back(std::move(control));
    remember(name, adopted);
    return adopted;
}

void HeadlessWindow::setClientSize(int widthTwips, int heightTwips) {
    if (widthTwips == width_ && heightTwips == height_)
        return;
    width_ = widthTwips;
    height_ = heightTwips;
    raiseResize();
}

Button& HeadlessWindow::addButton(const std::string& name, const std::string& caption,
                                  const TwipsRect& bounds) {
    Button& button = adopt(name, std::make_unique<HeadlessButton>(), bounds);
    button.setCaption(caption);
    return button;
}

Label& HeadlessWindow::addLabel(const std::string& name, const std::string& caption,
                                const TwipsRect& bounds) {
    Label& label = adopt(name, std::make_unique<HeadlessLabel>(), bounds);
    label.setCaption(caption);
    return label;
}

ListBox& HeadlessWindow::addListBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<HeadlessListBox>(), bounds);
}

ListView& HeadlessWindow::addListView(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<HeadlessListView>(), bounds);
}

RichTextBox& HeadlessWindow::addRichTextBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<HeadlessRichTextBox>(), bounds);
}

PictureBox& HeadlessWindow::addPictureBox(const std::string& name, const TwipsRect& bounds) {
    return adopt(name, std::make_unique<HeadlessPictureBox>(), bounds);
}

void HeadlessWindow::show() {
    shown_ = true;
    closed_ = false;
    if (everShown_)
        return;
    everShown_ = true;
    raiseResize();
}

void HeadlessWindow::close() {
    shown_ = false;
    closed_ = true;
}

void HeadlessWindow::userClose() {
    raiseClose();
    close();
}
