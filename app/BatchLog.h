#pragma once
// Several pictures converted from the main window: what is learnt of each before the batch
// starts, and the log lines the window writes for each picture and for the whole batch.

#include <string>

#include "app/conversion/BatchSummary.h"
#include "app/conversion/FileOutcome.h"

namespace msg {
inline constexpr const char* SBatchReprocessText = "%d obrázků už má povolenou velikost. Převést je i tak?";
inline constexpr const char* SBatchOverwriteText = "Nahradit existující soubory (%d)?";
inline constexpr const char* SBatchSummary = "Převedeno %d, přeskočeno %d, chyba %d";
inline constexpr const char* SBatchStopped = "Zastaveno, nezpracováno: %d";
inline constexpr const char* SBatchStop = "Zastav";
}  // namespace msg

// The picture's size and whether it already fits, from its header alone (a sideways photo is
// not decoded). Skipped (Fits) for a picture that fits, Skipped (OwnOutput) for an output of an
// earlier conversion, Failed when it cannot be read, Planned otherwise. Never throws.
FileOutcome SurveyPicture(const std::string& source);

// "auto.jpg: Nové rozměry: 640 x 480", or why the picture was skipped or failed.
std::string BatchLogLine(const FileOutcome& outcome);

// "Převedeno 15, přeskočeno 1, chyba 1"
std::string BatchSummaryLine(const BatchSummary& summary);
