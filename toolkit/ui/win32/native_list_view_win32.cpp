#include "toolkit/ui/win32/native_list_view_win32.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "toolkit/os/wide_text_win32.h"
#include "toolkit/ui/win32/drawing_hold_win32.h"

namespace {

void setCellText(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = widen(text);
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

// Check boxes are state images: 1 cleared, 2 ticked.
bool isTicked(HWND list, int row) {
    const auto state = static_cast<UINT>(
        SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) >> 12 == 2;
}

}  // namespace

void NativeSubItems::Add(const std::string& text) {
    texts_.add(text);
    setCellText(list_, row_, Count(), text);
}

// The list view answers how much it copied, not how long the text is: a buffer it fills to
// the last place may have cut the text, so the next try takes a larger one.
std::string NativeListItem::Text() const {
    for (size_t capacity = 512;; capacity *= 2) {
        std::wstring text(capacity, L'\0');
        LVITEMW cell{};
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(capacity);
        const auto length = static_cast<size_t>(SendMessageW(
            list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row_), reinterpret_cast<LPARAM>(&cell)));
        if (length + 1 < capacity) {
            text.resize(length);
            return narrow(text);
        }
    }
}

void NativeListItem::setText(const std::string& text) {
    setCellText(list_, row_, 0, text);
}

void NativeListItem::setChecked(bool checked) {
    known_ = checked;
    ListView_SetCheckState(list_, row_, checked);
}

bool NativeListItem::takeUserChange() {
    const bool shown = isTicked(list_, row_);
    if (shown == known_)
        return false;
    known_ = shown;
    return true;
}

void NativeListItems::Clear() {
    items_.clear();
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

ListItem& NativeListItems::Add(const std::string& text) {
    holdDrawing(list_);
    std::wstring wide = widen(text);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = Count();
    row.pszText = wide.data();
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
    items_.push_back(std::make_unique<NativeListItem>(list_, row.iItem));
    items_.back()->setChecked(false);
    return *items_.back();
}

ListItem& NativeListItems::Item(int index) {
    requireIndexInRange(index, Count());
    return *items_[static_cast<size_t>(index - 1)];
}

NativeListItem* NativeListItems::inRow(int row) {
    if (row < 0 || row >= Count())
        return nullptr;
    return items_[static_cast<size_t>(row)].get();
}

void NativeColumnHeaders::Clear() {
    texts_.clear();
    while (SendMessageW(list_, LVM_DELETECOLUMN, 0, 0)) {
    }
}

void NativeColumnHeaders::Add(const std::string& text) {
    texts_.add(text);
    std::wstring wide = widen(text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = wide.data();
    column.cx = 100;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(Count() - 1),
                 reinterpret_cast<LPARAM>(&column));
    fillWidth();
}

void NativeColumnHeaders::fillWidth() {
    if (Count() > 0)
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(Count() - 1),
                     LVSCW_AUTOSIZE_USEHEADER);
}

NativeListView::NativeListView(HWND hwnd) : Win32Control(hwnd), items_(hwnd), columns_(hwnd) {
    SetWindowTheme(hwnd, L"Explorer", nullptr);
    const DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

NativeListView::~NativeListView() {
    endDrawingHold(hwnd());
}

bool NativeListView::Visible() const {
    return drawingHeld(hwnd()) || Win32Control::Visible();
}

// A hold would show the list again when it ends, so hiding ends it first.
void NativeListView::setVisible(bool visible) {
    if (!visible)
        endDrawingHold(hwnd());
    Win32Control::setVisible(visible);
}

void NativeListView::place(int dpi) {
    Win32Control::place(dpi);
    columns_.fillWidth();
}

// A change of the state image is a change of the check box; the program's own changes match
// what the items already know and pass unnoticed.
void NativeListView::onNotify(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED)
        return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) ||
        !((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK))
        return;
    NativeListItem* item = items_.inRow(change.iItem);
    if (item && item->takeUserChange())
        postToWindow(static_cast<WPARAM>(change.iItem));
}

void NativeListView::onPosted(WPARAM row) {
    if (NativeListItem* item = items_.inRow(static_cast<int>(row)))
        raiseItemCheck(*item);
}
