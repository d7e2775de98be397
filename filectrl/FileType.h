#pragma once
// The kinds of entry a file list shows: each flag stands for the file attribute of the same
// value; ftNormal stands for entries without any attribute.

#include <cstdint>

using TFileType = std::uint32_t;
constexpr TFileType ftReadOnly = 0x01;
constexpr TFileType ftHidden = 0x02;
constexpr TFileType ftSystem = 0x04;
constexpr TFileType ftVolumeID = 0x08;
constexpr TFileType ftDirectory = 0x10;
constexpr TFileType ftArchive = 0x20;
constexpr TFileType ftNormal = 0x80;

// The attribute bits of a file type set (every flag but ftNormal).
constexpr std::uint32_t AttributeMask(TFileType type) { return type & 0x3F; }

enum class TTextCase { tcLowerCase, tcUpperCase };
