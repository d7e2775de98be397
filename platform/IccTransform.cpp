// The Little CMS wrapper: opening embedded profiles, recognising sRGB ones, building and caching
// transforms to sRGB.

#include "platform/IccTransform.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include <lcms2.h>

#include "platform/RuntimeLibrary.h"

namespace platform {
namespace {

// Every Little CMS function used here; the library is opened with the first profile.
// clang-format off
#define OBRAZOR_LCMS_CALLS(X)                                                                          \
    X(cmsCreateContext) X(cmsSetLogErrorHandlerTHR) X(cmsOpenProfileFromMemTHR) X(cmsCloseProfile)     \
    X(cmsCreate_sRGBProfileTHR) X(cmsGetDeviceClass) X(cmsGetColorSpace) X(cmsCreateTransformTHR)      \
    X(cmsDoTransform) X(cmsDeleteTransform)
// clang-format on

struct LcmsCalls {
    OBRAZOR_LCMS_CALLS(OBRAZOR_RUNTIME_SLOT)
};

const LcmsCalls* LoadedLcms() {
    return RuntimeCalls<LcmsCalls>(OBRAZOR_LCMS_LIBRARY, [](void* library, LcmsCalls& calls, bool& complete) {
        OBRAZOR_LCMS_CALLS(OBRAZOR_RUNTIME_BIND)
    });
}

// Called only once TransformToSrgb has found the library loaded.
const LcmsCalls& Lcms() { return *LoadedLcms(); }

// One batch rarely meets more than a handful of cameras; past this the cache starts afresh.
constexpr std::size_t kMaxCachedProfiles = 32;
// A profile whose round trip through sRGB moves no sample of this grid by more than one level
// is sRGB in all but name, and its pictures are left exactly as stored.
constexpr int kSrgbGridStep = 17;
constexpr int kSrgbTolerance = 1;

// Damaged profiles are ignored without a word, so the library's complaints go nowhere.
void Silent(cmsContext, cmsUInt32Number, const char*) {}

cmsContext Context() {
    static const cmsContext context = [] {
        const cmsContext c = Lcms().cmsCreateContext(nullptr, nullptr);
        Lcms().cmsSetLogErrorHandlerTHR(c, Silent);
        return c;
    }();
    return context;
}

using ProfileHandle = std::unique_ptr<void, decltype(&cmsCloseProfile)>;
using TransformHandle = std::unique_ptr<void, decltype(&cmsDeleteTransform)>;

ProfileHandle Profile(cmsHPROFILE handle) { return {handle, Lcms().cmsCloseProfile}; }

cmsUInt32Number InputFormat(IccPixels pixels) {
    switch (pixels) {
    case IccPixels::Bgr: return TYPE_BGR_8;
    case IccPixels::Bgrx: return TYPE_BGRA_8;
    case IccPixels::Cmyk: return TYPE_CMYK_8;
    case IccPixels::InvertedCmyk: return TYPE_CMYK_8_REV;
    }
    return 0;
}

cmsUInt32Number OutputFormat(IccPixels pixels) { return pixels == IccPixels::Bgrx ? TYPE_BGRA_8 : TYPE_BGR_8; }

cmsColorSpaceSignature SpaceOf(IccPixels pixels) {
    return pixels == IccPixels::Bgr || pixels == IccPixels::Bgrx ? cmsSigRgbData : cmsSigCmykData;
}

// Device links and abstract profiles describe no device colours, so they cannot start a transform.
bool DescribesPixels(cmsHPROFILE profile, IccPixels pixels) {
    const cmsProfileClassSignature kind = Lcms().cmsGetDeviceClass(profile);
    const bool device = kind == cmsSigInputClass || kind == cmsSigDisplayClass || kind == cmsSigOutputClass ||
                        kind == cmsSigColorSpaceClass;
    return device && Lcms().cmsGetColorSpace(profile) == SpaceOf(pixels);
}

// The probe converts a few thousand samples once: it is built without the library's
// optimisation, which would sample every colour of the transform to make it fast and costs more
// than the probe itself.
bool IsSrgb(cmsHPROFILE profile, cmsHPROFILE srgb) {
    const TransformHandle probe(
        Lcms().cmsCreateTransformTHR(Context(), profile, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_RELATIVE_COLORIMETRIC,
                                     cmsFLAGS_NOCACHE | cmsFLAGS_NOOPTIMIZE),
        Lcms().cmsDeleteTransform);
    if (!probe) return false;
    // One red level at a time: a profile that is not sRGB mostly shows it in the first levels,
    // and the rest is then not converted.
    std::vector<std::uint8_t> slab, out;
    for (int r = 0; r <= 255; r += kSrgbGridStep) {
        slab.clear();
        for (int g = 0; g <= 255; g += kSrgbGridStep)
            for (int b = 0; b <= 255; b += kSrgbGridStep)
                slab.insert(slab.end(), {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
        out.resize(slab.size());
        Lcms().cmsDoTransform(probe.get(), slab.data(), out.data(), cmsUInt32Number(slab.size() / 3));
        for (std::size_t i = 0; i < slab.size(); ++i)
            if (std::abs(int(slab[i]) - int(out[i])) > kSrgbTolerance) return false;
    }
    return true;
}

std::shared_ptr<const IccTransform> Build(std::span<const std::uint8_t> bytes, IccPixels pixels) {
    const ProfileHandle profile =
        Profile(Lcms().cmsOpenProfileFromMemTHR(Context(), bytes.data(), cmsUInt32Number(bytes.size())));
    if (!profile || !DescribesPixels(profile.get(), pixels)) return nullptr;
    const ProfileHandle srgb = Profile(Lcms().cmsCreate_sRGBProfileTHR(Context()));
    if (!srgb) return nullptr;
    if (SpaceOf(pixels) == cmsSigRgbData && IsSrgb(profile.get(), srgb.get())) return nullptr;
    // No one-pixel cache: the transform is shared by the tool's worker threads.
    cmsUInt32Number flags = cmsFLAGS_NOCACHE;
    if (pixels == IccPixels::Bgrx) flags |= cmsFLAGS_COPY_ALPHA;
    const cmsHTRANSFORM transform = Lcms().cmsCreateTransformTHR(
        Context(), profile.get(), InputFormat(pixels), srgb.get(), OutputFormat(pixels), INTENT_PERCEPTUAL, flags);
    if (!transform) return nullptr;
    return std::make_shared<const IccTransform>(transform, pixels);
}

std::uint64_t Fnv1a(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
    return hash;
}

// Keyed by the profile's hash and size and the pixel layout; a null entry remembers a profile
// that needs no transform or cannot have one.
class TransformCache {
public:
    std::shared_ptr<const IccTransform> Find(std::span<const std::uint8_t> bytes, IccPixels pixels) {
        const Key key{Fnv1a(bytes), bytes.size(), pixels};
        const std::lock_guard lock(mutex_);
        if (const auto found = entries_.find(key); found != entries_.end()) return found->second;
        if (entries_.size() >= kMaxCachedProfiles) entries_.clear();
        return entries_[key] = Build(bytes, pixels);
    }

private:
    using Key = std::tuple<std::uint64_t, std::size_t, IccPixels>;
    std::mutex mutex_;
    std::map<Key, std::shared_ptr<const IccTransform>> entries_;
};

TransformCache& Cache() {
    static TransformCache cache;
    return cache;
}

}  // namespace

IccTransform::~IccTransform() { Lcms().cmsDeleteTransform(handle_); }

void IccTransform::Translate(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels) const {
    const std::size_t inStep = input_ == IccPixels::Bgr ? 3 : 4;
    const std::size_t outStep = input_ == IccPixels::Bgrx ? 4 : 3;
    constexpr std::size_t kChunk = std::size_t(1) << 30;
    while (pixels > 0) {
        const std::size_t n = std::min(pixels, kChunk);
        Lcms().cmsDoTransform(handle_, in, out, cmsUInt32Number(n));
        in += n * inStep;
        out += n * outStep;
        pixels -= n;
    }
}

std::shared_ptr<const IccTransform> TransformToSrgb(std::span<const std::uint8_t> profile, IccPixels input) {
    if (profile.empty() || profile.size() > kMaxIccProfileBytes || !LoadedLcms()) return nullptr;
    return Cache().Find(profile, input);
}

}  // namespace platform
