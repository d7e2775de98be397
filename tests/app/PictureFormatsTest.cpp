// The one list of formats: the registry holds it in its order, repeated start-ups add nothing,
// shutting down leaves the picture model's own entries, and the window's mask names every format.

#include "app/conversion/PictureFormats.h"

#include <gtest/gtest.h>

#include "graphics/Picture.h"

namespace {

std::vector<std::string> RegistryExtensions() {
    std::vector<std::string> extensions;
    for (const TFileFormat& format : FormatRegistry::Instance().Entries()) extensions.push_back(format.extension);
    return extensions;
}

// The test program starts with the formats registered; each test leaves them so.
TEST(PictureFormats, RegistryHoldsTheListInItsOrder) {
    RegisterPictureFormats();
    const auto& entries = FormatRegistry::Instance().Entries();
    ASSERT_EQ(entries.size(), PictureFormats().size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TPictureFormat& listed = PictureFormats()[i];
        SCOPED_TRACE(listed.extension);
        EXPECT_EQ(entries[i].extension, listed.extension);
        EXPECT_EQ(entries[i].graphicClass, listed.graphicClass);
        EXPECT_EQ(entries[i].description, listed.description);
    }
}

TEST(PictureFormats, StartingTwiceAddsNothingAndStoppingKeepsTheBuiltInEntries) {
    RegisterPictureFormats();
    const std::vector<std::string> started = RegistryExtensions();
    RegisterPictureFormats();
    EXPECT_EQ(RegistryExtensions(), started);
    UnregisterPictureFormats();
    UnregisterPictureFormats();
    EXPECT_EQ(RegistryExtensions(), (std::vector<std::string>{"wmf", "emf", "ico", "bmp"}));
    EXPECT_EQ(FormatRegistry::Instance().FindByExtension("gif"), nullptr);
    RegisterPictureFormats();
    EXPECT_EQ(RegistryExtensions(), started);
}

TEST(PictureFormats, AllPicturesMaskPutsPhotographsFirst) {
    EXPECT_EQ(AllPicturesMask(), "*.jpg;*.jpeg;*.heic;*.heif;*.png;*.webp;*.gif;*.bmp;*.wmf;*.emf;*.ico");
}

}  // namespace
