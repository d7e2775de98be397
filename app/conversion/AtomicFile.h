#pragma once
// Writes a whole file or nothing: the bytes go to a temporary file in the target's folder, which
// replaces the target only once it is complete. A failure leaves any previous file as it was.

#include <cstddef>
#include <cstdint>
#include <string>

// Raises EFCreateError "Cannot create file "%s". %s" with the target path and the system's
// reason when the file cannot be written.
void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size);
