#include "convert/MetafileInputs.h"

#include <algorithm>

#include "graphics/Metafile.h"
#include "graphics/Picture.h"

bool HoldsMetafile(const std::vector<std::string>& files) {
    const FormatRegistry& registry = FormatRegistry::Instance();
    return std::ranges::any_of(files, [&](const std::string& file) {
        const TGraphicClass graphicClass = registry.FindByExtension(PathExtension(file));
        return graphicClass && graphicClass->InheritsFrom(&TMetafile::Class);
    });
}
