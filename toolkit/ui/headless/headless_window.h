#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/headless/headless_controls.h"

// An in-memory top-level window. It owns its controls and registers each under its name, so
// tests reach them with findAs<HeadlessButton>("cmdGather") and act on them as a user would.
class HeadlessWindow : public Window {
public:
    std::string Caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    int ScaleWidth() const override { return width_; }
    int ScaleHeight() const override { return height_; }
    // Raises the resize event when the size changes, as a real window reports its new size.
    void setClientSize(int widthTwips, int heightTwips) override;
    void setBackColor(Rgb color) override { backColor_ = color; }
    Rgb BackColor() const { return backColor_; }

    Button& addButton(const std::string& name, const std::string& caption,
                      const TwipsRect& bounds) override;
    Label& addLabel(const std::string& name, const std::string& caption,
                    const TwipsRect& bounds) override;
    ListBox& addListBox(const std::string& name, const TwipsRect& bounds) override;
    ListView& addListView(const std::string& name, const TwipsRect& bounds) override;
    RichTextBox& addRichTextBox(const std::string& name, const TwipsRect& bounds) override;
    PictureBox& addPictureBox(const std::string& name, const TwipsRect& bounds) override;

    // The first show raises the resize event, as a window reports its size when it appears.
    void show() override;
    void close() override;
    bool isShown() const { return shown_; }
    bool isClosed() const { return closed_; }

    // The user drags the window's frame to a new client size.
    void resize(int widthTwips, int heightTwips) { setClientSize(widthTwips, heightTwips); }
    // The user presses the close box: the close event runs, then the window closes.
    void userClose();

private:
    template <typename T>
    T& adopt(const std::string& name, std::unique_ptr<T> control, const TwipsRect& bounds);

    std::string caption_;
    int width_ = 0;
    int height_ = 0;
    Rgb backColor_{240, 240, 240};  // a new window's colour on Windows, the button face
    bool shown_ = false;
    bool everShown_ = false;
    bool closed_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
};
