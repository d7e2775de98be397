#include "ToolOutput.h"

#include "CapturedStream.h"
#include "app/conversion/OutputPath.h"
#include "convert/ConvertTool.h"
#include "app/conversion/PictureConversion.h"
#include "support/TaggedPhotos.h"

std::vector<std::uint8_t> ToolOutput(const std::string& source, std::vector<const char*> options) {
    options.insert(options.end(), {"--overwrite", "--reprocess", source.c_str()});
    CapturedStream out, err;
    RunConvertTool(
        options, [](const std::string& file, const ConvertOptions& o) { return ConvertPicture(file, SettingsFrom(o)); },
        ToolStreams{out.File(), err.File(), false});
    return tagged::ReadBytes(OutputPathFor(source));
}
