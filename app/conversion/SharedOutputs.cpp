#include "app/conversion/SharedOutputs.h"

#include <filesystem>
#include <map>

#include "app/conversion/OutputPath.h"

namespace {

// "./a.LMV.jpg" and "a.LMV.jpg" are one file.
std::string OutputKey(const std::string& source) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(OutputPathFor(source), error);
    return error ? OutputPathFor(source) : absolute.lexically_normal().string();
}

FileOutcome SharedOutput(const std::string& source, const std::string& first) {
    FileOutcome outcome = FailureOf(source, OutputPathFor(source) + " is the output of " + first + " too");
    outcome.kind = OutcomeKind::Skipped;
    outcome.skip = SkipReason::SharedOutput;
    outcome.output = OutputPathFor(source);
    return outcome;
}

}  // namespace

OutputClaims ClaimOutputs(const std::vector<std::string>& files) {
    OutputClaims claims;
    std::map<std::string, std::size_t> firstOf;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [claim, isFirst] = firstOf.emplace(OutputKey(files[i]), i);
        if (isFirst) {
            claims.kept.push_back(files[i]);
            claims.keptIndex.push_back(i);
        } else {
            claims.dropped.push_back(SharedOutput(files[i], files[claim->second]));
            claims.droppedIndex.push_back(i);
        }
    }
    return claims;
}
