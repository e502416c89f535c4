#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The window controls the logic talks to. Backends (headless, Qt, Win32) draw them and forward
// the user's events; they hold no decision of their own. Positions are in twips (15 twips per
// pixel at 96 DPI); backends scale them to the screen.

// Twips in one pixel of a 96 DPI screen, the unit in which picture boxes paint.
constexpr int kTwipsPerPixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Rgb {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};

// Mouse pointer values.
constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;

// Mouse buttons as the MouseDown event reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

class Control {
public:
    virtual ~Control() = default;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual TwipsRect Bounds() const = 0;
    virtual void setBounds(const TwipsRect& bounds) = 0;
};

class ListBox : public Control {
public:
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ListCount() const = 0;
    // index from 0 to ListCount() - 1; the empty text outside.
    virtual std::string List(int index) const = 0;
};

class SubItemCollection {
public:
    virtual ~SubItemCollection() = default;
    virtual void Add(const std::string& text) = 0;
    virtual int Count() const = 0;
    // index from 1 to Count().
    virtual std::string Text(int index) const = 0;
};

class ListItem {
public:
    virtual ~ListItem() = default;
    virtual std::string Text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual bool Checked() const = 0;
    // A change made by the program; it raises no item-check event.
    virtual void setChecked(bool checked) = 0;
    virtual SubItemCollection& ListSubItems() = 0;
};

// The collections below number their entries from 1 to Count(). Throws std::out_of_range with
// the platform's text, "Index out of bounds", for an index outside.
void requireIndexInRange(int index, int count);

class ListItemCollection {
public:
    virtual ~ListItemCollection() = default;
    virtual void Clear() = 0;
    // Appends an item and returns it.
    virtual ListItem& Add(const std::string& text) = 0;
    virtual int Count() const = 0;
    // index from 1 to Count().
    virtual ListItem& Item(int index) = 0;
};

class ColumnHeaderCollection {
public:
    virtual ~ColumnHeaderCollection() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string& text) = 0;
    virtual int Count() const = 0;
    // index from 1 to Count().
    virtual std::string Text(int index) const = 0;
};

// A report-style list view with checkboxes.
class ListView : public Control {
public:
    virtual ListItemCollection& ListItems() = 0;
    virtual ColumnHeaderCollection& ColumnHeaders() = 0;
    // Raised only when the user ticks or clears an item, after its Checked holds the new state.
    void setOnItemCheck(std::function<void(ListItem&)> handler) {
        onItemCheck_ = std::move(handler);
    }

protected:
    void raiseItemCheck(ListItem& item) {
        if (onItemCheck_)
            onItemCheck_(item);
    }

private:
    std::function<void(ListItem&)> onItemCheck_;
};

class RichTextBox : public Control {
public:
    // One string with "\r\n" line breaks.
    virtual std::string Text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

class Label : public Control {
public:
    virtual std::string Caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setBackColor(Rgb color) = 0;
};

class Button : public Control {
public:
    virtual std::string Caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // A click with the left button, or the keyboard while the button has the focus.
    void setOnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    // A mouse button went down over the button: button (1 left, 2 right, 4 middle), shift, x, y.
    void setOnMouseDown(std::function<void(int, int, float, float)> handler) {
        onMouseDown_ = std::move(handler);
    }

protected:
    void raiseClick() {
        if (onClick_)
            onClick_();
    }
    void raiseMouseDown(int button, int shift, float x, float y) {
        if (onMouseDown_)
            onMouseDown_(button, shift, x, y);
    }

private:
    std::function<void()> onClick_;
    std::function<void(int, int, float, float)> onMouseDown_;
};

// A picture loaded from a file. Its size is in hundredths of a millimetre, as picture objects
// report it; one pixel is kHimetricPerPixel of them.
constexpr float kHimetricPerPixel = 2540.0f / 96.0f;

class Picture {
public:
    virtual ~Picture() = default;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
};

// Values of PictureBox::setAppearance.
constexpr int kAppearanceFlat = 0;
constexpr int kAppearance3D = 1;

// A control that shows a picture. It keeps what is painted into it until its picture is set
// again, never changes its own size, and measures its drawing area in pixels of 15 twips.
class PictureBox : public Control {
public:
    // The drawing area inside the border, in pixels.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    // Shows `picture` unscaled at the top left, or nothing when it is null; either way it
    // replaces everything painted before.
    virtual void setPicture(std::shared_ptr<const Picture> picture) = 0;
    // Paints `picture` scaled to width x height pixels with its top left corner at x, y.
    virtual void PaintPicture(std::shared_ptr<const Picture> picture, float x, float y, float width,
                              float height) = 0;
    // Draws the control again now, with its picture and what was painted into it.
    virtual void Refresh() = 0;
    virtual void setAppearance(int appearance) = 0;
};

// A top-level window: it creates its controls, and finds them again by name ("lvFolders",
// "lstFiles", "Label1(0)").
class Window {
public:
    Window() { registry().push_back(this); }
    virtual ~Window() {
        std::vector<Window*>& windows = registry();
        windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Every window of the tool that exists, oldest first (the process list finds the tool's own
    // windows by title here).
    static const std::vector<Window*>& existingWindows() { return registry(); }
    // What the close box does: the close event runs, then the window closes.
    void closeAsUser() {
        raiseClose();
        close();
    }

    virtual std::string Caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    // The client area, in twips.
    virtual int ScaleWidth() const = 0;
    virtual int ScaleHeight() const = 0;
    virtual void setClientSize(int widthTwips, int heightTwips) = 0;
    virtual void setBackColor(Rgb color) = 0;

    virtual Button& addButton(const std::string& name, const std::string& caption,
                              const TwipsRect& bounds) = 0;
    virtual Label& addLabel(const std::string& name, const std::string& caption,
                            const TwipsRect& bounds) = 0;
    virtual ListBox& addListBox(const std::string& name, const TwipsRect& bounds) = 0;
    // Report style, checkboxes, one column per ColumnHeaders entry.
    virtual ListView& addListView(const std::string& name, const TwipsRect& bounds) = 0;
    virtual RichTextBox& addRichTextBox(const std::string& name, const TwipsRect& bounds) = 0;
    virtual PictureBox& addPictureBox(const std::string& name, const TwipsRect& bounds) = 0;

    // Raised whenever the client area changes size.
    void setOnResize(std::function<void()> handler) { onResize_ = std::move(handler); }
    // Raised when the user closes the window with its close box.
    void setOnClose(std::function<void()> handler) { onClose_ = std::move(handler); }

    virtual void show() = 0;
    // Closes and unloads the window.
    virtual void close() = 0;

    // The control of that name, or null.
    Control* find(std::string_view name) const {
        auto it = controls_.find(std::string(name));
        return it == controls_.end() ? nullptr : it->second;
    }
    template <typename T>
    T* findAs(std::string_view name) const {
        return dynamic_cast<T*>(find(name));
    }

protected:
    void remember(const std::string& name, Control& control) { controls_[name] = &control; }
    void raiseResize() {
        if (onResize_)
            onResize_();
    }
    void raiseClose() {
        if (onClose_)
            onClose_();
    }

private:
    static std::vector<Window*>& registry() {
        static std::vector<Window*> windows;
        return windows;
    }
    std::unordered_map<std::string, Control*> controls_;
    std::function<void()> onResize_;
    std::function<void()> onClose_;
};
