#pragma once
// Windows metafiles: converted record by record into enhanced metafiles.

#include <cstddef>
#include <cstdint>

#include "platform/metafile/EnhMetaFile.h"

namespace platform {

// The picture a Windows metafile is converted for: a mapping mode and, for MM_ISOTROPIC and
// MM_ANISOTROPIC, a suggested size in 0.01 mm (0 x 0: the metafile's own window decides).
struct METAFILEPICT {
    std::int32_t mm = 8;
    std::int32_t xExt = 0;
    std::int32_t yExt = 0;
};

// An enhanced metafile from Windows-metafile records (META_HEADER first, no placeable header);
// null (last error ERROR_INVALID_PARAMETER) when the header or the record framing is not sound.
// The result has a reference device of 96 pixels per inch.
HENHMETAFILE SetWinMetaFileBits(std::size_t size, const std::uint8_t* data, const METAFILEPICT* picture);

}  // namespace platform

namespace platform {

// The Windows-metafile records of an enhanced metafile (META_HEADER first, no placeable header),
// for MM_ANISOTROPIC playback: the size in bytes, and with a buffer the bytes themselves (up to
// `size`). Records without a 16-bit form are approximated or left out; see EmfToWmf.h.
std::size_t GetWinMetaFileBits(const HENHMETAFILE& emf, std::size_t size, std::uint8_t* buffer);

}  // namespace platform
