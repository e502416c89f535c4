#include "toolkit/list_view_helper.h"

#include <stdexcept>

#include "toolkit/date_time.h"
#include "toolkit/format_value.h"
#include "toolkit/line_reader.h"
#include "toolkit/os/file_system.h"
#include "toolkit/os/os_traits.h"
#include "toolkit/string_array.h"
#include "toolkit/ui/application.h"
#include "toolkit/ui/controls.h"
#include "toolkit/ui/ui.h"

namespace {

constexpr int kFileNameColumns = 1;
constexpr int kPathColumns = 2;
constexpr int kFileListColumns = 3;

[[noreturn]] void fail(const std::string& description) {
    throw std::runtime_error(description);
}

// Replaces the file with `text`.
void writeWholeFile(const std::string& fileName, const std::string& text) {
    osfs::File file;
    if (!file.open(fileName, osfs::OpenMode::Write))
        fail(file.errorDescription());
    if (!file.writeText(text))
        fail(file.errorDescription());
    if (!file.close())
        fail(file.errorDescription());
}

}  // namespace

void clsListView::init(ListView& lstview, const std::string& defaultFile) {
    listView_ = &lstview;
    defaultFile_ = defaultFile.empty() ? App().Path + os::kPathSeparator + "tmp.txt" : defaultFile;
}

ListView& clsListView::listView() const {
    if (!listView_)
        fail("Object variable or With block variable not set");
    return *listView_;
}

std::string clsListView::fileOrDefault(const std::string& fname) const {
    return fname.empty() ? defaultFile_ : fname;
}

void clsListView::SetColumns(int colType) {
    // Our list views are always in report view, and how their rows are drawn is the backend's
    // matter, so only the columns change here.
    ColumnHeaderCollection& columns = listView().ColumnHeaders();
    columns.Clear();
    switch (colType) {
        case kFileNameColumns:
            columns.Add("FileName");
            break;
        case kPathColumns:
            columns.Add("Path");
            break;
        case kFileListColumns:
            columns.Add("FileName");
            columns.Add("FileSize");
            columns.Add("FileDateTime");
            break;
        default:
            break;
    }
}

void clsListView::LoadArray(const clsArray& arr) {
    ListItemCollection& items = listView().ListItems();
    items.Clear();
    for (int index = 1; index <= arr.Count(); ++index)
        items.Add(arr.Item(index));
}

int clsListView::LoadArrayAsFileList(const clsArray& arr) {
    ListItemCollection& items = listView().ListItems();
    items.Clear();
    for (int index = 1; index <= arr.Count(); ++index) {
        const std::string fileName = arr.Item(index);
        ListItem& item = items.Add(fileName);
        osfs::FileFacts facts;
        if (!osfs::lookUp(fileName, facts))
            fail(osfs::lastErrorDescription());
        if (facts.attributes & osfs::kAttrDirectory)
            fail("File not found");
        item.ListSubItems().Add(FormatValue(facts.size, "###,###,###"));
        item.ListSubItems().Add(FormatValue(facts.lastWrite, "yyyy-mm-dd hh:mm:ss"));
    }
    return 0;
}

void clsListView::LoadList(const std::string& fname) {
    const std::string fileName = fileOrDefault(fname);
    ListItemCollection& items = listView().ListItems();
    items.Clear();
    osfs::File file;
    if (!file.open(fileName, osfs::OpenMode::Read))
        fail(file.errorDescription());
    LineReader reader(file);
    std::string line;
    while (!reader.atEnd()) {
        if (!reader.readLine(line))
            fail(file.errorDescription());
        if (!line.empty())
            items.Add(line);
    }
    if (reader.failed())
        fail(file.errorDescription());
}

void clsListView::SaveList(const std::string& fname) {
    ListItemCollection& items = listView().ListItems();
    std::string text;
    for (int index = 1; index <= items.Count(); ++index)
        text += items.Item(index).Text() + "\r\n";
    writeWholeFile(fileOrDefault(fname), text);
}

void clsListView::AddRecord(const std::string& txt, const std::string& col2,
                            const std::string& col3, const std::string& col4,
                            const std::string& col5) {
    try {
        ListItem& item = listView().ListItems().Add(txt);
        for (const std::string* column : {&col2, &col3, &col4, &col5}) {
            item.ListSubItems().Add(*column);
        }
    } catch (const std::exception& failure) {
        MsgBox(std::string("Error occurred adding a record to the listview - is it initialised?") +
               "\r\n" + failure.what());
    }
}

void clsListView::LoadAsDatabase(const std::string& /*delim*/, const std::string& fname) {
    LoadList(fname);
}

void clsListView::SaveAsDatabase(const std::string& delim, const std::string& fname) {
    ListView& view = listView();
    std::string text = "Report on Morva Davuziruz Vellum program versions, created " +
                       FormatValue(nowLocal(), "dd-MMM-yyyy hh:mm:ss") + "\r\n";
    ColumnHeaderCollection& columns = view.ColumnHeaders();
    for (int index = 1; index <= columns.Count(); ++index)
        text += columns.Text(index) + delim;
    text += "\r\n";
    ListItemCollection& items = view.ListItems();
    for (int index = 1; index <= items.Count(); ++index) {
        ListItem& item = items.Item(index);
        text += item.Text() + delim;
        SubItemCollection& subItems = item.ListSubItems();
        // A sub-item the item lacks writes nothing, not even its delimiter.
        for (int column = 1; column < columns.Count() && column <= subItems.Count(); ++column) {
            text += subItems.Text(column) + delim;
        }
        text += "\r\n";
    }
    writeWholeFile(fileOrDefault(fname), text);
}
