#pragma once

#include <string>

class clsArray;
class ListView;

// Bulk operations on one report-style list view: standard column sets, filling from a string
// array, records of up to five columns, and saving or loading the items as a text file. The
// list view is only used, never owned. Operations other than AddRecord throw
// std::runtime_error when no list view is bound or a file cannot be read or written.
class clsListView {
public:
    // Binds the list view; an empty defaultFile is tmp.txt in the program's folder.
    void init(ListView& lstview, const std::string& defaultFile = "");
    // 1: "FileName"; 2: "Path"; 3: "FileName", "FileSize", "FileDateTime"; else no columns.
    void SetColumns(int colType);
    void LoadArray(const clsArray& arr);
    // One item per file with its size and date; throws when an entry names no file. Answers 0.
    int LoadArrayAsFileList(const clsArray& arr);
    // Accepted, without effect.
    void ExportListToHTML(const std::string& /*fname*/ = "", const std::string& /*fontName*/ = "",
                          int /*fontSize*/ = 0) {}
    // One item per non-empty line of the file (the default file for the empty name).
    void LoadList(const std::string& fname = "");
    // One line per item text, sub-items left out.
    void SaveList(const std::string& fname = "");
    // Shows a message box instead of failing.
    void AddRecord(const std::string& txt, const std::string& col2 = "",
                   const std::string& col3 = "", const std::string& col4 = "",
                   const std::string& col5 = "");
    // As LoadList; the delimiter plays no part.
    void LoadAsDatabase(const std::string& delim, const std::string& fname = "");
    // A title line, the column headers, then one line per item, each field followed by delim.
    void SaveAsDatabase(const std::string& delim, const std::string& fname = "");

private:
    ListView& listView() const;
    std::string fileOrDefault(const std::string& fname) const;

    ListView* listView_ = nullptr;
    std::string defaultFile_;
};
