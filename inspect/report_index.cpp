#include "inspect/report_index.h"

#include <functional>

std::uint64_t addLineToHash(std::uint64_t hash, std::string_view line) {
    // Each line's own hash, mixed into the text's so that the order of the lines counts.
    const std::uint64_t lineHash = std::hash<std::string_view>()(line);
    hash ^= lineHash + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    return hash * 0xFF51AFD7ED558CCDull;
}

void IndexBuilder::addListed(const ListedFolder& folder) {
    IndexedFolder listed;
    listed.folder = folder;
    index_.folders.push_back(std::move(listed));
}

void IndexBuilder::folder(const FolderRecord& folder) {
    listed_.takeUpTo(folder.number, [this](const ListedFolder& before) { addListed(before); });
    addListed(ListedFolder{folder.number, folder.path, true});
    block().hasBlock = true;
}

void IndexBuilder::embeddedStart(const EmbeddedStart& start) {
    text_ = IndexedText();
    text_.start = start;
}

void IndexBuilder::embeddedLine(std::string_view text) {
    text_.hash = addLineToHash(text_.hash, text);
}

void IndexBuilder::embeddedEnd(const EmbeddedEnd& end) {
    text_.end = end;
    block().texts.push_back(text_);
}

void IndexBuilder::end(bool whole) {
    listed_.takeRest([this](const ListedFolder& folder) { addListed(folder); });
    index_.whole = whole;
}
