#include "toolkit/ui/qt/qt_list_view.h"

#include <QHeaderView>
#include <QTimer>

#include "toolkit/ui/redraw_pacer.h"

namespace {

Qt::CheckState checkState(bool checked) {
    return checked ? Qt::Checked : Qt::Unchecked;
}

}  // namespace

void QtSubItems::Add(const std::string& text) {
    texts_.add(text);
    item_.setText(Count(), QString::fromStdString(text));
}

QtListItem::QtListItem(QTreeWidgetItem& item) : item_(item), subItems_(item) {
    item_.setFlags(item_.flags() | Qt::ItemIsUserCheckable);
    item_.setCheckState(0, checkState(known_));
}

void QtListItem::setText(const std::string& text) {
    item_.setText(0, QString::fromStdString(text));
}

void QtListItem::setChecked(bool checked) {
    known_ = checked;
    item_.setCheckState(0, checkState(checked));
}

bool QtListItem::takeUserChange() {
    const bool shown = item_.checkState(0) == Qt::Checked;
    if (shown == known_)
        return false;
    known_ = shown;
    return true;
}

void QtListItems::Clear() {
    itemOfRow_.clear();
    items_.clear();
    tree_.clear();
}

// A painted view lays out all its rows first, and the layout changes its scroll bar, which
// asks for the next paint: with a row added between yields, every yield would lay out and
// paint the whole growing list. While rows are being added the list is drawn again at most
// every 50 ms instead.
void QtListItems::holdDrawing() {
    if (!tree_.updatesEnabled())
        return;
    tree_.setUpdatesEnabled(false);
    QTimer::singleShot(RedrawPacer::kInterval, &tree_,
                       [tree = &tree_] { tree->setUpdatesEnabled(true); });
}

ListItem& QtListItems::Add(const std::string& text) {
    holdDrawing();
    auto* row = new QTreeWidgetItem(&tree_);  // the tree owns its rows
    items_.push_back(std::make_unique<QtListItem>(*row));
    itemOfRow_[row] = items_.back().get();
    items_.back()->setText(text);
    return *items_.back();
}

ListItem& QtListItems::Item(int index) {
    requireIndexInRange(index, Count());
    return *items_[static_cast<size_t>(index - 1)];
}

QtListItem* QtListItems::itemOf(QTreeWidgetItem& row) {
    const auto found = itemOfRow_.find(&row);
    return found == itemOfRow_.end() ? nullptr : found->second;
}

void QtColumnHeaders::Clear() {
    texts_.clear();
    show();
}

void QtColumnHeaders::Add(const std::string& text) {
    texts_.add(text);
    show();
}

// A tree always has at least one column; without headers it is an untitled one.
void QtColumnHeaders::show() {
    QStringList labels;
    for (int index = 1; index <= texts_.count(); ++index)
        labels << QString::fromStdString(texts_.at(index));
    tree_.setColumnCount(std::max<int>(1, labels.size()));
    tree_.setHeaderLabels(labels.isEmpty() ? QStringList{QString()} : labels);
}

// Qt repaints what lay beneath a hidden widget only if the widget itself may update, so a list
// hidden while its drawing is held would stay on the window; hiding ends the hold first.
void QtListView::setVisible(bool visible) {
    if (!visible)
        widget().setUpdatesEnabled(true);
    QtControl::setVisible(visible);
}

QtListView::QtListView(QTreeWidget& tree) : QtControl(tree), items_(tree), columns_(tree) {
    tree.setRootIsDecorated(false);
    tree.setUniformRowHeights(true);
    tree.setAllColumnsShowFocus(true);
    tree.header()->setStretchLastSection(true);
    tree.header()->setSectionsMovable(false);
    columns_.Clear();
    QObject::connect(&tree, &QTreeWidget::itemChanged, [this](QTreeWidgetItem* row, int column) {
        QtListItem* item = column == 0 ? items_.itemOf(*row) : nullptr;
        if (item && item->takeUserChange())
            raiseItemCheck(*item);
    });
}
