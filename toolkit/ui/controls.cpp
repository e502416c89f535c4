#include "toolkit/ui/controls.h"

#include <stdexcept>

void requireIndexInRange(int index, int count) {
    if (index < 1 || index > count)
        throw std::out_of_range("Index out of bounds");
}
