#pragma once
// Texts of the conversion, in the program's Czech, exactly as the user sees them.

namespace msg {
inline constexpr const char* SReprocessCaption = "Zpracovat znovu?";
inline constexpr const char* SReprocessText =
    "Fotografie již vyhovuje rozměrům!\rChcete ji přesto znovu zpracovat a uložit?\r";
inline constexpr const char* SOverwriteCaption = "Nahradit?";
inline constexpr const char* SOverwriteText = "Soubor již existuje!\rChcete jej přepsat novým souborem?\r";
inline constexpr const char* SNewSize = "Nové rozměry: %d x %d";
inline constexpr const char* SSmoothNote = " (hladké zmenšení)";  // after SNewSize when reduced smoothly
inline constexpr const char* SNotSaved = "Soubor nebyl uložen: %s";
inline constexpr const char* SFolderUnreadable = "Složku \"%s\" nelze přečíst: %s";
inline constexpr const char* SEmptyResult = "Výsledný obrázek by měl rozměry %d x %d, a proto nebyl uložen";
}  // namespace msg
