#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"

// The top-level widget of a window; it reports resizing and the user's close box.
class FormWidget : public QWidget {
public:
    std::function<void()> onResize;
    std::function<void()> onUserClose;
    bool closingByProgram = false;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

class QtWindow : public Window {
public:
    QtWindow();
    ~QtWindow() override;

    std::string Caption() const override;
    void setCaption(const std::string& caption) override;
    int ScaleWidth() const override;
    int ScaleHeight() const override;
    void setClientSize(int widthTwips, int heightTwips) override;
    void setBackColor(Rgb color) override;

    Button& addButton(const std::string& name, const std::string& caption,
                      const TwipsRect& bounds) override;
    Label& addLabel(const std::string& name, const std::string& caption,
                    const TwipsRect& bounds) override;
    ListBox& addListBox(const std::string& name, const TwipsRect& bounds) override;
    ListView& addListView(const std::string& name, const TwipsRect& bounds) override;
    RichTextBox& addRichTextBox(const std::string& name, const TwipsRect& bounds) override;
    PictureBox& addPictureBox(const std::string& name, const TwipsRect& bounds) override;

    void show() override;
    void close() override;

    // The window's widget, for tests that click and render it.
    FormWidget& widget() { return *widget_; }

private:
    template <typename T>
    T& adopt(const std::string& name, std::unique_ptr<T> control, const TwipsRect& bounds);
    // The client area in twips; the size last set while its pixels still match it.
    TwipsRect clientTwips() const;

    // Declared before the widget so that the widget tree goes first and no event reaches a
    // control that is already gone.
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<FormWidget> widget_;
    bool everShown_ = false;
    TwipsRect clientGiven_;
};
