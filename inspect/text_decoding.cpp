#include "inspect/text_decoding.h"

#include "inspect/byte_scan.h"

#include "toolkit/os/code_page_decode.h"

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 character that starts at `at`, 0 when none starts there: no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
std::size_t characterLength(std::string_view bytes, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t left = bytes.size() - at;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(byte(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(byte(1)) || !isContinuation(byte(2)))
            return 0;
        if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(byte(1)) || !isContinuation(byte(2)) ||
            !isContinuation(byte(3)))
            return 0;
        if ((lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

}  // namespace

bool isAscii(std::string_view bytes) {
    return bytescan::asciiRun(bytes) == bytes.size();
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t at = bytescan::asciiRun(bytes); at < bytes.size();) {
        const std::size_t length = characterLength(bytes, at);
        if (length == 0)
            return false;
        at += length;
        if (length > 1)
            at += bytescan::asciiRun(bytes.substr(at));
    }
    return true;
}

std::string_view decodeLine(const TextDecoding& decoding, std::string_view bytes,
                            std::string& scratch) {
    if (decoding.codePage == 0 ? isValidUtf8(bytes) : isAscii(bytes))
        return bytes;
    scratch.clear();
    os::appendFromCodePage(decoding.codePage == 0 ? os::kWesternCodePage : decoding.codePage, bytes,
                           scratch);
    return scratch;
}

std::bitset<256> doubleByteLeads(unsigned codePage) {
    static const struct {
        unsigned codePage, first, last;
    } kLeadRanges[] = {
        {932, 0x81, 0x9F}, {932, 0xE0, 0xFC},  {936, 0x81, 0xFE},  {949, 0x81, 0xFE},
        {950, 0x81, 0xFE}, {1361, 0x84, 0xD3}, {1361, 0xD8, 0xDE}, {1361, 0xE0, 0xF9},
    };
    std::bitset<256> leads;
    for (const auto& range : kLeadRanges) {
        for (unsigned byte = range.first; range.codePage == codePage && byte <= range.last; ++byte)
            leads.set(byte);
    }
    return leads;
}
