#include "sysinfo/version_block.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

#include "sysinfo/utf16_text.h"

namespace {

// Every node starts with its length, its value's length and its type, 16 bits each.
constexpr std::size_t kNodeHeaderSize = 6;
constexpr std::uint16_t kTextValue = 1;

struct Node {
    std::size_t length{};  // as the node declares it
    std::size_t end{};     // one past its last byte, never beyond its parent
    std::string key;
    std::uint16_t valueLength{};  // characters for text values, bytes otherwise
    std::uint16_t type{};
    std::size_t valueOffset{};
    std::size_t childrenOffset{};
};

std::size_t alignTo4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

std::uint16_t readU16(const VersionBlock& block, std::size_t offset) {
    return static_cast<std::uint16_t>(block[offset] | (block[offset + 1] << 8));
}

// The node at `offset`, which must lie with its header and its key before `limit`.
std::optional<Node> readNode(const VersionBlock& block, std::size_t offset, std::size_t limit) {
    if (offset >= limit || limit - offset < kNodeHeaderSize)
        return std::nullopt;
    Node node;
    node.length = readU16(block, offset);
    if (node.length < kNodeHeaderSize)
        return std::nullopt;
    node.end = std::min(limit, offset + node.length);
    node.valueLength = readU16(block, offset + 2);
    node.type = readU16(block, offset + 4);
    const std::size_t keyStart = offset + kNodeHeaderSize;
    std::size_t keyEnd = keyStart;
    while (keyEnd + 2 <= node.end && readU16(block, keyEnd) != 0)
        keyEnd += 2;
    if (keyEnd + 2 > node.end)
        return std::nullopt;
    node.key = utf16LeToUtf8(block.data() + keyStart, (keyEnd - keyStart) / 2);
    node.valueOffset = alignTo4(keyEnd + 2);
    const std::size_t valueBytes =
        node.type == kTextValue ? std::size_t{node.valueLength} * 2 : node.valueLength;
    node.childrenOffset = alignTo4(node.valueOffset + valueBytes);
    return node;
}

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<Node> findChild(const VersionBlock& block, const Node& parent,
                              const std::string& key) {
    std::size_t offset = parent.childrenOffset;
    while (offset < parent.end) {
        const std::optional<Node> child = readNode(block, offset, parent.end);
        if (!child)
            return std::nullopt;
        if (equalIgnoringCase(child->key, key))
            return child;
        offset = alignTo4(offset + child->length);
    }
    return std::nullopt;
}

std::vector<std::string> pathParts(const std::string& subBlock) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= subBlock.size()) {
        std::size_t stop = subBlock.find('\\', start);
        if (stop == std::string::npos)
            stop = subBlock.size();
        if (stop > start)
            parts.push_back(subBlock.substr(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

// The bytes of the node's value that lie inside the node: at most `wanted`.
std::size_t valueBytesInside(const Node& node, std::size_t wanted) {
    if (node.valueOffset >= node.end)
        return 0;
    return std::min(wanted, node.end - node.valueOffset);
}

std::string textValue(const VersionBlock& block, const Node& node) {
    const std::size_t units = valueBytesInside(node, std::size_t{node.valueLength} * 2) / 2;
    if (units == 0)
        return std::string();
    std::string text = utf16LeToUtf8(block.data() + node.valueOffset, units);
    return text.substr(0, text.find('\0'));
}

std::string binaryValue(const VersionBlock& block, const Node& node) {
    const std::size_t size = valueBytesInside(node, node.valueLength);
    if (size == 0)
        return std::string();
    const auto* first = reinterpret_cast<const char*>(block.data() + node.valueOffset);
    return std::string(first, size);
}

}  // namespace

bool queryVersionBlock(const VersionBlock& block, const std::string& subBlock, std::string& value) {
    std::optional<Node> node = readNode(block, 0, block.size());
    const std::vector<std::string> parts = pathParts(subBlock);
    for (const std::string& part : parts) {
        if (!node)
            return false;
        node = findChild(block, *node, part);
    }
    if (!node)
        return false;
    value = isStringFileInfoPath(subBlock) ? textValue(block, *node) : binaryValue(block, *node);
    return true;
}

bool isStringFileInfoPath(const std::string& subBlock) {
    const std::vector<std::string> parts = pathParts(subBlock);
    return !parts.empty() && equalIgnoringCase(parts.front(), "StringFileInfo");
}
