#include "inspect/report_index.h"

#include <utility>

void IndexBuilder::addListed(const ListedFolder& folder) {
    IndexedFolder listed;
    listed.folder = folder;
    index_.folders.push_back(std::move(listed));
}

void IndexBuilder::keepRows() {
    if (rows_.empty())
        return;
    block().files.assign(rows_.begin(), rows_.end());
    rows_.clear();
}

void IndexBuilder::fileRow(const FileRowRecord& row) {
    TextStore& texts = index_.rowTexts;
    rows_.push_back(
        {texts.keep(row.name), row.size, row.lastWrite, row.program, texts.keep(row.version)});
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
