#pragma once

#include <string>
#include <vector>

#include "toolkit/string_array.h"
#include "toolkit/ui/controls.h"

// The lines of a list box, in order.
inline std::vector<std::string> linesOf(const ListBox& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.ListCount(); ++i)
        lines.push_back(list.List(i));
    return lines;
}

// The texts of a list view's items, in order.
inline std::vector<std::string> itemTextsOf(ListView& view) {
    std::vector<std::string> texts;
    for (int i = 1; i <= view.ListItems().Count(); ++i)
        texts.push_back(view.ListItems().Item(i).Text());
    return texts;
}

// The items of an array, in order.
inline std::vector<std::string> itemsOf(const clsArray& arr) {
    std::vector<std::string> items;
    for (int i = 1; i <= arr.Count(); ++i)
        items.push_back(arr.Item(i));
    return items;
}
