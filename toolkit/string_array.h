#pragma once

#include <string>
#include <vector>

// A growable list of texts numbered from 1.
class clsArray {
public:
    // Empties the list and sizes the storage to indexes 0..sze; 0 counts as 1.
    void init(int sze = 0);
    // Appends txt; any ndx other than 1 first shows a message box.
    void Add(const std::string& txt, int ndx = 1);
    int Count() const { return count_; }
    void setCount(int count) { count_ = count; }
    // The item at ndx, or the empty text outside the storage.
    std::string Item(int ndx) const;
    // Throws std::out_of_range outside the storage.
    void setItem(int ndx, const std::string& txt);
    void CreateByParsingText(const std::string& txt, const std::string& delim, bool includeBlanks);
    int LoadFromDisk(const std::string& fname, bool showMessage = false);
    void SaveToDisk(const std::string& fname);
    int GetIndexByText(const std::string& txt, int startIndex = 0, bool caseSens = false) const;
    // Accepted, without effect.
    void Sort(int /*textPos*/ = 0) {}
    void Remove(int /*ndx*/) {}

private:
    int count_ = 0;
    std::vector<std::string> storage_{std::string()};
};
