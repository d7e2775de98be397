#include "convert/Options.h"

#include <charconv>
#include <string_view>

namespace {

constexpr unsigned kMaxJobs = 256;

unsigned ParseJobs(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > kMaxJobs)
        throw UsageError("--jobs wants a whole number from 1 to " + std::to_string(kMaxJobs) + ", not \"" +
                         std::string(text) + "\"");
    return value;
}

// Reads the options that take no value; false when `name` is none of them.
bool ApplyFlag(std::string_view name, ConvertOptions& options) {
    if (name == "--gray") options.gray = true;
    else if (name == "--overwrite") options.overwrite = true;
    else if (name == "--reprocess") options.reprocess = true;
    else if (name == "--dry-run" || name == "-n") options.dryRun = true;
    else if (name == "--no-colour-management") options.colorManagement = false;
    else if (name == "--no-auto-orient") options.autoOrient = false;
    else if (name == "--smooth") options.smooth = true;
    else if (name == "--recursive" || name == "-r") options.recursive = true;
    else if (name == "--help" || name == "-h") options.help = true;
    else if (name == "--version") options.version = true;
    else return false;
    return true;
}

bool TakesValue(std::string_view name) {
    return name == "-q" || name == "--quality" || name == "-j" || name == "--jobs";
}

void ApplyValue(std::string_view name, std::string_view value, ConvertOptions& options) {
    if (name == "-q" || name == "--quality") options.qualityText = std::string(value);
    else options.jobs = ParseJobs(value);
}

// Walks the arguments, keeping the position between the helpers.
class ArgumentReader {
public:
    ArgumentReader(std::span<const char* const> args, ConvertOptions& options) : args_(args), options_(options) {}

    void ReadAll() {
        while (next_ < args_.size()) ReadOne(args_[next_++]);
    }

private:
    void ReadOne(std::string_view arg) {
        if (onlyFiles_ || arg == "-" || !arg.starts_with("-")) options_.inputs.emplace_back(arg);
        else if (arg == "--") onlyFiles_ = true;
        else if (arg.starts_with("--")) ReadLong(arg);
        else ReadShortGroup(arg);
    }

    void ReadLong(std::string_view arg) {
        const auto equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        if (equals != std::string_view::npos) {
            if (!TakesValue(name)) throw UsageError("option " + std::string(name) + " takes no value");
            ApplyValue(name, arg.substr(equals + 1), options_);
        } else if (TakesValue(name)) {
            ApplyValue(name, NextValue(name), options_);
        } else if (!ApplyFlag(name, options_)) {
            throw UsageError("unknown option " + std::string(name));
        }
    }

    // "-rn", "-q90", "-j2", "-nq" "90"
    void ReadShortGroup(std::string_view arg) {
        for (std::size_t i = 1; i < arg.size(); ++i) {
            const std::string name{'-', arg[i]};
            if (TakesValue(name)) {
                const std::string_view rest = arg.substr(i + 1);
                ApplyValue(name, rest.empty() ? NextValue(name) : rest, options_);
                return;
            }
            if (!ApplyFlag(name, options_)) throw UsageError("unknown option " + name);
        }
    }

    std::string_view NextValue(std::string_view name) {
        if (next_ >= args_.size()) throw UsageError("option " + std::string(name) + " needs a value");
        return args_[next_++];
    }

    std::span<const char* const> args_;
    ConvertOptions& options_;
    std::size_t next_ = 0;
    bool onlyFiles_ = false;
};

}  // namespace

ConvertOptions ParseOptions(std::span<const char* const> args) {
    ConvertOptions options;
    ArgumentReader(args, options).ReadAll();
    if (options.inputs.empty() && !options.help && !options.version) throw UsageError("no picture or folder given");
    return options;
}

std::string UsageText() {
    const std::string quality = std::to_string(kDefaultJpegQuality);
    return "Usage: obrazor-convert [options] FILE|FOLDER...\n"
           "Writes each picture as NAME.LMV.jpg beside it, scaled to the 640 x 480 rule,\n"
           "exactly as the Obrazor window's \"Převeď!\" button does.\n"
           "\n"
           "  -q, --quality TEXT  JPEG quality, read as the window's quality field (default " +
           quality +
           ")\n"
           "      --gray          write a one-channel gray JPEG\n"
           "      --overwrite     replace existing outputs (default: skip them)\n"
           "      --reprocess     convert pictures already 480 high (default: skip them)\n"
           "  -j, --jobs N        convert N files at once (default: one per core)\n"
           "      --no-colour-management\n"
           "                      keep the stored colour numbers of pictures that carry a\n"
           "                      colour profile (default: convert them to sRGB)\n"
           "      --smooth        reduce with a smoothing filter: cleaner fine detail, no moiré\n"
           "                      (default: one source pixel per pixel, as the window draws)\n"
           "      --no-auto-orient\n"
           "                      keep photos as stored, ignoring their EXIF orientation\n"
           "                      (default: turn them upright)\n"
           "  -n, --dry-run       print the source and result sizes, write nothing\n"
           "  -r, --recursive     also take pictures from the folders inside a folder\n"
           "  -h, --help          show this text\n"
           "      --version       show the version\n"
           "\n"
           "Folders give their files of every known picture type, never earlier .LMV.jpg outputs.\n"
           "Exit status: 0 all converted or skipped, 1 some file failed, 2 usage error.\n";
}

ConversionSettings SettingsFrom(const ConvertOptions& options) {
    ConversionSettings settings;
    settings.output.Gray = options.gray;
    settings.output.Quality = QualityFromText(options.qualityText);
    settings.output.Reduction = options.smooth ? TReduction::Smooth : TReduction::Exact;
    settings.overwrite = options.overwrite;
    settings.reprocess = options.reprocess;
    settings.dryRun = options.dryRun;
    settings.autoOrient = options.autoOrient;
    settings.colorManagement = options.colorManagement;
    return settings;
}
