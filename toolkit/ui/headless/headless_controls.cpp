#include "toolkit/ui/headless/headless_controls.h"

std::string HeadlessListBox::List(int index) const {
    if (index < 0 || index >= ListCount())
        return std::string();
    return lines_[static_cast<size_t>(index)];
}

const std::string& NumberedTexts::at(int index) const {
    requireIndexInRange(index, count());
    return texts_[static_cast<size_t>(index - 1)];
}

ListItem& HeadlessListItems::Add(const std::string& text) {
    items_.push_back(std::make_unique<HeadlessListItem>(text));
    return *items_.back();
}

ListItem& HeadlessListItems::Item(int index) {
    requireIndexInRange(index, Count());
    return *items_[static_cast<size_t>(index - 1)];
}

void HeadlessListView::userSetChecked(int index, bool checked) {
    if (!reachable())
        return;
    ListItem& item = items_.Item(index);
    if (item.Checked() == checked)
        return;
    item.setChecked(checked);
    raiseItemCheck(item);
}

void HeadlessButton::click() {
    if (reachable())
        raiseClick();
}

void HeadlessButton::mouseDown(int button, int shift) {
    if (reachable())
        raiseMouseDown(button, shift, 0.0f, 0.0f);
}
