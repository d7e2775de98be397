#include "convert/LoadedMetafilePlayer.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

#include "convert/player/MetafilePlayerEntry.h"
#include "platform/metafile/PlayMetafileInto.h"

namespace {

struct PlayerCalls {
    StartFontsCall startFonts = nullptr;
    StopFontsCall stopFonts = nullptr;
    PlayMetafileCall play = nullptr;
};
PlayerCalls player;
std::string loadFailure = "the metafile player was not loaded";

// Beside the program in a build folder; once installed, in the library folder reached from the
// program's own folder (OBRAZOR_PLAYER_INSTALLED is relative to it).
std::filesystem::path ModulePath() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / OBRAZOR_PLAYER_MODULE;
    if (!error && std::filesystem::exists(beside, error)) return beside;
    return (folder / OBRAZOR_PLAYER_INSTALLED / OBRAZOR_PLAYER_MODULE).lexically_normal();
}

template <class Call>
Call Find(void* module, const char* name) {
    return reinterpret_cast<Call>(::dlsym(module, name));
}

}  // namespace

std::string LoadMetafilePlayer() {
    if (player.play) return "";
    void* module = ::dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) return loadFailure = ::dlerror();
    PlayerCalls calls{Find<StartFontsCall>(module, "ObrazorStartFonts"),
                      Find<StopFontsCall>(module, "ObrazorStopFonts"),
                      Find<PlayMetafileCall>(module, "ObrazorPlayMetafile")};
    if (!calls.startFonts || !calls.stopFonts || !calls.play) return loadFailure = "the metafile player is incomplete";
    calls.startFonts();
    player = calls;
    return "";
}

void UnloadMetafilePlayer() {
    if (player.stopFonts) player.stopFonts();
}

// Without the module a metafile fails to convert rather than giving an empty picture.
void platform::PlayMetafileInto(Surface& surface, const EnhMetaFile& emf, const RECT& rect) {
    if (!player.play) throw std::runtime_error("Cannot draw the metafile: " + loadFailure);
    player.play(surface, emf, rect);
}
