#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sysinfo/version_source.h"

// Builders of version resources and of the Windows program images that carry them, for the
// benchmark's trees and for the tests of the version readers. Keys are ASCII; values are
// UTF-16 so that they can hold any character.

struct StringTableLayout {
    std::string code;  // "040904B0"
    std::vector<std::pair<std::string, std::u16string>> strings;
};

struct VersionInfoLayout {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;  // language, code page
    std::vector<StringTableLayout> tables;
    std::array<unsigned, 4> fileVersion{};  // the fixed part's file and product version numbers
};

// A VS_VERSIONINFO block as a resource compiler writes it: 16-bit strings, 4-byte alignment.
VersionBlock buildVersionBlock(const VersionInfoLayout& layout);

// One node of a version block: its header, key, value and children, padded to 4 bytes.
VersionBlock versionNode(const std::string& key, std::uint16_t type, std::uint16_t valueLength,
                         const VersionBlock& value, const std::vector<VersionBlock>& children);

struct ResourceLanguage {
    std::uint32_t language = 0x409;
    VersionBlock data;
};

struct ProgramImageLayout {
    bool pe32Plus = true;
    bool hasResources = true;
    std::uint32_t resourceType = 16;  // RT_VERSION
    std::uint32_t resourceName = 1;   // VS_VERSION_INFO
    std::vector<ResourceLanguage> languages;
    std::uint32_t sectionRva = 0x1000;  // where the one section is loaded: right after the headers
};

// A program image (PE32 or PE32+) without code whose one section holds the resource
// directory: complete enough for the system's version-resource query and for our own reader.
std::string buildProgramImage(const ProgramImageLayout& layout);

// A program whose US English version resource gives `fileVersion` as both its FileVersion and
// ProductVersion, with any further `strings`.
std::string programWithVersion(
    const std::string& fileVersion,
    const std::vector<std::pair<std::string, std::u16string>>& strings = {},
    const std::array<unsigned, 4>& numbers = {1, 0, 0, 0});
