#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/win32/native_control_win32.h"

class NativeSubItems : public SubItemCollection {
public:
    NativeSubItems(HWND list, int row) : list_(list), row_(row) {}
    // Shown in the column after the previous sub-item, where the view has such a column.
    void Add(const std::string& text) override;
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }

private:
    HWND list_;
    int row_;
    NumberedTexts texts_;
};

class NativeListItem : public ListItem {
public:
    NativeListItem(HWND list, int row) : list_(list), row_(row), subItems_(list, row) {}
    std::string Text() const override;
    void setText(const std::string& text) override;
    bool Checked() const override { return known_; }
    void setChecked(bool checked) override;
    SubItemCollection& ListSubItems() override { return subItems_; }

    // Whether the check box now differs from what the program last knew, which is then only
    // true after a user's own tick. It takes the new state on.
    bool takeUserChange();

private:
    HWND list_;
    int row_;  // rows are only ever appended or all cleared, so an item keeps its row
    bool known_ = false;
    NativeSubItems subItems_;
};

class NativeListItems : public ListItemCollection {
public:
    explicit NativeListItems(HWND list) : list_(list) {}
    void Clear() override;
    ListItem& Add(const std::string& text) override;
    int Count() const override { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 1..Count(), as the platform's collections do.
    ListItem& Item(int index) override;
    // The item in `row` (from 0), or null.
    NativeListItem* inRow(int row);

private:
    HWND list_;
    std::vector<std::unique_ptr<NativeListItem>> items_;
};

class NativeColumnHeaders : public ColumnHeaderCollection {
public:
    explicit NativeColumnHeaders(HWND list) : list_(list) {}
    void Clear() override;
    void Add(const std::string& text) override;
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }
    // Widens the last column to the list's right edge.
    void fillWidth();

private:
    HWND list_;
    NumberedTexts texts_;
};

// A report-style common-controls list view with a check box on every row. A user's tick is
// reported after the list view's own notification has returned, so that the handler may open
// a modal box without the list view in the middle of a click. While rows are added its
// drawing is held (drawing_hold_win32.h) until the next due yield.
class NativeListView : public Win32Control<ListView> {
public:
    explicit NativeListView(HWND hwnd);
    ~NativeListView() override;
    bool Visible() const override;
    void setVisible(bool visible) override;
    ListItemCollection& ListItems() override { return items_; }
    ColumnHeaderCollection& ColumnHeaders() override { return columns_; }
    void place(int dpi) override;
    void onNotify(const NMHDR& header) override;
    void onPosted(WPARAM row) override;

private:
    NativeListItems items_;
    NativeColumnHeaders columns_;
};
