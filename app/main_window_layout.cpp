#include "app/main_window_layout.h"

#include "toolkit/ui/controls.h"

namespace {

constexpr int kClientWidth = 7350;   // twips
constexpr int kClientHeight = 5820;  // twips
constexpr Rgb kWhite{255, 255, 255};

enum class ControlKind { Button, RichTextBox, ListBox, Label, ListView };

struct ControlLayout {
    const char* name;
    ControlKind kind;
    const char* caption;  // a label's or button's caption; the list view's one column heading
    TwipsRect bounds;
};

constexpr ControlLayout kControlsInTabOrder[] = {
    {"cmdGather", ControlKind::Button, "Create Report", {5310, 90, 1815, 375}},
    {"txtInfo", ControlKind::RichTextBox, "", {90, 90, 5145, 1995}},
    {"cmdExit", ControlKind::Button, "E&xit", {6300, 630, 825, 375}},
    {"lstApps", ControlKind::ListBox, "", {180, 3330, 7035, 1035}},
    {"cmdReset", ControlKind::Button, "Reset", {5310, 630, 825, 375}},
    {"Label1(0)",
     ControlKind::Label,
     "List of Applications and Processes running",
     {180, 3150, 7035, 195}},
    {"lstFiles", ControlKind::ListBox, "", {180, 4680, 7035, 1035}},
    {"Label1(1)", ControlKind::Label, "List of Files", {180, 4500, 7035, 195}},
    {"lstDrives", ControlKind::ListBox, "", {5400, 1530, 1725, 1425}},
    {"lvFolders", ControlKind::ListView, "List of Folders to Examine", {180, 1890, 5145, 3525}},
};

void addControl(Window& window, const ControlLayout& layout) {
    switch (layout.kind) {
        case ControlKind::Button:
            window.addButton(layout.name, layout.caption, layout.bounds);
            break;
        case ControlKind::RichTextBox:
            window.addRichTextBox(layout.name, layout.bounds);
            break;
        case ControlKind::ListBox:
            window.addListBox(layout.name, layout.bounds);
            break;
        case ControlKind::Label:
            window.addLabel(layout.name, layout.caption, layout.bounds);
            break;
        case ControlKind::ListView:
            window.addListView(layout.name, layout.bounds).ColumnHeaders().Add(layout.caption);
            break;
    }
}

}  // namespace

void buildMainWindow(Window& window) {
    window.setCaption("Configuration Report");
    window.setBackColor(kWhite);
    window.setClientSize(kClientWidth, kClientHeight);
    for (const ControlLayout& layout : kControlsInTabOrder)
        addControl(window, layout);
}
