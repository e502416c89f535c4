#include "inspect/text_hash.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "inspect/byte_scan.h"

struct TextHash::State {
    XXH3_state_t xxh3;
};

TextHash::TextHash() : state_(std::make_unique<State>()) {
    reset();
}

TextHash::~TextHash() = default;

void TextHash::reset() {
    XXH3_64bits_reset(&state_->xxh3);
}

void TextHash::addLine(std::string_view line) {
    XXH3_64bits_update(&state_->xxh3, line.data(), line.size());
    XXH3_64bits_update(&state_->xxh3, bytescan::kTextLineEnd.data(), bytescan::kTextLineEnd.size());
}

void TextHash::addTextLines(std::string_view run) {
    XXH3_64bits_update(&state_->xxh3, run.data(), run.size());
}

std::uint64_t TextHash::value() const {
    return XXH3_64bits_digest(&state_->xxh3);
}
