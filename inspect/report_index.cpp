#include "inspect/report_index.h"

#include <iterator>
#include <utility>

void IndexBuilder::addListed(const ListedFolder& folder) {
    IndexedFolder listed;
    listed.folder = folder;
    index_.folders.push_back(std::move(listed));
}

void IndexBuilder::keepRows() {
    if (rows_.empty())
        return;
    block().files.assign(std::make_move_iterator(rows_.begin()),
                         std::make_move_iterator(rows_.end()));
    rows_.clear();
}

void IndexBuilder::folder(const FolderRecord& folder) {
    keepRows();
    listed_.takeUpTo(folder.number, [this](const ListedFolder& before) { addListed(before); });
    addListed(ListedFolder{folder.number, folder.path, true});
    block().hasBlock = true;
}

void IndexBuilder::embeddedStart(const EmbeddedStart& start) {
    text_ = IndexedText();
    text_.start = start;
    hash_.reset();
}

void IndexBuilder::embeddedLine(std::string_view text) {
    hash_.addLine(text);
}

void IndexBuilder::embeddedLines(std::string_view run) {
    hash_.addTextLines(run);
}

void IndexBuilder::embeddedEnd(const EmbeddedEnd& end) {
    text_.end = end;
    text_.hash = hash_.value();
    block().texts.push_back(std::move(text_));
}

void IndexBuilder::end(bool whole) {
    keepRows();
    listed_.takeRest([this](const ListedFolder& folder) { addListed(folder); });
    index_.whole = whole;
}
