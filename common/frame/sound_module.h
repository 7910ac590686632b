#pragma once
// The entry of the sound module: the file name the programs look for beside themselves, and
// the one function they resolve in it.

#include <QtGlobal>

class QObject;

namespace tro {
class SoundPlayer;

// Without prefix or suffix: QLibrary adds the platform's (".so", ".dll"). The name holds a
// dot-free stem, and the file on disk has a suffix, so the manager never takes it for a game.
inline constexpr char kSoundModuleName[] = "tro_sound";
inline constexpr char kSoundModuleEntry[] = "troCreateSoundPlayer";
}  // namespace tro

// A player owned by `parent`, or null when the system has no audio output.
using TroCreateSoundPlayer = tro::SoundPlayer* (*)(QObject* parent);
