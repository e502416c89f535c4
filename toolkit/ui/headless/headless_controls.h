#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"

// In-memory controls. Programs change them through the control interfaces; tests act as the
// user would through the extra hooks (click, mouseDown, userSetChecked), which do nothing on a
// control that is hidden or disabled, since a user cannot reach it there.

template <typename Interface>
class HeadlessControl : public Interface {
public:
    bool Visible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    bool Enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    TwipsRect Bounds() const override { return bounds_; }
    void setBounds(const TwipsRect& bounds) override { bounds_ = bounds; }

protected:
    bool reachable() const { return visible_ && enabled_; }

private:
    bool visible_ = true;
    bool enabled_ = true;
    TwipsRect bounds_;
};

class HeadlessListBox : public HeadlessControl<ListBox> {
public:
    void Clear() override { lines_.clear(); }
    void AddItem(const std::string& text) override { lines_.push_back(text); }
    int ListCount() const override { return static_cast<int>(lines_.size()); }
    std::string List(int index) const override;

private:
    std::vector<std::string> lines_;
};

// A list of texts numbered from 1, as sub-items and column headers are; an index outside
// throws (requireIndexInRange).
class NumberedTexts {
public:
    void clear() { texts_.clear(); }
    void add(const std::string& text) { texts_.push_back(text); }
    int count() const { return static_cast<int>(texts_.size()); }
    const std::string& at(int index) const;

private:
    std::vector<std::string> texts_;
};

class HeadlessSubItems : public SubItemCollection {
public:
    void Add(const std::string& text) override { texts_.add(text); }
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }

private:
    NumberedTexts texts_;
};

class HeadlessListItem : public ListItem {
public:
    explicit HeadlessListItem(const std::string& text) : text_(text) {}
    std::string Text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    bool Checked() const override { return checked_; }
    void setChecked(bool checked) override { checked_ = checked; }
    SubItemCollection& ListSubItems() override { return subItems_; }

private:
    std::string text_;
    bool checked_ = false;
    HeadlessSubItems subItems_;
};

class HeadlessListItems : public ListItemCollection {
public:
    void Clear() override { items_.clear(); }
    ListItem& Add(const std::string& text) override;
    int Count() const override { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 1..Count().
    ListItem& Item(int index) override;

private:
    std::vector<std::unique_ptr<HeadlessListItem>> items_;
};

class HeadlessColumnHeaders : public ColumnHeaderCollection {
public:
    void Clear() override { texts_.clear(); }
    void Add(const std::string& text) override { texts_.add(text); }
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }

private:
    NumberedTexts texts_;
};

class HeadlessListView : public HeadlessControl<ListView> {
public:
    ListItemCollection& ListItems() override { return items_; }
    ColumnHeaderCollection& ColumnHeaders() override { return columns_; }

    // The user clicks the checkbox of item `index` (from 1) into the state `checked`: the
    // check changes, then the item-check event is raised. A box already in that state stays
    // as it is and raises nothing, since a click always turns a box over.
    void userSetChecked(int index, bool checked);

private:
    HeadlessListItems items_;
    HeadlessColumnHeaders columns_;
};

class HeadlessRichTextBox : public HeadlessControl<RichTextBox> {
public:
    std::string Text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

class HeadlessLabel : public HeadlessControl<Label> {
public:
    std::string Caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    void setBackColor(Rgb color) override { backColor_ = color; }
    Rgb BackColor() const { return backColor_; }

private:
    std::string caption_;
    Rgb backColor_{255, 255, 255};
};

class HeadlessButton : public HeadlessControl<Button> {
public:
    std::string Caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }

    // The user clicks the button with the left mouse button.
    void click();
    // The user presses `button` (kLeftButton, kRightButton, kMiddleButton) over the button.
    void mouseDown(int button, int shift = 0);

private:
    std::string caption_;
};
