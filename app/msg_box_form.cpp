#include "app/msg_box_form.h"

#include "toolkit/ui/ui.h"

namespace {

constexpr Rgb kFormColor{250, 247, 231};
constexpr Rgb kLabelColor{192, 192, 192};
constexpr int kButtonsFromBottom = 600;
constexpr int kSpaceBelowLabel = 630;

struct ButtonPlace {
    const char* name;
    const char* caption;
    TwipsRect bounds;
    void (frmMsgBox::*handler)();
};

const ButtonPlace kButtons[] = {
    {"cmdYes", "Yes", {240, 2520, 1000, 315}, &frmMsgBox::cmdYes_Click},
    {"cmdNo", "No", {1440, 2520, 1000, 315}, &frmMsgBox::cmdNo_Click},
    {"cmdOK", "OK", {2640, 2520, 1000, 315}, &frmMsgBox::cmdOK_Click},
    {"cmdCancel", "Cancel", {3840, 2520, 1000, 315}, &frmMsgBox::cmdCancel_Click},
};

}  // namespace

frmMsgBox::frmMsgBox() : window_(ui().createWindow()) {
    Window& form = *window_;
    form.setCaption("Information");
    form.setBackColor(kFormColor);
    lblText_ = &form.addLabel("lblText", "lblText", {120, 120, 4575, 675});
    lblText_->setBackColor(kLabelColor);
    form.addRichTextBox("box", {90, 90, 4845, 1905}).setText("RichTextBox1");
    int index = 0;
    for (const ButtonPlace& place : kButtons) {
        Button& button = form.addButton(place.name, place.caption, place.bounds);
        button.setOnClick([this, handler = place.handler] { (this->*handler)(); });
        commandButtons_[index++] = &button;
    }
    form.setOnResize([this] { Form_Resize(); });
    form.setClientSize(5085, 2955);
}

// A window too small for the label keeps the label's last size; the buttons still follow the
// bottom edge.
void frmMsgBox::Form_Resize() {
    const int height = window_->ScaleHeight();
    const int width = window_->ScaleWidth();
    TwipsRect label = lblText_->Bounds();
    const int labelHeight = height - 2 * label.top - kSpaceBelowLabel;
    const int labelWidth = width - 2 * label.left;
    if (labelHeight >= 0)
        label.height = labelHeight;
    if (labelWidth >= 0)
        label.width = labelWidth;
    lblText_->setBounds(label);
    for (Button* button : commandButtons_) {
        TwipsRect bounds = button->Bounds();
        bounds.top = height - kButtonsFromBottom;
        button->setBounds(bounds);
    }
}
