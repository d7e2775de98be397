#pragma once
// Enumerating a folder for the browser lists: entries that carry hidden, system, volume or
// folder attributes outside the attribute mask are skipped; read-only and archive never are.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/FileSystem.h"

// Visits the passing entries of `folder` that match `pattern`; raises EInOutError when the
// folder cannot be read.
void EnumerateFolder(const std::string& folder, const std::string& pattern, std::uint32_t attributeMask,
                     const std::function<void(const platform::FindData&)>& visit);
