#pragma once
// The entry of the progress module: the progress window and Qt Charts with it are loaded only
// when the player first opens "Прогресс", so the manager starts without them.

class QWidget;

namespace tro {
class History;
struct ProgressRequest;
struct Services;

// Without prefix or suffix, as QLibrary takes it; the file lies beside the programs.
inline constexpr char kProgressModuleName[] = "tro_progress";
inline constexpr char kProgressModuleEntry[] = "troShowProgress";
}  // namespace tro

// Shows the progress window over `parent` until the player closes it.
using TroShowProgress = void (*)(tro::Services& services, tro::History& history,
                                 const tro::ProgressRequest& request, QWidget* parent);
