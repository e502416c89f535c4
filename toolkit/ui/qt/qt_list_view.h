#pragma once

#include <QTreeWidget>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "toolkit/ui/controls.h"
#include "toolkit/ui/headless/headless_controls.h"
#include "toolkit/ui/qt/qt_control.h"

class QtSubItems : public SubItemCollection {
public:
    explicit QtSubItems(QTreeWidgetItem& item) : item_(item) {}
    // Shown in the column after the previous sub-item, where the view has such a column.
    void Add(const std::string& text) override;
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }

private:
    QTreeWidgetItem& item_;
    NumberedTexts texts_;
};

class QtListItem : public ListItem {
public:
    explicit QtListItem(QTreeWidgetItem& item);
    std::string Text() const override { return item_.text(0).toStdString(); }
    void setText(const std::string& text) override;
    bool Checked() const override { return known_; }
    void setChecked(bool checked) override;
    SubItemCollection& ListSubItems() override { return subItems_; }

    // Whether the check box now differs from what the program last knew, which is then only
    // true after a user's own tick. It takes the new state on.
    bool takeUserChange();

private:
    QTreeWidgetItem& item_;
    bool known_ = false;
    QtSubItems subItems_;
};

class QtListItems : public ListItemCollection {
public:
    explicit QtListItems(QTreeWidget& tree) : tree_(tree) {}
    void Clear() override;
    ListItem& Add(const std::string& text) override;
    int Count() const override { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range outside 1..Count(), as the platform's collections do.
    ListItem& Item(int index) override;
    // The item shown in the tree's row, or null.
    QtListItem* itemOf(QTreeWidgetItem& row);

private:
    void holdDrawing();

    QTreeWidget& tree_;
    std::vector<std::unique_ptr<QtListItem>> items_;
    // Every change of a row asks for its item, so the lookup must not search the rows.
    std::unordered_map<const QTreeWidgetItem*, QtListItem*> itemOfRow_;
};

class QtColumnHeaders : public ColumnHeaderCollection {
public:
    explicit QtColumnHeaders(QTreeWidget& tree) : tree_(tree) {}
    void Clear() override;
    void Add(const std::string& text) override;
    int Count() const override { return texts_.count(); }
    std::string Text(int index) const override { return texts_.at(index); }

private:
    void show();

    QTreeWidget& tree_;
    NumberedTexts texts_;
};

// A report-style list with a check box on every row.
class QtListView : public QtControl<ListView, QTreeWidget> {
public:
    explicit QtListView(QTreeWidget& tree);
    void setVisible(bool visible) override;
    ListItemCollection& ListItems() override { return items_; }
    ColumnHeaderCollection& ColumnHeaders() override { return columns_; }

private:
    QtListItems items_;
    QtColumnHeaders columns_;
};
