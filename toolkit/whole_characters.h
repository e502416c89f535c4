#pragma once

#include <cstddef>
#include <string_view>

#include "toolkit/os/code_page.h"

// Where a text may be cut without splitting a character. A part of a character is lost once it
// is turned into another encoding on its own: it comes back as "?" or a stray look-alike.

// The most bytes of a character that a text can end inside: a UTF-8 character of four bytes,
// cut after its third.
constexpr std::size_t kLongestUnfinishedCharacter = 3;

// How many of `bytes`, text whose characters are made as `layout` says and whose first byte
// begins one, make whole characters: all of them but those of a last character that `bytes`
// end inside.
std::size_t wholeCharacterBytes(std::string_view bytes, const os::CharacterBytes& layout);

// How many bytes from the front of the UTF-8 `text`, at most `room`, make whole characters:
// 0 when the first character is longer than `room`. Bytes that belong to no character (stray
// continuation bytes) may be cut apart; at most kLongestUnfinishedCharacter are given back.
std::size_t wholeUtf8Prefix(std::string_view text, std::size_t room);
