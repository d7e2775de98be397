#include "convert/ConvertTool.h"

#include "app/conversion/Version.h"
#include "app/conversion/BatchRunner.h"
#include "app/conversion/BatchSummary.h"
#include "app/conversion/InputFiles.h"
#include "app/conversion/PlainReasons.h"
#include "convert/ProgressBar.h"
#include "convert/ReportLine.h"
#include "app/conversion/SharedOutputs.h"
#include "app/conversion/WorkOrder.h"

namespace {

// One file stays one line, whatever characters its name holds.
void PrintLine(std::FILE* stream, const std::string& line) {
    std::fputs(EscapeControls(line).c_str(), stream);
    std::fputc('\n', stream);
}

// Folders that could not be read count as failures of their own.
void ReportFolderErrors(const InputList& inputs, BatchSummary& summary, std::FILE* out) {
    for (const std::string& error : inputs.errors) {
        PrintLine(out, error);
        summary.Count(OutcomeKind::Failed);
    }
}

unsigned JobsFor(const ConvertOptions& options) { return options.jobs ? options.jobs : DefaultJobs(); }

void ConvertFiles(const std::vector<std::string>& inputs, const ConvertOptions& options, const FileConverter& convert,
                  const ToolStreams& streams, const ConversionPreparation& prepare, BatchSummary& summary) {
    const OutputClaims claims = ClaimOutputs(inputs);
    const std::vector<std::string>& files = claims.kept;
    if (prepare) prepare(files);
    ProgressBar bar(streams.err, files.size(), streams.progress);
    bar.Show(0);
    const auto print = [&](const FileOutcome& outcome) {
        bar.Clear();
        PrintLine(streams.out, FormatReportLine(outcome));
        std::fflush(streams.out);
        summary.Count(outcome.kind);
    };
    // Inputs skipped for a shared output are reported in their place among the others.
    std::size_t nextDropped = 0;
    const auto printDroppedBefore = [&](std::size_t inputIndex) {
        for (; nextDropped < claims.dropped.size() && claims.droppedIndex[nextDropped] < inputIndex; ++nextDropped)
            print(claims.dropped[nextDropped]);
    };
    const auto report = [&](std::size_t index, const FileOutcome& outcome) {
        printDroppedBefore(claims.keptIndex[index]);
        print(outcome);
    };
    const unsigned jobs = JobsFor(options);
    RunInInputOrder(
        files, jobs, [&](const std::string& source) { return convert(source, options); }, report,
        [&](std::size_t finished) { bar.Show(finished); }, StartOrderFor(files, jobs));
    printDroppedBefore(inputs.size());
}

int ConvertAll(const ConvertOptions& options, const FileConverter& convert, const ToolStreams& streams,
               const ConversionPreparation& prepare) {
    const InputList inputs = ExpandInputs(options.inputs, PictureExtensions(), options.recursive);
    BatchSummary summary;
    ReportFolderErrors(inputs, summary, streams.out);
    ConvertFiles(inputs.files, options, convert, streams, prepare, summary);
    PrintLine(streams.out, summary.Line());
    std::fflush(streams.out);
    return summary.Status();
}

}  // namespace

int RunConvertTool(std::span<const char* const> args, const FileConverter& convert, const ToolStreams& streams,
                   const ConversionPreparation& prepare) {
    ConvertOptions options;
    try {
        options = ParseOptions(args);
    } catch (const UsageError& error) {
        std::fprintf(streams.err, "obrazor-convert: %s\nTry 'obrazor-convert --help'.\n", error.what());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(UsageText().c_str(), streams.out);
        return kExitSuccess;
    }
    if (options.version) {
        PrintLine(streams.out, std::string("obrazor-convert ") + kProgramVersion);
        return kExitSuccess;
    }
    return ConvertAll(options, convert, streams, prepare);
}
