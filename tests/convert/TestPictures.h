#pragma once
// Small pictures written to disk for the conversion tests, and file bytes read back.

#include <cstdint>
#include <string>
#include <vector>

namespace convtest {

using Bytes = std::vector<std::uint8_t>;

// A 24-bit picture with gradients and edges, so that scaling and compression have work to do.
void WriteBmp(const std::string& path, int width, int height);
void WriteJpeg(const std::string& path, int width, int height);
void WriteText(const std::string& path, const std::string& text);
Bytes ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// The names in a folder, sorted; shows stray temporary files too.
std::vector<std::string> FolderNames(const std::string& folder);

}  // namespace convtest
